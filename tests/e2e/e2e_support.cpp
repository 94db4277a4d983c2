// The end-to-end driver's support: folders, processes, windows, message boxes and keys.
#include "e2e_support.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

std::string harpixExePath, harpixCheckPath, scriptsFolder, demoSourceFolder;

namespace {

// Holds every program the driver starts, and kills them when its last handle closes.
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

// The message box's icon once painted: 1 when mostly red (the stop icon), 0 when another, -1
// while it is not painted yet.
int StopIconShown(HWND box) {
    for (HWND icon : ChildrenOf(box)) {
        if ((GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) != SS_ICON ||
            ClassNameOf(icon) != "Static") {
            continue;
        }
        RECT r;
        GetWindowRect(icon, &r);
        HDC screen = GetDC(nullptr);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        int red = 0, painted = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = GetPixel(screen, x, y);
                painted += c != face;
                red += GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90;
            }
        }
        ReleaseDC(nullptr, screen);
        const int area = (r.right - r.left) * (r.bottom - r.top);
        return painted * 4 < area ? -1 : red * 4 > area;
    }
    return 0;
}

}  // namespace

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

DemoFolder::DemoFolder(const char* exeName, const char* stem) : exeName_(exeName) {
    static std::atomic<int> serial{0};
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    do {
        path_ = std::string(temp) + stem + " " + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(serial++);
    } while (!CreateDirectoryA(path_.c_str(), nullptr));
    CopyFileA(harpixExePath.c_str(), ExePath().c_str(), FALSE);
}

DemoFolder::~DemoFolder() {
    std::string paths = path_ + '\0';  // a list of one, ended by an empty name
    SHFILEOPSTRUCTA remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = paths.c_str();
    remove.fFlags = FOF_NO_UI;
    SHFileOperationA(&remove);
}

void DemoFolder::Write(const std::string& relativeName, const std::string& content) const {
    const std::string full = path_ + "\\" + relativeName;
    SHCreateDirectoryExA(nullptr, full.substr(0, full.find_last_of('\\')).c_str(), nullptr);
    std::ofstream(full, std::ios::binary) << content;
}

void DemoFolder::WriteEmptyScript(const std::string& relativeName) const {
    static const char kScript[] = "RIFF\x10\0\0\0DMSCschd\x08\0\0\0\0\0\0\0\0\0\0\0";
    Write(relativeName, std::string(kScript, sizeof kScript - 1));
}

std::string DemoFolder::MakeDeepFolder(size_t length) const {
    std::string deep = path_;
    while (deep.size() < length) {
        deep += "\\" + std::string(std::min<size_t>(30, length - deep.size() - 1), 'd');
    }
    SHCreateDirectoryExA(nullptr, deep.c_str(), nullptr);
    return deep;
}

Process::Process(const std::string& exePath, std::string commandLine, const std::string& folder) {
    if (commandLine.empty()) {
        commandLine = "\"" + exePath + "\"";
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                       nullptr, folder.c_str(), &startup, &info_)) {
        AssignProcessToJobObject(ProcessJob(), info_.hProcess);
        ResumeThread(info_.hThread);
    } else {
        ADD_FAILURE() << "cannot start " << exePath << ": error " << GetLastError();
        info_ = {};
    }
}

Process::~Process() {
    if (info_.hProcess != nullptr && Running()) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, kPatience);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

DWORD Process::ExitCode() const {
    DWORD code = 0xFFFFFFFF;
    if (WaitForSingleObject(info_.hProcess, kPatience) == WAIT_OBJECT_0) {
        GetExitCodeProcess(info_.hProcess, &code);
    }
    return code;
}

HWND Process::FindWindow(const char* className) const {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (owner == info_.dwProcessId && IsWindowVisible(found)) {
            return found;
        }
    }
    return nullptr;
}

HWND Process::WaitForWindow(const char* className) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindow(className)) != nullptr || !Running(); });
    return found != nullptr ? found : FindWindow(className);
}

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    // Not SMTO_ABORTIFHUNG: a program busy starting up for a few seconds is not hung.
    char text[4096] = {};
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL, kPatience, nullptr)) {
        return "<no answer>";
    }
    return text;
}

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        children.push_back(c);
    }
    return children;
}

MessageBoxSeen WaitForMessageBox(const Process& process) {
    MessageBoxSeen seen;
    seen.box = process.WaitForWindow("#32770");
    if (seen.box != nullptr) {
        seen.caption = TextOf(seen.box);
        seen.text = TextOf(GetDlgItem(seen.box, 0xFFFF));
        seen.owner = GetWindow(seen.box, GW_OWNER);
        int icon = -1;
        WaitUntil([&] { return (icon = StopIconShown(seen.box)) >= 0; });
        seen.stopIcon = icon == 1;
    }
    return seen;
}

bool PressOk(HWND box) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return WaitUntil([box] { return !IsWindow(box); });
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

void PressKey(DWORD threadId, WPARAM key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
    PostMessageA(FocusOf(threadId), WM_KEYDOWN, key, scan | 1);
    PostMessageA(FocusOf(threadId), WM_KEYUP, key, scan | 0xC0000001);
}

void TypeText(DWORD threadId, const char* text) {
    for (; *text != '\0'; ++text) {
        PostMessageA(FocusOf(threadId), WM_CHAR, static_cast<unsigned char>(*text), 1);
    }
}

bool TypeRealKeys(HWND window, const std::vector<int>& keys) {
    HWND top = GetAncestor(window, GA_ROOT);
    if (!WaitUntil([top] { return SetForegroundWindow(top) && GetForegroundWindow() == top; })) {
        return false;
    }
    std::vector<INPUT> inputs(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = static_cast<WORD>(keys[i] < 0 ? -keys[i] : keys[i]);
        inputs[i].ki.dwFlags = keys[i] < 0 ? KEYEVENTF_KEYUP : 0;
    }
    return SendInput(inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size() &&
           GetForegroundWindow() == top;
}

void StartWatchdog(int seconds) {
    static std::atomic<DWORD> testStart{GetTickCount()};
    struct Listener : testing::EmptyTestEventListener {
        void OnTestStart(const testing::TestInfo&) override { testStart = GetTickCount(); }
    };
    testing::UnitTest::GetInstance()->listeners().Append(new Listener);
    std::thread([seconds] {
        while (GetTickCount() - testStart < static_cast<DWORD>(seconds) * 1000) {
            Sleep(1000);
        }
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::fprintf(stderr, "watchdog: %s took over %d s; ending it and what it started\n",
                     test != nullptr ? test->name() : "a test", seconds);
        std::fflush(stderr);
        TerminateJobObject(ProcessJob(), 0xDEAD);
        TerminateProcess(GetCurrentProcess(), 3);
    }).detach();
}
