// Serving one message of the program's loop.
#include "message_loop.h"

#include "key_filter.h"

void ServeMessage(MSG& message, HACCEL accelerators) {
    // Enter and Tab mean the same for the whole window, whatever control has the focus, so they
    // are taken here, before any control or accelerator sees them.
    FilterKeys(message);

    // Accelerators are translated for the window the keystroke was addressed to, so a child
    // control with the focus receives (and ignores) the About command.
    if (TranslateAcceleratorA(message.hwnd, accelerators, &message) == 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
