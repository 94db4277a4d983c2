// Starting Harpix.exe and driving its windows for the tour, the screenshots and the soak.
#include "driving.h"

#include <vector>

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(20)) {
        if (GetTickCount() - start >= milliseconds) {
            return false;
        }
    }
    return true;
}

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

Harpix::Harpix(const std::string& exePath) {
    std::string commandLine = "\"" + exePath + "\"";
    const std::string folder = exePath.substr(0, exePath.find_last_of('\\'));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info_)) {
        info_ = {};
    }
}

Harpix::~Harpix() {
    if (info_.hProcess == nullptr) {
        return;
    }
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, kPatience);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND Harpix::WaitForWindow(const char* className) const {
    HWND found = nullptr;
    WaitUntil([&] {
        while ((found = FindWindowExA(nullptr, found, className, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == info_.dwProcessId && IsWindowVisible(found)) {
                return true;
            }
        }
        return info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, 0) != WAIT_TIMEOUT;
    });
    return found;
}

bool Harpix::Exit(HWND main) const {
    PostMessageA(main, WM_COMMAND, 105, 0);
    DWORD code = 1;
    return WaitForSingleObject(info_.hProcess, kPatience) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(info_.hProcess, &code) && code == 0;
}

std::string TextOf(HWND window) {
    char text[4096] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL, kPatience, &copied)) {
        return "";
    }
    return text;
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

void Click(HWND main, int buttonId) {
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, buttonId)));
}
