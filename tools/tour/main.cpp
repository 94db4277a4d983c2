// harpix-tour: runs a staged demo under Wine for people and scripts rather than for tests. It
// tours the demo taking screenshots (scripts/demo), takes the pictures in docs/
// (scripts/screenshot), starts and closes a demo again and again (a soak), and warms a new
// Wine prefix up so that its first windows and fonts are not made inside a timed test.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "bitmap_file.h"
#include "bounded_wait.h"
#include "demo_layout.h"
#include "job_process.h"
#include "keys.h"
#include "paths.h"
#include "resource.h"
#include "window_text.h"

namespace {

const char kUsage[] =
    "usage: harpix-tour --warm-up [DEMO-FOLDER]\n"
    "       harpix-tour DEMO-FOLDER --tour SHOTS-FOLDER\n"
    "       harpix-tour DEMO-FOLDER --shot FILE.bmp [--about] [--lyric TEXT]\n"
    "       harpix-tour DEMO-FOLDER --soak ROUNDS\n";

int Fail(const std::string& what) {
    std::fprintf(stderr, "harpix-tour: %s\n", what.c_str());
    return 1;
}

// The demo's Harpix.exe, started as the shell starts it: in its own folder.
class Harpix : public JobProcess {
public:
    explicit Harpix(const std::string& exePath)
        : JobProcess(exePath, "", WindowsFolderOf(exePath)) {}
    // Ends the program with File, Exit; true when it ended with exit code 0.
    bool Exit(HWND main) const {
        PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
        return ExitCode() == 0;
    }
};

void Click(HWND main, int buttonId) {
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, buttonId)));
}

// The window with an 8-pixel margin, or the union of two windows.
RECT AreaAround(HWND first, HWND second = nullptr) {
    RECT area, other;
    GetWindowRect(first, &area);
    if (second != nullptr && GetWindowRect(second, &other)) {
        UnionRect(&area, &area, &other);
    }
    InflateRect(&area, 8, 8);
    return area;
}

