// Start-up, from the window classes to the shown main window, and the wait window between.
#include "start_up.h"

#include "demo_settings.h"
#include "description_file_name.h"
#include "description_reader.h"
#include "main_window.h"
#include "resource.h"
#include "shell_state.h"
#include "start_up_trace.h"

namespace {

const char kWaitText[] = "Please Wait.......";

class MessageBoxMessages : public ReaderMessages {
public:
    void Show(const char* text) override {
        MessageBoxA(nullptr, text, "Harpix", MB_OK | MB_ICONHAND);
    }
};

void RegisterWaitWindowClass(HINSTANCE instance) {
    WNDCLASSA waitClass = {};
    waitClass.style = CS_HREDRAW | CS_VREDRAW;
    waitClass.lpfnWndProc = DefWindowProcA;
    waitClass.hInstance = instance;
    waitClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_HARPIX));
    waitClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    waitClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    waitClass.lpszClassName = kWaitClassName;
    if (RegisterClassA(&waitClass) == 0) {
        TraceStartUpFailure("the wait window's class", HRESULT_FROM_WIN32(GetLastError()));
    }
}

// The text is drawn once: the wait window has only the default window procedure, so nothing
// draws it again when the window is repainted.
void DrawWaitText(HWND waitWindow) {
    HDC context = GetDC(waitWindow);
    TextOutA(context, 10, 10, kWaitText, sizeof kWaitText - 1);
    ReleaseDC(waitWindow, context);
}

}  // namespace

void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA mainClass = {};
    mainClass.cbSize = sizeof mainClass;
    mainClass.style = CS_HREDRAW | CS_VREDRAW;
    mainClass.lpfnWndProc = MainWindowProc;
    mainClass.hInstance = instance;
    mainClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_HARPIX));
    mainClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    mainClass.lpszMenuName = MAKEINTRESOURCEA(IDC_HARPIX);
    mainClass.lpszClassName = windowClassName;
    mainClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
    if (RegisterClassExA(&mainClass) == 0) {
        TraceStartUpFailure("the main window's class", HRESULT_FROM_WIN32(GetLastError()));
    }
}

void LocateDescriptionFile() {
    DescriptionFileLocation location = LocateDescriptionFileName(GetCommandLineA());
    descriptionFileName = location.descriptionFileName;
    if (!location.directory.empty()) {
        // A folder that cannot be entered leaves the current directory as the process got it.
        SetCurrentDirectoryA(location.directory.c_str());
    }
}

void ReadDescriptionOrExit() {
    MessageBoxMessages messages;
    if (!ReadDescriptionFile(descriptionFileName.c_str(), messages)) {
        TraceStartUpFailure("the description file", HRESULT_FROM_WIN32(GetLastError()));
        ExitProcess(1);
    }
}

bool StartInstance(HINSTANCE instance, int showCommand) {
    appInstance = instance;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);

    RegisterWaitWindowClass(instance);
    HWND waitWindow = CreateWindowExA(0, kWaitClassName, kWaitClassName, WS_OVERLAPPED | WS_VISIBLE,
                                      screenWidth / 3, screenHeight / 3, 200, 75, nullptr, nullptr,
                                      instance, nullptr);
    if (waitWindow == nullptr) {
        TraceStartUpFailure("the wait window", HRESULT_FROM_WIN32(GetLastError()));
        return false;
    }
    ShowWindow(waitWindow, SW_SHOW);
    DrawWaitText(waitWindow);

    LocateDescriptionFile();
    ReadDescriptionOrExit();

    // The demo is built while the window is created (WM_CREATE), with the wait window still on
    // screen. A window larger than the screen gets a negative left or top.
    const DemoSettings& settings = demoSettings;
    HWND window = CreateWindowExA(0, windowClassName, settings.Title, kMainWindowStyle,
                                  (screenWidth - settings.WindowWidth) / 3,
                                  (screenHeight - settings.WindowHeight) / 3, settings.WindowWidth,
                                  settings.WindowHeight, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        // Also where the demo gave up inside its creation, after its own trace.
        TraceStartUpFailure("the main window", HRESULT_FROM_WIN32(GetLastError()));
        return false;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    DestroyWindow(waitWindow);
    return true;
}
