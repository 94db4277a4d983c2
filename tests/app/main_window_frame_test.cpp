// The main window's frame in-process: the handle it keeps, painting, and the end of the loop.
#include <gtest/gtest.h>

#include <windows.h>

#include "main_window.h"
#include "resource.h"
#include "shell_state.h"

namespace {

HWND CreateMainWindow() {
    WNDCLASSEXA mainClass = {};
    mainClass.cbSize = sizeof mainClass;
    mainClass.lpfnWndProc = MainWindowProc;
    mainClass.hInstance = GetModuleHandleA(nullptr);
    mainClass.lpszClassName = "HarpixFrameTest";
    RegisterClassExA(&mainClass);
    appInstance = GetModuleHandleA(nullptr);
    return CreateWindowExA(0, "HarpixFrameTest", "frame", kMainWindowStyle, 0, 0, 300, 200, nullptr,
                           nullptr, appInstance, nullptr);
}

// The quit message's exit code, or -1 when no quit message is waiting.
int QuitCode() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            return static_cast<int>(message.wParam);
        }
        DispatchMessageA(&message);
    }
    return -1;
}

TEST(MainWindowFrame, ExitDestroysTheWindowAndPostsQuitWithZero) {
    mainWindow = nullptr;
    HWND window = CreateMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(mainWindow, window) << "the handle is kept from the first message on";
    EXPECT_EQ(QuitCode(), -1);

    // Painting draws nothing and leaves nothing to paint.
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    RECT dirty = {};
    EXPECT_FALSE(GetUpdateRect(window, &dirty, FALSE));

    // A command the window does not know goes to the default processing and changes nothing.
    EXPECT_EQ(SendMessageA(window, WM_COMMAND, 999, 0), 0);
    EXPECT_TRUE(IsWindow(window));

    EXPECT_EQ(SendMessageA(window, WM_COMMAND, IDM_EXIT, 0), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(QuitCode(), 0);
}

TEST(MainWindowFrame, CloseButtonEndsTheLoopToo) {
    HWND window = CreateMainWindow();
    ASSERT_NE(window, nullptr);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(QuitCode(), 0);
}

}  // namespace
