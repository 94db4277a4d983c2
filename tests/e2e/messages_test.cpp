// The reader's message boxes as the user meets them, one after another over the wait window,
// which goes only once the main window shows. (Every other box of start-up is the differential
// check's; the in-process tests meet a folder too deep for RuntimeFiles.)
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "resource.h"

namespace {

const char kSizeLimit[] = "A size limit was reached in the .ini file.  Items may be missing.";
const char kButton[] =
    "One or more items are incomplete or incorrect in a button's parameters.\n"
    "This button may not display\\behave properly.\n"
    "The object following it in Harpix.ini may not appear.";

// Whether the wait window shows "Please Wait......." at (10, 10) of its client area and nothing
// after it, compared pixel for pixel with the same text drawn here in the same (system) font,
// black on white, with one more character cell of white on its right: a dot or a word more
// fails too.
bool ShowsWaitText(HWND wait) {
    static const char kText[] = "Please Wait.......";
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    SelectObject(memory, GetStockObject(SYSTEM_FONT));
    SIZE size;
    GetTextExtentPoint32A(memory, kText, sizeof kText - 1, &size);
    TEXTMETRICA metrics;
    GetTextMetricsA(memory, &metrics);
    const int width = size.cx + metrics.tmMaxCharWidth;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, size.cy);
    HGDIOBJ old = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, width, size.cy, WHITENESS);
    TextOutA(memory, 0, 0, kText, sizeof kText - 1);
    POINT origin = {10, 10};
    ClientToScreen(wait, &origin);
    int differ = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < width; ++x) {
            differ += GetPixel(memory, x, y) != GetPixel(screen, origin.x + x, origin.y + y);
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return differ == 0;
}

TEST(Messages, TheReadersComeInOrderUnownedOverTheWaitWindowAndStartUpGoesOn) {
    // A value cut, then a Button with a key missing: the wait window around the reader's boxes.
    // (Every other reader box, in order, with caption, owner and icon, is the differential
    // check's; the golden files pin the texts.)
    DemoFolder folder;
    folder.WriteEmptyScript();
    folder.Write("Harpix.ini",
                 "ScriptFileName e2e.spt\nTitle " + std::string(60, 't') +
                     "\nButton B\nCoordx 1\nCoordy 1\nWidth 9\nHeight 9\nWord\nEnd Ini\n");
    Process harpix = StartIn(folder);
    HWND wait = nullptr;
    for (const char* expected : {kSizeLimit, kButton}) {
        SCOPED_TRACE(expected);
        MessageBoxSeen seen = WaitForMessageBox(harpix);
        ASSERT_NE(seen.box, nullptr) << "no message box came: " << harpix.Outcome();
        EXPECT_EQ(seen.caption, "Harpix");
        EXPECT_EQ(seen.text, expected);
        EXPECT_EQ(seen.owner, nullptr) << "reader messages have no owner";
        EXPECT_TRUE(seen.stopIcon) << "expected the stop icon";
        EXPECT_EQ(harpix.FindWindow("HARPIX"), nullptr) << "not before the file is read";
        wait = harpix.FindWindow("Harpix  ");
        ASSERT_NE(wait, nullptr) << "the wait window shows while the file is read";
        if (expected == kSizeLimit) {
            EXPECT_TRUE(ShowsWaitText(wait));
        }
        ASSERT_TRUE(PressOk(seen.box));
    }
    // The program shows the main window first and destroys the wait window after it. From the
    // last message on, looked at by handle and without naps (a search of every window is
    // slower), the wait window before the main window: whenever the wait window is seen gone,
    // the main window must already be shown.
    HWND created = nullptr;
    bool waitGone = false;
    bool mainShownFirst = true;
    for (const DWORD start = GetTickCount(); !waitGone && GetTickCount() - start < kPatience;) {
        waitGone = !IsWindowVisible(wait);
        for (HWND w = nullptr;
             created == nullptr && (w = FindWindowExA(nullptr, w, "HARPIX", nullptr)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            created = owner == harpix.Id() ? w : nullptr;
        }
        mainShownFirst = mainShownFirst && (!waitGone || IsWindowVisible(created));
    }
    EXPECT_TRUE(waitGone) << "the wait window stayed";
    EXPECT_TRUE(mainShownFirst) << "the wait window went before the main window showed";
    HWND main = harpix.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "start-up did not go on after the last message";
    EXPECT_EQ(harpix.FindWindow("#32770"), nullptr);
    PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(harpix.ExitCode(), 0u);
}

}  // namespace
