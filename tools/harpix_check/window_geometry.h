// The demo window as Harpix builds it: the frame's size and client area, and every child
// control where its window stands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demo_controls.h"
#include "demo_layout.h"

// The frame as Wine 8 draws it by default (Windows' classic look at 96 dpi is alike): a dialog
// frame of 3 pixels, a caption of 19 and a menu bar of 19; a captioned window is grown to at
// least 116 x 27. Measured with GetSystemMetrics and GetClientRect under Wine.
constexpr int kFrameBorder = 3;
constexpr int kCaptionHeight = 19;
constexpr int kMenuBarHeight = 19;
constexpr int kMinimumWindowWidth = 116;
constexpr int kMinimumWindowHeight = 27;

struct WindowGeometry {
    int outerWidth;
    int outerHeight;
    int clientX;  // the client area's offset in the frame
    int clientY;
    int clientWidth;
    int clientHeight;
};

// From the configured WindowWidth and WindowHeight, grown to the smallest window if need be.
WindowGeometry DemoWindowGeometry();

// The demo's controls as their windows stand: CreateWindowEx makes a negative size 0.
std::vector<DemoControl> ShownControls();

// How wide the controls' font draws `text`.
int EstimatedTextWidth(const std::string& text);

// What a button, label or text box shows of `text`: an "&" before a character (other than a
// line break) is hidden and that character underlined, "&&" shows as "&". `underlined`, when
// given, gets the index in the result of the last character underlined (Windows underlines one
// a line), or npos.
std::string ShownText(const std::string& text, size_t* underlined = nullptr);
