// Starting programs in one kill-on-close job, and finding their windows.
#include "job_process.h"

#include <cstdio>

#include "window_text.h"

namespace {

HANDLE ProcessJob() {
    static HANDLE job = [] {
        HANDLE made = CreateJobObjectA(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return made;
    }();
    return job;
}

}  // namespace

JobProcess::JobProcess(const std::string& exePath, std::string commandLine,
                       const std::string& folder, const std::string& outputFile) {
    if (commandLine.empty()) {
        commandLine = "\"" + exePath + "\"";
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    HANDLE output = INVALID_HANDLE_VALUE;
    if (!outputFile.empty()) {
        SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
        output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    // Suspended until it is in the job, so that nothing it starts escapes the job either.
    const BOOL started = CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr,
                                        output != INVALID_HANDLE_VALUE, CREATE_SUSPENDED, nullptr,
                                        folder.c_str(), &startup, &info_);
    if (output != INVALID_HANDLE_VALUE) {
        CloseHandle(output);  // the program holds its own copy
    }
    if (started) {
        AssignProcessToJobObject(ProcessJob(), info_.hProcess);
        ResumeThread(info_.hThread);
    } else {
        startError_ = GetLastError();
        info_ = {};
    }
}

JobProcess::~JobProcess() {
    if (!Started()) {
        return;
    }
    if (Running()) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, kPatience);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool JobProcess::Ended(DWORD milliseconds) const {
    return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD JobProcess::ExitCode() const {
    DWORD code = 0xFFFFFFFF;
    if (Ended(kPatience)) {
        GetExitCodeProcess(info_.hProcess, &code);
    }
    return code;
}

HWND JobProcess::FindWindow(const char* className) const {
    for (HWND window : VisibleWindowsOf(info_.dwProcessId)) {
        if (ClassNameOf(window) == className) {
            return window;
        }
    }
    return nullptr;
}

HWND JobProcess::WaitForWindow(const char* className) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindow(className)) != nullptr || !Running(); });
    return found != nullptr ? found : FindWindow(className);
}

std::string JobProcess::Outcome() const {
    char text[160];
    DWORD code = 0;
    if (!Started()) {
        std::snprintf(text, sizeof text, "it did not start (error %lu)",
                      static_cast<unsigned long>(startError_));
    } else if (Running()) {
        std::snprintf(text, sizeof text, "process %04lx still runs",
                      static_cast<unsigned long>(info_.dwProcessId));
    } else {
        GetExitCodeProcess(info_.hProcess, &code);
        std::snprintf(text, sizeof text,
                      "process %04lx ended with exit code %lu (0x%08lx); Wine's lines for it "
                      "begin with %04lx:",
                      static_cast<unsigned long>(info_.dwProcessId),
                      static_cast<unsigned long>(code), static_cast<unsigned long>(code),
                      static_cast<unsigned long>(info_.dwProcessId));
    }
    return text;
}

void EndAllStarted() {
    TerminateJobObject(ProcessJob(), 0xDEAD);
}
