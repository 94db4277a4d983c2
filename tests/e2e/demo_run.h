// A demo folder with a description file and Harpix started in it: the usual test set-up.
#pragma once

#include <memory>
#include <string>

#include "demo_folder.h"
#include "harpix_process.h"
#include "window_inspection.h"

// The script every demo here loads. Wine's own script object runs no routine and leaves every
// variable as the caller preset it.
constexpr char kScriptLine[] = "ScriptFileName e2e.spt\n";

struct DemoRun {
    DemoFolder folder;
    std::unique_ptr<HarpixProcess> process;

    // Writes Harpix.ini (with kScriptLine in front unless `withScript` is false) and the script,
    // and starts the program by its quoted path, as the Windows shell does.
    explicit DemoRun(const std::string& description, bool withScript = true) {
        folder.Write("Harpix.ini", withScript ? kScriptLine + description : description);
        WriteScript();
        StartWith("\"" + folder.ExePath() + "\"", folder.Path());
    }

    DemoRun() { WriteScript(); }

    // The smallest script file Wine's loader accepts: a RIFF 'DMSC' form with an empty header.
    void WriteScript() const {
        static const char kMinimalScript[] = "RIFF\x10\0\0\0DMSCschd\x08\0\0\0\0\0\0\0\0\0\0\0";
        folder.Write("RuntimeFiles\\e2e.spt",
                     std::string(kMinimalScript, sizeof kMinimalScript - 1));
    }

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
