// Start-up in the test process, with every dialog seen as it becomes active.
#include "demo_in_process.h"

#include <cstdio>

#include "bounded_wait.h"
#include "demo_settings.h"
#include "demo_state.h"
#include "main_window.h"
#include "message_loop.h"
#include "resource.h"

namespace {

DemoInProcess* current = nullptr;

void CALLBACK EndStuckDialog(HWND dialog, UINT, UINT_PTR, DWORD) {
    ADD_FAILURE() << "a dialog still open after 30 s: " << TextOf(dialog);
    EndDialog(dialog, -2);
}

void AnswerBox(HWND box) {
    HWND owner = GetWindow(box, GW_OWNER);
    const std::string by = owner == mainWindow ? "main window" : owner ? "other" : "none";
    const char* icon = "no icon";
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        icon = SendMessageA(c, STM_GETICON, 0, 0) == LPARAM(LoadIconA(nullptr, IDI_HAND)) ? "stop"
                                                                                          : icon;
    }
    current->boxes.push_back(TextOf(box) + " [" + by + ", " + icon +
                             "]: " + TextOf(GetDlgItem(box, 0xFFFF)));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam) {
    HWND dialog = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && ClassNameOf(dialog) == "#32770") {
        SetTimer(dialog, 1, kPatience, EndStuckDialog);
        current->onDialog ? current->onDialog(dialog) : AnswerBox(dialog);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DemoInProcess::DemoInProcess(const std::string& description) {
    current = this;
    hook = SetWindowsHookExA(WH_CBT, WatchDialogs, nullptr, GetCurrentThreadId());
    demoSettings = DemoSettings{};
    activeEditId = focusCursor = 0;
    LoadStringA(GetModuleHandleA(nullptr), IDC_HARPIX, windowClassName, sizeof windowClassName);
    RegisterMainWindowClass(GetModuleHandleA(nullptr));  // once; later calls fail harmlessly
    LocateDescriptionFile();                             // named after this program, in its folder
    FILE* file = std::fopen(descriptionFileName.c_str(), "wb");  // start-up exits without it
    EXPECT_TRUE(file && std::fwrite(description.data(), 1, description.size(), file) > 0 &&
                std::fclose(file) == 0);
}

DemoInProcess::~DemoInProcess() {
    DestroyWindow(mainWindow);
    DestroyWindow(FindWindowA(kWaitClassName, nullptr));  // the wait window a failed start-up left
    Pump();
    UnhookWindowsHookEx(hook);
    std::remove(descriptionFileName.c_str());
}

void DemoInProcess::Pump() {
    static HACCEL accelerators =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HARPIX));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        quitCode = message.message == WM_QUIT ? static_cast<int>(message.wParam) : quitCode;
        ServeMessage(message, accelerators);
    }
}
