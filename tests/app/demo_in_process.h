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
    HHOOK hook = nullptr;
    // Runs as a dialog becomes active. Unset, message boxes are answered with OK and noted in
    // `boxes` as "caption [owner, icon]: text". A dialog open for 30 s fails the test.
    std::function<void(HWND dialog)> onDialog;
    std::vector<std::string> boxes;
    int quitCode = -1;
};
