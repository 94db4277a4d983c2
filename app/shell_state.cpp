// The shell's process-wide state.
#include "shell_state.h"

HINSTANCE appInstance;
HWND mainWindow;
char windowClassName[100];
std::string descriptionFileName;