// What Wine does slowly or differently only the first time in a prefix, for this build: a
// window, a button, an edit box and a message box, shown and closed (fonts, window classes, its
// services); then the demo's own Harpix.exe, which starts DirectMusic and DirectSound in this
// build's registry view, up to its idle main window, and File, Exit.
int WarmUp(const char* demo) {
    HWND window = CreateWindowExA(0, "STATIC", "warm-up", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 5, 5, 60, 20, window, nullptr,
                    nullptr, nullptr);
    CreateWindowExA(0, "EDIT", "0", WS_CHILD | WS_VISIBLE | WS_BORDER, 70, 5, 30, 20, window,
                    nullptr, nullptr, nullptr);
    UpdateWindow(window);
    std::thread closer([] {
        HWND box = nullptr;
        WaitUntil([&] {
            box = FindWindowA("#32770", "warm-up");
            return box != nullptr;
        });
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    MessageBoxA(window, "warm-up", "warm-up", MB_OK | MB_ICONHAND);
    closer.join();
    DestroyWindow(window);
    if (demo == nullptr) {
        return 0;
    }
    Harpix harpix(WindowsPath(demo) + "\\Harpix.exe");
    HWND main = harpix.WaitForWindow("HARPIX");
    if (main == nullptr || !harpix.WaitIdle()) {
        return Fail("warm-up: the demo's main window did not come up and wait for input: " +
                    harpix.Outcome());
    }
    if (!harpix.Exit(main)) {
        return Fail("warm-up: File, Exit did not end the demo with exit code 0: " +
                    harpix.Outcome());
    }
    return 0;
}

// Start-up, a button, an edited value and Enter, each waiting for the lyric that the bundled
// demo's script (demo/MorningHarp.txt) sings for it.
int Tour(const std::string& demo, const std::string& shots) {
    CreateDirectoryA(shots.c_str(), nullptr);
    Harpix harpix(demo + "\\Harpix.exe");
    HWND main = harpix.WaitForWindow("HARPIX");
    if (main == nullptr) {
        return Fail("the demo did not start: " + harpix.Outcome());
    }
    HWND view = GetDlgItem(main, kLyricViewId);
    int count = 0;
    auto step = [&](const char* name, const std::string& expected) {
        std::string lyric;
        if (!WaitUntil([&] { return (lyric = TextOf(view)) == expected; })) {
            return Fail(std::string(name) + ": the lyric view shows \"" + lyric + "\", not \"" +
                        expected + "\"");
        }
        Sleep(300);  // for the picture only: let the view finish painting
        const std::string path = shots + "\\tour-" + std::to_string(++count) + "-" + name + ".bmp";
        if (!SaveScreenArea(AreaAround(main), path)) {
            return Fail("cannot write " + path);
        }
        std::printf("tour: %s (lyric: \"%s\")\n", path.c_str(), lyric.c_str());
        return 0;
    };
    const DWORD thread = harpix.ThreadId();
    HWND edit = GetDlgItem(main, kEditIdBase);
    int failed = step("start", "Good morning! Press Sing a line.");
    Click(main, 0);  // Sing a line
    failed |= step("button", "The harp wakes up in the morning light,");
    for (int tabs = 0; tabs < 60 && FocusOf(thread) != edit; ++tabs) {
        HWND from = FocusOf(thread);
        PressKey(thread, VK_TAB);
        if (!WaitUntil([&] { return FocusOf(thread) != from; })) {
            break;  // Tab moves nothing; the edit step below says so
        }
    }
    TypeText(thread, "150");  // the tempo, above 130
    PressKey(thread, VK_TAB);
    failed |= step("edit", "Tempo set: quick and bright.");
    // Enter sends every value, calling the tempo's and then the volume's notify routine; the
    // volume is still the 8 that Start set.
    PressKey(thread, VK_RETURN);
    failed |= step("enter", "Volume set: loud and clear.");
    if (!harpix.Exit(main)) {
        failed |= Fail("the demo did not end with exit code 0: " + harpix.Outcome());
    }
    return failed;
}

int Shot(const std::string& demo, const std::string& bmp, bool about, const char* lyric) {
    Harpix harpix(demo + "\\Harpix.exe");
    HWND main = harpix.WaitForWindow("HARPIX");
    if (main == nullptr) {
        return Fail("the main window did not show: " + harpix.Outcome());
    }
    HWND box = nullptr;
    if (lyric != nullptr) {
        SendMessageTimeoutA(GetDlgItem(main, kLyricViewId), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(lyric), SMTO_NORMAL, kPatience, nullptr);
    }
    if (about && (PostMessageA(main, WM_COMMAND, IDM_ABOUT, 0),
                  box = harpix.WaitForWindow("#32770")) == nullptr) {
        return Fail("the About box did not open");
    }
    Sleep(500);  // for the picture only: let the windows finish painting
    const bool saved = SaveScreenArea(AreaAround(main, box), bmp);
    if (box != nullptr) {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        WaitUntil([&] { return !IsWindow(box); });
    }
    harpix.Exit(main);
    return saved ? 0 : Fail("cannot write " + bmp);
}

// Starts the demo `rounds` times; each time its start-up routine must show a lyric and File,
// Exit must end it with exit code 0.
int Soak(const std::string& demo, int rounds) {
    int clean = 0;
    for (int round = 0; round < rounds; ++round) {
        Harpix harpix(demo + "\\Harpix.exe");
        HWND main = harpix.WaitForWindow("HARPIX");
        const char* failure = main == nullptr ? "the demo did not start"
                              : !WaitUntil([&] {
                                    const std::string lyric =
                                        TextOf(GetDlgItem(main, kLyricViewId));
                                    return !lyric.empty() && lyric != kNoAnswer;
                                })
                                  ? "no lyric from the start-up routine"
                              : !harpix.Exit(main) ? "no exit code 0 after File, Exit"
                                                   : nullptr;
        if (failure != nullptr) {
            std::fprintf(stderr, "soak: round %d: %s: %s\n", round + 1, failure,
                         harpix.Outcome().c_str());
        }
        clean += failure == nullptr;
    }
    std::printf("soak: %d of %d runs started, sang and ended with exit code 0\n", clean, rounds);
    return clean == rounds ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "--warm-up") == 0) {
        return WarmUp(argc == 3 ? argv[2] : nullptr);
    }
    if (argc >= 4 && std::strcmp(argv[2], "--tour") == 0) {
        return Tour(WindowsPath(argv[1]), WindowsPath(argv[3]));
    }
    if (argc >= 4 && std::strcmp(argv[2], "--soak") == 0) {
        return Soak(WindowsPath(argv[1]), std::atoi(argv[3]));
    }
    if (argc >= 4 && std::strcmp(argv[2], "--shot") == 0) {
        bool about = false;
        const char* lyric = nullptr;
        for (int i = 4; i < argc; ++i) {
            about = about || std::strcmp(argv[i], "--about") == 0;
            lyric = std::strcmp(argv[i], "--lyric") == 0 && i + 1 < argc ? argv[++i] : lyric;
        }
        return Shot(WindowsPath(argv[1]), WindowsPath(argv[3]), about, lyric);
    }
    std::fputs(kUsage, stderr);
    return 2;
}
