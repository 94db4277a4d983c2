// The program's entry and its message loop.
#include <windows.h>

#include "key_filter.h"
#include "resource.h"
#include "shell_state.h"
#include "start_up.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    LoadStringA(instance, IDC_HARPIX, windowClassName, sizeof windowClassName);
    RegisterMainWindowClass(instance);
    if (!StartInstance(instance, showCommand)) {
        return 0;
    }
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_HARPIX));

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Enter and Tab mean the same for the whole window, whatever control has the focus,
        // so they are taken here, before any control or accelerator sees them.
        FilterKeys(message);

        // Accelerators are translated for the window the keystroke was addressed to, so a child
        // control with the focus receives (and ignores) the About command.
        if (TranslateAcceleratorA(message.hwnd, accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
