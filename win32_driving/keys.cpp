// Posted keys and real keyboard input.
#include "keys.h"

#include "bounded_wait.h"

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
    // The keys may already have done their work, and a window they opened, owned by `top`,
    // holds the foreground now: that is no loss.
    return SendInput(inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size() &&
           GetAncestor(GetForegroundWindow(), GA_ROOTOWNER) == top;
}
