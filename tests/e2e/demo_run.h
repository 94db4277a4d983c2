// A demo folder with a description file and Harpix started in it: the usual test set-up.
#pragma once

#include <memory>
#include <string>

#include "demo_folder.h"
#include "harpix_process.h"
#include "window_inspection.h"

struct DemoRun {
    DemoFolder folder;
    std::unique_ptr<HarpixProcess> process;

    // Writes Harpix.ini and starts the program by its quoted path, as the Windows shell does.
    explicit DemoRun(const std::string& description) {
        folder.Write("Harpix.ini", description);
        StartWith("\"" + folder.ExePath() + "\"", folder.Path());
    }

    DemoRun() = default;

    void StartWith(const std::string& commandLine, const std::string& currentDirectory) {
        process = std::make_unique<HarpixProcess>(folder.ExePath(), commandLine, currentDirectory);
    }

    DWORD Id() const { return process->Id(); }

    HWND WaitForMainWindow() const { return WaitForWindowOfClass(Id(), "HARPIX"); }

    // The exit code, or 0xFFFFFFFF when the program did not end in time.
    DWORD ExitCode() const {
        DWORD code = 0;
        return process->WaitForExit(kPatience, code) ? code : 0xFFFFFFFF;
    }
};
