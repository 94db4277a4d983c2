// Cross-process window reading for the end-to-end driver.
#include "window_inspection.h"

#include <future>
#include <memory>
#include <thread>

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= milliseconds) {
            return false;
        }
        Sleep(20);
    }
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string CaptionOf(HWND window) {
    char caption[512] = {};
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

std::string ControlText(HWND control) {
    struct Job {
        HWND control;
        char text[4096] = {};
    };
    auto job = std::make_shared<Job>();
    job->control = control;
    std::packaged_task<void()> task([job] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(job->control, WM_GETTEXT, sizeof job->text - 1,
                            reinterpret_cast<LPARAM>(job->text), SMTO_ABORTIFHUNG, 5000, &ignored);
    });
    std::future<void> done = task.get_future();
    std::thread(std::move(task)).detach();
    if (done.wait_for(std::chrono::milliseconds(6000)) != std::future_status::ready) {
        return "<no answer>";
    }
    return job->text;
}

RECT OuterRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

HWND FindWindowOfClass(DWORD processId, const char* className) {
    for (HWND window : TopLevelWindowsOf(processId)) {
        if (IsWindowVisible(window) && ClassNameOf(window) == className) {
            return window;
        }
    }
    return nullptr;
}

HWND WaitForWindowOfClass(DWORD processId, const char* className, DWORD milliseconds) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowOfClass(processId, className)) != nullptr; },
              milliseconds);
    return found;
}

namespace {

// The icon of a message box, as the user sees it: a stop icon is mostly red.
bool ShowsStopIcon(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) != "Static" ||
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            continue;
        }
        RECT rect = OuterRect(child);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (width <= 0 || height <= 0) {
            return false;
        }
        HDC screen = GetDC(nullptr);
        int red = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                COLORREF colour = GetPixel(screen, x, y);
                if (GetRValue(colour) > 160 && GetGValue(colour) < 90 && GetBValue(colour) < 90) {
                    ++red;
                }
            }
        }
        ReleaseDC(nullptr, screen);
        return red * 4 > width * height;
    }
    return false;
}

}  // namespace

MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD milliseconds) {
    MessageBoxSeen seen;
    seen.box = WaitForWindowOfClass(processId, "#32770", milliseconds);
    if (seen.box == nullptr) {
        return seen;
    }
    seen.caption = CaptionOf(seen.box);
    seen.text = ControlText(GetDlgItem(seen.box, 0xFFFF));
    seen.owner = GetWindow(seen.box, GW_OWNER);
    // The icon is looked at as painted, which on a busy machine can take a moment.
    HWND box = seen.box;
    seen.stopIcon = WaitUntil([box] { return ShowsStopIcon(box); }, 3000);
    return seen;
}

void PressButton(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

void PressKey(DWORD threadId, WPARAM key) {
    HWND focus = FocusOf(threadId);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
    if (focus != nullptr) {
        PostMessageA(focus, WM_KEYDOWN, key, scan | 1);
        PostMessageA(focus, WM_KEYUP, key, scan | 0xC0000001);
    } else {
        // No window of the program has the focus: its loop still sees the key.
        PostThreadMessageA(threadId, WM_KEYDOWN, key, scan | 1);
        PostThreadMessageA(threadId, WM_KEYUP, key, scan | 0xC0000001);
    }
    Sleep(30);
}

void TypeText(DWORD threadId, const char* text) {
    for (; *text != '\0'; ++text) {
        PostMessageA(FocusOf(threadId), WM_CHAR, static_cast<unsigned char>(*text), 1);
    }
    Sleep(30);
}

void TypeKeys(HWND foreground, const std::vector<int>& keys) {
    // Keyboard input goes to the foreground window; make sure it is there before typing.
    HWND top = GetAncestor(foreground, GA_ROOT);
    WaitUntil(
        [top] {
            SetForegroundWindow(top);
            return GetForegroundWindow() == top;
        },
        3000);
    Sleep(50);
    for (int key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(key < 0 ? -key : key);
        input.ki.dwFlags = key < 0 ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof input);
        Sleep(30);
    }
}
