// The end-to-end driver's support: folders, processes, windows, message boxes and keys.
#include "e2e_support.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>

std::string harpixExePath, harpixCheckPath, scriptsFolder, demoSourceFolder;

namespace {

// The message box's icon as painted: 1 when mostly red (the stop icon), 0 when another, -1
// while it is not painted yet. One copy of the screen is read, not pixel by pixel: reading each
// pixel is a round trip to the X server, slow, and may see the icon half drawn.
int StopIconShown(HWND box) {
    for (HWND icon : ChildrenOf(box)) {
        if ((GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) != SS_ICON ||
            ClassNameOf(icon) != "Static") {
            continue;
        }
        RECT r;
        GetWindowRect(icon, &r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height;  // top row first
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC screen = GetDC(nullptr);
        HDC copy = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        int red = 0, painted = 0;
        for (int i = 0; i < width * height; ++i) {
            const DWORD c = static_cast<const DWORD*>(bits)[i];  // 0x00RRGGBB
            const int cr = (c >> 16) & 0xFF, cg = (c >> 8) & 0xFF, cb = c & 0xFF;
            painted += RGB(cr, cg, cb) != face;
            red += cr > 160 && cg < 90 && cb < 90;
        }
        SelectObject(copy, old);
        DeleteObject(bitmap);
        DeleteDC(copy);
        ReleaseDC(nullptr, screen);
        const int area = width * height;
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
    if (keep_) {
        return;
    }
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
    static const char kScript[] = "RIFF\x14\0\0\0DMSCschd\x08\0\0\0\0\0\0\0\0\0\0\0";
    Write(relativeName, std::string(kScript, sizeof kScript - 1));
}

Process::Process(const std::string& exePath, std::string commandLine, const std::string& folder,
                 const std::string& outputFile)
    : JobProcess(exePath, commandLine, folder, outputFile) {
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
        // Painted, and the same twice running: an icon is drawn in steps (mask, then colours).
        int icon = -1, before = -1;
        WaitUntil([&] {
            before = icon;
            icon = StopIconShown(seen.box);
            return icon >= 0 && icon == before;
        });
        seen.stopIcon = icon == 1;
    }
    return seen;
}

bool PressOk(HWND box) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return WaitUntil([box] { return !IsWindow(box); });
}

namespace {
Watchdog* watchdog = nullptr;
}

void StartWatchdog(int seconds) {
    static Watchdog started("harpix_e2e", static_cast<DWORD>(seconds) * 1000, EndAllStarted);
    watchdog = &started;
    struct Listener : testing::EmptyTestEventListener {
        void OnTestStart(const testing::TestInfo& test) override { RearmWatchdog(test.name()); }
    };
    testing::UnitTest::GetInstance()->listeners().Append(new Listener);
}

void RearmWatchdog(const char* what) {
    if (watchdog != nullptr) {
        watchdog->Rearm(what);
    }
}
