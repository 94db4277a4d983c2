// Start-up in the test process: message boxes answered from a thread of their own, and the main
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
HWND currentDialog = nullptr;
int dialogSteps = 0;
constexpr UINT_PTR kDialogBound = 77;

std::vector<ShownBox>* shownBoxes = nullptr;

// Start-up's message boxes are answered with OK as they become active, as the user would.
LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char text[1024] = {}, caption[64] = {};
    GetClassNameA(box, caption, sizeof caption);
    static HWND answered = nullptr;
    if (code == HCBT_ACTIVATE && std::string(caption) == "#32770" && box != answered) {
        answered = box;
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        bool stopIcon = false;
        for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            stopIcon |= reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0)) ==
                        LoadIconA(nullptr, IDI_HAND);
        }
        shownBoxes->push_back({caption, text, GetWindow(box, GW_OWNER), stopIcon});
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WatchDialogs(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && current->onDialogIdle) {
        if (currentDialog != reinterpret_cast<HWND>(lParam)) {
            currentDialog = reinterpret_cast<HWND>(lParam);
            dialogSteps = 0;
            SetTimer(window, kDialogBound, 30000, nullptr);
        }
        current->onDialogIdle(currentDialog, dialogSteps++);
    } else if (message == WM_TIMER && wParam == kDialogBound) {
        EndDialog(GetWindow(window, GW_ENABLEDPOPUP), -2);
    } else if (message == WM_ENABLE && wParam) {
        KillTimer(window, kDialogBound);  // the dialog has ended
    }
    return CallWindowProcA(MainWindowProc, window, message, wParam, lParam);
}

}  // namespace

DemoInProcess::DemoInProcess(const std::string& description) {
    current = this;
    mainWindow = nullptr;
    demoSettings = DemoSettings{};
    activeEditId = focusCursor = 0;
    if (windowClassName[0] == '\0') {
        LoadStringA(GetModuleHandleA(nullptr), IDC_HARPIX, windowClassName, sizeof windowClassName);
        RegisterMainWindowClass(GetModuleHandleA(nullptr));
    }
    LocateDescriptionFile();  // named after this program, in its folder
    FILE* file = std::fopen(descriptionFileName.c_str(), "wb");
    written = file != nullptr &&
              std::fwrite(description.data(), 1, description.size(), file) == description.size();
    EXPECT_TRUE(written) << "cannot write " << descriptionFileName;
    if (file != nullptr) {
        std::fclose(file);
    }
}

DemoInProcess::~DemoInProcess() {
    if (IsWindow(mainWindow)) {
        DestroyWindow(mainWindow);
    }
    // Start-up leaves its wait window when the main window could not be made.
    HWND wait = FindWindowA("Harpix  ", nullptr);
    if (wait != nullptr && GetWindowThreadProcessId(wait, nullptr) == GetCurrentThreadId()) {
        DestroyWindow(wait);
    }
    Pump();
    std::remove(descriptionFileName.c_str());
    current = nullptr;
}

bool DemoInProcess::Start() {
    if (!written) {
        return false;  // start-up would end the process
    }
    shownBoxes = &boxes;
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
    const bool started = StartInstance(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    UnhookWindowsHookEx(hook);
    if (started) {
        SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchDialogs));
    }
    return started;
}

void DemoInProcess::Pump() {
    static HACCEL accelerators =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HARPIX));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitCode = static_cast<int>(message.wParam);
        }
        FilterKeys(message);
        if (TranslateAcceleratorA(message.hwnd, accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}
