// Start-up in this process over fake DirectMusic: the description file written where start-up
// looks for it, StartInstance called as WinMain calls it, the queue served as its loop serves it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_direct_music.h"
#include "shell_state.h"
#include "start_up.h"
#include "window_text.h"

struct DemoInProcess {
    explicit DemoInProcess(const std::string& description);
    ~DemoInProcess();
    bool Start() { return StartInstance(GetModuleHandleA(nullptr), SW_SHOWNORMAL); }
    HWND Child(int id) const { return GetDlgItem(mainWindow, id); }
    void Pump();  // key filter, accelerators, dispatch

    FakeDirectMusic world;
    HHOOK hook = nullptr;
    // Runs as a dialog becomes active. Unset, message boxes are answered with OK and noted in
    // `boxes` as "caption [owner, icon]: text". A dialog open for 30 s fails the test.
    std::function<void(HWND dialog)> onDialog;
    std::vector<std::string> boxes;
    int quitCode = -1;
};
