// The main window procedure: the frame, the menu commands, and the demo's creation and teardown.
#include "main_window.h"

#include "about_box.h"
#include "demo_window.h"
#include "lyric_tool.h"
#include "resource.h"
#include "shell_state.h"

namespace {

LRESULT OnCreate() {
    CreateDemo();
    return 0;
}

LRESULT OnLyric() {
    ShowNotifiedLyric();
    return 0;
}

LRESULT OnPaint(HWND window) {
    // Everything the user sees is a child control or the menu; nothing is drawn here.
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case IDM_ABOUT:
            DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_ABOUTBOX), mainWindow,
                            AboutDialogProc, 0);
            RefreshLyricView();
            return 0;
        case IDM_EXIT:
            // WM_DESTROY runs before DestroyWindow returns; the refresh then finds no engine.
            DestroyWindow(mainWindow);
            RefreshLyricView();
            return 0;
        default:
            return OnDemoCommand(window, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    mainWindow = window;
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_PAINT:
            return OnPaint(window);
        case WM_COMMAND:
            return OnCommand(window, wParam, lParam);
        case WM_LYRIC:
            return OnLyric();
        case WM_DESTROY:
            DestroyDemo();
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
