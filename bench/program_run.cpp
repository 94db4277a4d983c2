// Starting, watching and ending a program under Wine for the start-up and memory benchmarks.
#include "program_run.h"

#include <psapi.h>

#include <cstring>
#include <vector>

#include "window_text.h"

namespace {

// Short enough to see the window within a few milliseconds, long enough not to take a core
// away from the program being timed on a small machine.
constexpr DWORD kPollMilliseconds = 2;

std::string CaptionOf(HWND window) {
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

struct Ping {
    HWND window;
    DWORD patience;
    LONG answered;
};

DWORD WINAPI SendPing(void* data) {
    auto* ping = static_cast<Ping*>(data);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(ping->window, WM_NULL, 0, 0, SMTO_NORMAL, ping->patience, &result)) {
        InterlockedExchange(&ping->answered, 1);
    }
    return 0;
}

// Whether the window's thread serves a sent message within `patience`. The send is made from a
// thread of its own, because under Wine a send's own timeout is not always kept; the ping
// lives on the heap and is leaked if that thread never comes back.
bool Answers(HWND window, DWORD patience) {
    auto* ping = new Ping{window, patience, 0};
    HANDLE thread = CreateThread(nullptr, 0, SendPing, ping, 0, nullptr);
    if (thread == nullptr) {
        delete ping;
        return false;
    }
    const bool returned = WaitForSingleObject(thread, patience + 1000) == WAIT_OBJECT_0;
    CloseHandle(thread);
    if (!returned) {
        return false;
    }
    const bool answered = ping->answered != 0;
    delete ping;
    return answered;
}

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

bool OptionValue(const char* argument, const char* name, std::string& value) {
    const size_t length = std::strlen(name);
    if (std::strncmp(argument, name, length) != 0 || argument[length] != '=') {
        return false;
    }
    value = argument + length + 1;
    return true;
}

ProgramRun::ProgramRun(const std::string& exePath, const std::string& arguments,
                       const std::string& folder)
    : startTicks(Now()),
      process(exePath, "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments), folder) {
}

bool ProgramRun::WaitUntilShownAndIdle(const char* className, DWORD patience, double& milliseconds,
                                       std::string& problem) {
    if (!Started()) {
        problem = "the program could not be started";
        return false;
    }
    const DWORD start = GetTickCount();
    std::string seen = "no window";
    for (;;) {
        const std::vector<HWND> windows = VisibleWindowsOf(process.Id());
        if (!windows.empty() && firstWindowSeen == 0) {
            firstWindowSeen = MillisecondsSince(startTicks);
        }
        for (HWND window : windows) {
            if (windowSeen == 0 && ClassNameOf(window) == className) {
                windowSeen = MillisecondsSince(startTicks);
            }
        }
        if (windows.size() == 1 && ClassNameOf(windows[0]) == className) {
            const DWORD left = patience - (GetTickCount() - start);
            if (Answers(windows[0], left < patience ? left : 0)) {
                milliseconds = MillisecondsSince(startTicks);
                mainWindow = windows[0];
                return true;
            }
            seen = "its window, which did not answer a sent message";
        } else if (!windows.empty()) {
            seen.clear();
            for (HWND window : windows) {
                seen += (seen.empty() ? "" : ", ") + ClassNameOf(window) + " \"" +
                        CaptionOf(window) + "\"";
            }
        }
        if (process.Ended(0)) {
            problem = "the program ended before its window was idle: " + process.Outcome();
            return false;
        }
        if (GetTickCount() - start >= patience) {
            problem = "after " + std::to_string(patience) + " ms the program shows " + seen +
                      ", not one idle window of class " + className;
            return false;
        }
        Sleep(kPollMilliseconds);
    }
}

SIZE_T ProgramRun::PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!Started() || !GetProcessMemoryInfo(process.Handle(), &counters, sizeof counters)) {
        return 0;
    }
    return counters.PeakWorkingSetSize;
}

bool ProgramRun::Close(DWORD patience, DWORD& exitCode, std::string& problem) {
    if (!Started() || mainWindow == nullptr) {
        problem = "no window to close";
        return false;
    }
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    if (!process.Ended(patience)) {
        problem = "the program did not end within " + std::to_string(patience) +
                  " ms of being closed: " + process.Outcome();
        return false;
    }
    exitCode = process.ExitCode();
    return true;
}
