// The program's start-up run in this process over fake DirectMusic: the description file written
// where start-up looks for it, StartInstance called as WinMain calls it, and the queue served as
// WinMain's loop serves it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_direct_music.h"
#include "shell_state.h"

std::string TextOf(HWND window);

struct DemoInProcess {
    explicit DemoInProcess(const std::string& description);
    ~DemoInProcess();
    bool Start();  // StartInstance's result
    HWND Child(int id) const { return GetDlgItem(mainWindow, id); }
    void Pump();  // key filter, accelerators, dispatch

    FakeDirectMusic world;
    bool written = false;
    std::vector<std::string> boxes;  // start-up's message boxes: "caption [owner, icon]: text"
    int quitCode = -1;
    // Runs each time a modal dialog of the main window waits for input; a dialog that then gets
    // no further for 30 s is ended.
    std::function<void(HWND dialog)> onDialogIdle;
};
