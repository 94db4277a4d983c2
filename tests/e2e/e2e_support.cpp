// The end-to-end driver's support: folders, processes, windows, message boxes and keys.
#include "e2e_support.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>

std::string harpixExePath, harpixCheckPath, scriptsFolder, demoSourceFolder;

namespace {

// The message box's icon once painted: 1 when mostly red (the stop icon), 0 when another, -1
// while it is not painted yet.
int StopIconShown(HWND box) {
    for (HWND icon : ChildrenOf(box)) {
        if ((GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) != SS_ICON ||
            ClassNameOf(icon) != "Static") {
            continue;
        }
        RECT r;
        GetWindowRect(icon, &r);
        HDC screen = GetDC(nullptr);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        int red = 0, painted = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = GetPixel(screen, x, y);
                painted += c != face;
                red += GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90;
            }
        }
        ReleaseDC(nullptr, screen);
        const int area = (r.right - r.left) * (r.bottom - r.top);
        return painted * 4 < area ? -1 : red * 4 > area;
    }
    return 0;
}

}  // namespace

DemoFolder::DemoFolder(const char* exeName, const char* stem) : exeName_(exeName) {
    static std::atomic<int> serial{0};
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    do {
        path_ = std::string(temp) + stem + " " + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(serial++);
    } while (!CreateDirectoryA(path_.c_str(), nullptr));
    CopyFileA(harpixExePath.c_str(), ExePath().c_str(), FALSE);
}

DemoFolder::~DemoFolder() {
    std::string paths = path_ + '\0';  // a list of one, ended by an empty name
    SHFILEOPSTRUCTA remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = paths.c_str();
    remove.fFlags = FOF_NO_UI;
    SHFileOperationA(&remove);
}

void DemoFolder::Write(const std::string& relativeName, const std::string& content) const {
    const std::string full = path_ + "\\" + relativeName;
    SHCreateDirectoryExA(nullptr, full.substr(0, full.find_last_of('\\')).c_str(), nullptr);
    std::ofstream(full, std::ios::binary) << content;
}

void DemoFolder::WriteEmptyScript(const std::string& relativeName) const {
    static const char kScript[] = "RIFF\x10\0\0\0DMSCschd\x08\0\0\0\0\0\0\0\0\0\0\0";
    Write(relativeName, std::string(kScript, sizeof kScript - 1));
}

std::string DemoFolder::MakeDeepFolder(size_t length) const {
    std::string deep = path_;
    while (deep.size() < length) {
        deep += "\\" + std::string(std::min<size_t>(30, length - deep.size() - 1), 'd');
    }
    SHCreateDirectoryExA(nullptr, deep.c_str(), nullptr);
    return deep;
}

Process::Process(const std::string& exePath, std::string commandLine, const std::string& folder)
    : JobProcess(exePath, commandLine, folder) {
    if (!Started()) {
        ADD_FAILURE() << "cannot start " << exePath << ": error " << StartError();
    }
}

HWND Process::WaitForMainWindow() const {
    HWND main = WaitForWindow("HARPIX");
    if (main == nullptr) {
        ADD_FAILURE() << "no main window came: " << Outcome();
    }
    return main;
}

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        children.push_back(c);
    }
    return children;
}

MessageBoxSeen WaitForMessageBox(const Process& process) {
    MessageBoxSeen seen;
    seen.box = process.WaitForWindow("#32770");
    if (seen.box != nullptr) {
        seen.caption = TextOf(seen.box);
        seen.text = TextOf(GetDlgItem(seen.box, 0xFFFF));
        seen.owner = GetWindow(seen.box, GW_OWNER);
        int icon = -1;
        WaitUntil([&] { return (icon = StopIconShown(seen.box)) >= 0; });
        seen.stopIcon = icon == 1;
    }
    return seen;
}

bool PressOk(HWND box) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return WaitUntil([box] { return !IsWindow(box); });
}

void StartWatchdog(int seconds) {
    static Watchdog watchdog("harpix_e2e", static_cast<DWORD>(seconds) * 1000, EndAllStarted);
    struct Listener : testing::EmptyTestEventListener {
        void OnTestStart(const testing::TestInfo& test) override { watchdog.Rearm(test.name()); }
    };
    testing::UnitTest::GetInstance()->listeners().Append(new Listener);
}
