// The About box in-process: the result each way of closing it gives, and where the focus is.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "about_box.h"
#include "resource.h"

namespace {

// Runs the About box modally over a window of its own. Each time the dialog's loop waits for
// input (WM_ENTERIDLE reaches the owner), `step` runs with the dialog and the count of earlier
// steps; the test posts its input from there.
struct AboutBoxRun {
    std::function<void(HWND dialog, int step)> step;
    int steps = 0;
    HWND focusAtStart = nullptr;

    INT_PTR Run() {
        WNDCLASSA ownerClass = {};
        ownerClass.lpfnWndProc = OwnerProc;
        ownerClass.hInstance = GetModuleHandleA(nullptr);
        ownerClass.lpszClassName = "AboutBoxTestOwner";
        RegisterClassA(&ownerClass);
        HWND owner =
            CreateWindowExA(0, "AboutBoxTestOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        // Bounds the test: a box still open after ten seconds is ended with -2.
        SetTimer(owner, 1, 10000, nullptr);
        INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUTBOX),
                                         owner, AboutDialogProc, 0);
        DestroyWindow(owner);
        return result;
    }

    static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* run = reinterpret_cast<AboutBoxRun*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (run != nullptr && message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
            HWND dialog = reinterpret_cast<HWND>(lParam);
            if (run->steps == 0) {
                run->focusAtStart = GetFocus();
            }
            run->step(dialog, run->steps++);
        }
        if (run != nullptr && message == WM_TIMER) {
            EndDialog(GetWindow(window, GW_ENABLEDPOPUP), -2);
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

void PostKey(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
}

TEST(AboutBox, EndsWithOkForOkAndEnterAndWithCancelForEscAndClose) {
    struct Row {
        const char* way;
        void (*close)(HWND dialog);
        INT_PTR result;
    };
    const Row rows[] = {
        {"OK button",
         [](HWND dialog) {
             PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                          reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
         },
         IDOK},
        {"Enter", [](HWND) { PostKey(GetFocus(), VK_RETURN); }, IDOK},
        {"Esc", [](HWND) { PostKey(GetFocus(), VK_ESCAPE); }, IDCANCEL},
        {"close button", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
         IDCANCEL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.way);
        AboutBoxRun run;
        HWND okButton = nullptr;
        run.step = [&](HWND dialog, int step) {
            okButton = GetDlgItem(dialog, IDOK);
            if (step == 0) {
                row.close(dialog);
            }
        };
        EXPECT_EQ(run.Run(), row.result);
        EXPECT_NE(okButton, nullptr);
        EXPECT_EQ(run.focusAtStart, okButton) << "OK should have the focus";
    }
}

TEST(AboutBox, TabKeepsTheFocusOnOkAndOtherCommandsLeaveItOpen) {
    AboutBoxRun run;
    HWND okButton = nullptr;
    HWND focusAfterTab = nullptr;
    run.step = [&](HWND dialog, int step) {
        if (step == 0) {
            okButton = GetDlgItem(dialog, IDOK);
            PostKey(GetFocus(), VK_TAB);
            PostMessageA(dialog, WM_COMMAND, IDM_ABOUT, 0);
        } else if (focusAfterTab == nullptr) {
            focusAfterTab = GetFocus();
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
    };
    EXPECT_EQ(run.Run(), IDOK);
    EXPECT_NE(okButton, nullptr);
    EXPECT_EQ(focusAfterTab, okButton) << "Tab moved the focus away from OK";
}

}  // namespace
