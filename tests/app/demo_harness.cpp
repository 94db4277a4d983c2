// The in-process harness for the main window over fake DirectMusic.
#include "demo_harness.h"

#include "demo_settings.h"
#include "demo_state.h"
#include "description_reader.h"
#include "description_text.h"
#include "key_filter.h"
#include "main_window.h"
#include "object_records.h"
#include "shell_state.h"
#include "start_up.h"

namespace {

struct SilentMessages : ReaderMessages {
    void Show(const char*) override {}
};

CallLog* hookLog = nullptr;

// Writes "Window.<class>(<id>)" into the call log for each control of the main window.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && hookLog != nullptr) {
        const CBT_CREATEWNDA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        const CREATESTRUCTA* cs = create->lpcs;
        // Only the main window's own controls: a message box has children too.
        if ((cs->style & WS_CHILD) && cs->hwndParent != nullptr && cs->hwndParent == mainWindow &&
            HIWORD(reinterpret_cast<ULONG_PTR>(cs->lpszClass)) != 0) {
            hookLog->Add(std::string("Window.") + cs->lpszClass + "(" +
                         std::to_string(reinterpret_cast<INT_PTR>(cs->hMenu)) + ")");
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ForgetEarlierDemo() {
    ReleaseObjectRecords();
    demoSettings = DemoSettings{};
    activeEditId = 0;
    focusCursor = 0;
    mainWindow = nullptr;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer() {
    InitializeCriticalSection(&lock);
    thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    InterlockedExchange(&stop, 1);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    DeleteCriticalSection(&lock);
}

std::vector<MessageBoxAnswerer::Box> MessageBoxAnswerer::Boxes() {
    EnterCriticalSection(&lock);
    std::vector<Box> copy = boxes;
    LeaveCriticalSection(&lock);
    return copy;
}

DWORD WINAPI MessageBoxAnswerer::Watch(void* self) {
    auto* answerer = static_cast<MessageBoxAnswerer*>(self);
    while (InterlockedCompareExchange(&answerer->stop, 0, 0) == 0) {
        HWND box = nullptr;
        while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            bool seen = false;
            for (HWND done : answerer->answered) {
                seen = seen || done == box;
            }
            if (process != GetCurrentProcessId() || seen || !IsWindowVisible(box)) {
                continue;
            }
            Box found;
            char text[1024] = {};
            GetWindowTextA(box, text, sizeof text);
            found.caption = text;
            text[0] = '\0';
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            found.text = text;
            found.owner = GetWindow(box, GW_OWNER);
            // The stop icon is the system's IDI_HAND, shown in the box's icon control.
            found.iconStyle = 0;
            HICON hand = LoadIconA(nullptr, IDI_HAND);
            for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
                HICON shown = reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0));
                if (shown != nullptr && shown == hand) {
                    found.iconStyle = MB_ICONHAND;
                }
            }
            EnterCriticalSection(&answerer->lock);
            answerer->boxes.push_back(found);
            answerer->answered.push_back(box);
            LeaveCriticalSection(&answerer->lock);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        Sleep(20);
    }
    return 0;
}

DemoWindowRun::DemoWindowRun(const std::string& description) {
    ForgetEarlierDemo();
    LoadDescriptionText(description.data(), description.size());
    SilentMessages silent;
    InterpretDescriptionText(silent);
}

HWND DemoWindowRun::Create() {
    static bool registered = false;
    if (!registered) {
        LoadStringA(GetModuleHandleA(nullptr), 109, windowClassName, sizeof windowClassName);
        RegisterMainWindowClass(GetModuleHandleA(nullptr));
        registered = true;
    }
    appInstance = GetModuleHandleA(nullptr);
    hookLog = &world.log;
    creationHook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    window = CreateWindowExA(0, windowClassName, demoSettings.Title, kMainWindowStyle, 0, 0,
                             demoSettings.WindowWidth, demoSettings.WindowHeight, nullptr, nullptr,
                             appInstance, nullptr);
    created = mainWindow;
    if (window != nullptr) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

DemoWindowRun::~DemoWindowRun() {
    if (window != nullptr && IsWindow(window)) {
        DestroyWindow(window);
    }
    UnhookWindowsHookEx(creationHook);
    hookLog = nullptr;
    QuitPosted();
}

bool DemoWindowRun::QuitPosted(int* exitCode) {
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            if (exitCode != nullptr) {
                *exitCode = static_cast<int>(message.wParam);
            }
            continue;
        }
        DispatchMessageA(&message);
    }
    return quit;
}

void DemoWindowRun::Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        FilterKeys(message);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::vector<size_t> Positions(const Calls& calls, const std::string& part) {
    std::vector<size_t> found;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].find(part) != std::string::npos) {
            found.push_back(i);
        }
    }
    return found;
}

::testing::AssertionResult InOrder(const Calls& calls, const std::vector<std::string>& parts) {
    size_t next = 0;
    for (const std::string& part : parts) {
        size_t i = next;
        while (i < calls.size() && calls[i].find(part) == std::string::npos) {
            ++i;
        }
        if (i == calls.size()) {
            std::string all;
            for (const std::string& call : calls) {
                all += "\n  " + call;
            }
            return ::testing::AssertionFailure()
                   << "\"" << part << "\" not found after position " << next << " in:" << all;
        }
        next = i + 1;
    }
    return ::testing::AssertionSuccess();
}
