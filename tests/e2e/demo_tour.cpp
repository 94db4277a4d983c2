// The headless tour of a demo: each step waits, boundedly, for what the user would see.
#include "demo_tour.h"

#include <windows.h>

#include <cstdio>

#include "harpix_process.h"
#include "screenshot.h"
#include "window_inspection.h"

namespace {

class Tour {
public:
    Tour(const std::string& shotsFolder) : shots(shotsFolder) {}

    // Saves the main window as tour-<number>-<name>.bmp after the lyric view has settled.
    void Shot(HWND main, const char* name) {
        Sleep(400);
        RECT rect = OuterRect(main);
        RECT area = {rect.left - 8, rect.top - 8, rect.right + 8, rect.bottom + 8};
        char path[MAX_PATH + 64];
        std::snprintf(path, sizeof path, "%s\\tour-%d-%s.bmp", shots.c_str(), ++count, name);
        if (!SaveScreenArea(area, path)) {
            Fail(std::string("cannot write ") + path);
        }
        std::printf("tour: %s (lyric: \"%s\")\n", path, ControlText(GetDlgItem(main, 550)).c_str());
    }

    // Waits for the lyric view to change from `before`.
    std::string NewLyric(HWND main, const std::string& before) {
        HWND view = GetDlgItem(main, 550);
        if (!WaitUntil([&] { return ControlText(view) != before; }, 5000)) {
            Fail("the lyric view did not change from \"" + before + "\"");
        }
        return ControlText(view);
    }

    void Fail(const std::string& what) {
        std::fprintf(stderr, "tour: %s\n", what.c_str());
        failed = true;
    }

    bool failed = false;

private:
    std::string shots;
    int count = 0;
};

}  // namespace

int TourDemo(const std::string& demoFolder, const std::string& shotsFolder) {
    Tour tour(shotsFolder);
    CreateDirectoryA(shotsFolder.c_str(), nullptr);
    const std::string exe = demoFolder + "\\Harpix.exe";
    HarpixProcess process(exe, "\"" + exe + "\"", demoFolder);
    HWND main = WaitForWindowOfClass(process.Id(), "HARPIX");
    if (main == nullptr) {
        MessageBoxSeen box = WaitForMessageBox(process.Id(), 500);
        tour.Fail("the demo did not start" + (box.box ? ": " + box.text : std::string()));
        return 1;
    }
    std::string lyric = tour.NewLyric(main, "");
    tour.Shot(main, "start");

    PressButton(main, 0);
    lyric = tour.NewLyric(main, lyric);
    tour.Shot(main, "button");

    // The first edit box: Tab there from the buttons, type a new value, leave it.
    HWND edit = GetDlgItem(main, 50);
    for (int tabs = 0; tabs < 60 && FocusOf(process.ThreadId()) != edit; ++tabs) {
        PressKey(process.ThreadId(), VK_TAB);
        WaitUntil([&] { return FocusOf(process.ThreadId()) == edit; }, 300);
    }
    if (FocusOf(process.ThreadId()) != edit) {
        tour.Fail("Tab never reached the first edit box");
    }
    TypeText(process.ThreadId(), "150");
    PressKey(process.ThreadId(), VK_TAB);
    lyric = tour.NewLyric(main, lyric);
    tour.Shot(main, "edit");

    PressButton(main, 0);
    lyric = tour.NewLyric(main, lyric);
    PressKey(process.ThreadId(), VK_RETURN);
    lyric = tour.NewLyric(main, lyric);
    tour.Shot(main, "enter");

    PostMessageA(main, WM_COMMAND, 105, 0);
    DWORD exitCode = 0;
    if (!process.WaitForExit(kPatience, exitCode) || exitCode != 0) {
        tour.Fail("the demo did not end with exit code 0");
    }
    return tour.failed ? 1 : 0;
}
