// The program's start-up run in this process over fake DirectMusic: the description file written
// where start-up looks for it, StartInstance as WinMain calls it with every message box answered,
// and the queue served as WinMain's loop serves it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_direct_music.h"
#include "shell_state.h"

struct ShownBox {
    std::string caption, text;
    HWND owner;
    bool stopIcon;
};

class DemoInProcess {
public:
    explicit DemoInProcess(const std::string& description);
    ~DemoInProcess();
    bool Start();  // StartInstance's result
    HWND Child(int id) const { return GetDlgItem(mainWindow, id); }
    void Pump();  // key filter, accelerators, dispatch

    FakeDirectMusic world;
    std::vector<ShownBox> boxes;  // what start-up's message boxes showed, in order
    int quitCode = -1;            // the quit message's, once Pump has seen it
    // Runs each time a modal dialog of the main window waits for input, with the number of its
    // earlier waits. A dialog still open after 30 s is ended with -2.
    std::function<void(HWND dialog, int step)> onDialogIdle;

private:
    bool written = false;
};
