// Reading windows, every read bounded.
#include "window_text.h"

#include "bounded_wait.h"

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

// A callback of the system's: __stdcall on i686, which a lambda cannot be.
BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

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
        return kNoAnswer;
    }
    return text;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
