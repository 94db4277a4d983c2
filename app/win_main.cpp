// The program's entry and its message loop.
#include <windows.h>

#include "message_loop.h"
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
        ServeMessage(message, accelerators);
    }
    return static_cast<int>(message.wParam);
}
