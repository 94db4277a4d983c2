// Saving what the screen shows of Harpix, through the screen's own device context.
#include "screenshot.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "demo_run.h"

bool SaveScreenArea(const RECT& area, const std::string& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files keep their rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();

    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * static_cast<DWORD>(height);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    bool written = out != nullptr && std::fwrite(&file, sizeof file, 1, out) == 1 &&
                   std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                   std::fwrite(bits, rowBytes, static_cast<size_t>(height), out) ==
                       static_cast<size_t>(height);
    if (out != nullptr) {
        std::fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}

int TakeDemoWindowScreenshot(const std::string& bmpPath) {
    DemoRun run(
        "Title Tempo and volume\nWindowWidth 330\nWindowHeight 260\n"
        "Button Play\nCoordx 10\nCoordy 10\nWidth 95\nHeight 23\nScriptroutine Play\n"
        "Button Stop\nCoordx 115\nCoordy 10\nWidth 95\nHeight 23\nScriptroutine Stop\n"
        "Variable Tempo\nCoordx 60\nCoordy 50\nScriptvariable Tempo\n"
        "Variable Volume\nCoordx 180\nCoordy 50\nScriptvariable Volume\n"
        "TextBox\nTopLeftX 10\nTopLeftY 85\nWidth 300\nHeight 50\n"
        "Text Press Play, then change the tempo.\nEnter sends every value to the script.\n"
        "EndText\n"
        "LyricView\nTopLeftX 10\nTopLeftY 150\nWidth 300\nHeight 30\n"
        "End Ini\n");
    HWND main = run.WaitForMainWindow();
    if (main == nullptr) {
        std::fprintf(stderr, "screenshot: the main window did not show\n");
        return 1;
    }
    // Wine's own script engine sings nothing; the view shows what a lyric looks like.
    Sleep(300);
    SendMessageA(GetDlgItem(main, 550), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("la la la, the lyric goes here"));
    Sleep(500);
    RECT rect = OuterRect(main);
    RECT area = {rect.left - 8, rect.top - 8, rect.right + 8, rect.bottom + 8};
    bool saved = SaveScreenArea(area, bmpPath);
    PostMessageA(main, WM_COMMAND, 105, 0);
    run.ExitCode();
    return saved ? 0 : 1;
}

int TakeAboutBoxScreenshot(const std::string& bmpPath) {
    DemoRun run("Title Harpix demo\nWindowWidth 360\nWindowHeight 240\nEnd Ini\n");
    HWND main = run.WaitForMainWindow();
    if (main == nullptr) {
        std::fprintf(stderr, "screenshot: the main window did not show\n");
        return 1;
    }
    PostMessageA(main, WM_COMMAND, 104, 0);
    HWND about = WaitForWindowOfClass(run.Id(), "#32770");
    if (about == nullptr) {
        std::fprintf(stderr, "screenshot: the About box did not open\n");
        return 1;
    }
    Sleep(500);  // let both windows finish painting
    RECT mainRect = OuterRect(main);
    RECT aboutRect = OuterRect(about);
    RECT area = {std::min(mainRect.left, aboutRect.left) - 8,
                 std::min(mainRect.top, aboutRect.top) - 8,
                 std::max(mainRect.right, aboutRect.right) + 8,
                 std::max(mainRect.bottom, aboutRect.bottom) + 8};
    bool saved = SaveScreenArea(area, bmpPath);
    PressButton(about, IDOK);
    WaitUntil([&] { return !IsWindow(about); });
    PostMessageA(main, WM_COMMAND, 105, 0);
    run.ExitCode();
    if (!saved) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", bmpPath.c_str());
        return 1;
    }
    return 0;
}
