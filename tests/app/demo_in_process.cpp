// Start-up in the test process: its message boxes answered as they become active, and the main
// window subclassed to see its modal dialogs wait.
#include "demo_in_process.h"

#include <cstdio>

#include "demo_settings.h"
#include "demo_state.h"
#include "key_filter.h"
#include "main_window.h"
#include "resource.h"
#include "start_up.h"

namespace {

DemoInProcess* current = nullptr;

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam), owner = GetWindow(box, GW_OWNER);
    char name[8] = {};
    GetClassNameA(box, name, sizeof name);
    if (code == HCBT_ACTIVATE && std::string(name) == "#32770") {
        const std::string by = owner == mainWindow ? "main window" : owner ? "other" : "none";
        const char* icon = "no icon";
        for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            const HICON shown = reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0));
            icon = shown == LoadIconA(nullptr, IDI_HAND) ? "stop" : icon;
        }
        current->boxes.push_back(TextOf(box) + " [" + by + ", " + icon +
                                 "]: " + TextOf(GetDlgItem(box, 0xFFFF)));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WatchDialogs(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && current->onDialogIdle) {
        SetTimer(window, 1, 30000, nullptr);  // again at every wait: only a hang reaches it
        current->onDialogIdle(reinterpret_cast<HWND>(lParam));
    } else if (message == WM_TIMER) {
        EndDialog(GetWindow(window, GW_ENABLEDPOPUP), -2);
    }
    return CallWindowProcA(MainWindowProc, window, message, wParam, lParam);
}

}  // namespace

std::string TextOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

DemoInProcess::DemoInProcess(const std::string& description) {
    current = this;
    demoSettings = DemoSettings{};
    activeEditId = focusCursor = 0;
    LoadStringA(GetModuleHandleA(nullptr), IDC_HARPIX, windowClassName, sizeof windowClassName);
    RegisterMainWindowClass(GetModuleHandleA(nullptr));  // once; later calls fail harmlessly
    LocateDescriptionFile();                             // named after this program, in its folder
    FILE* file = std::fopen(descriptionFileName.c_str(), "wb");
    written = file && std::fwrite(description.data(), 1, description.size(), file) > 0;
    EXPECT_TRUE(written && std::fclose(file) == 0) << "cannot write " << descriptionFileName;
}

DemoInProcess::~DemoInProcess() {
    DestroyWindow(mainWindow);
    // Start-up leaves its wait window when the main window could not be made.
    HWND wait = FindWindowA("Harpix  ", nullptr);
    if (GetWindowThreadProcessId(wait, nullptr) == GetCurrentThreadId()) {
        DestroyWindow(wait);
    }
    Pump();
    std::remove(descriptionFileName.c_str());
}

bool DemoInProcess::Start() {
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
    // Without its file start-up would end this process.
    const bool started = written && StartInstance(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    UnhookWindowsHookEx(hook);
    SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchDialogs));
    return started;
}

void DemoInProcess::Pump() {
    static HACCEL accelerators =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HARPIX));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        quitCode = message.message == WM_QUIT ? static_cast<int>(message.wParam) : quitCode;
        FilterKeys(message);
        if (TranslateAcceleratorA(message.hwnd, accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}
