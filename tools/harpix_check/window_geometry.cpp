// The geometry of the demo window, computed as CreateWindowEx would lay it out.
#include "window_geometry.h"

#include <algorithm>

#include "demo_settings.h"

namespace {

// Character widths in pixels of every byte from the space on, in the face Windows (and Wine,
// with its own fonts) gives the controls' font: the 13-pixel "MS Sans Serif". Code page 1252's
// undefined bytes and DEL draw as the font's default character. Control bytes count 5.
const unsigned char kWidths[224] = {
    3,  3, 5, 7, 6, 8, 6,  2,  3, 3,  4, 6, 3,  3, 3, 5,  // space to /
    6,  6, 6, 6, 6, 6, 6,  6,  6, 6,  3, 3, 6,  6, 6, 6,  // 0 to ?
    11, 7, 7, 7, 8, 7, 6,  8,  8, 3,  5, 7, 6,  9, 8, 8,  // @ to O
    7,  8, 8, 7, 7, 8, 7,  11, 7, 7,  7, 3, 5,  3, 6, 6,  // P to _
    3,  6, 6, 6, 6, 6, 3,  6,  6, 2,  2, 6, 2,  8, 6, 6,  // ` to o
    6,  6, 3, 5, 3, 6, 6,  8,  5, 5,  5, 4, 2,  4, 7, 3,  // p to DEL
    6,  3, 3, 3, 5, 6, 5,  5,  3, 11, 7, 6, 10, 3, 7, 3,  // 0x80 to 0x8F
    3,  3, 3, 4, 4, 6, 5,  6,  3, 9,  5, 6, 10, 3, 5, 7,  // 0x90 to 0x9F
    3,  3, 6, 6, 6, 6, 2,  6,  3, 9,  4, 6, 6,  3, 8, 6,  // 0xA0 to 0xAF
    4,  6, 3, 3, 3, 6, 6,  3,  3, 3,  4, 6, 8,  8, 8, 6,  // 0xB0 to 0xBF
    7,  7, 7, 7, 7, 7, 10, 7,  7, 7,  7, 7, 3,  3, 3, 3,  // 0xC0 to 0xCF
    8,  8, 8, 8, 8, 8, 8,  6,  8, 8,  8, 8, 8,  7, 7, 6,  // 0xD0 to 0xDF
    6,  6, 6, 6, 6, 6, 10, 6,  6, 6,  6, 6, 2,  4, 4, 4,  // 0xE0 to 0xEF
    6,  6, 6, 6, 6, 6, 6,  6,  6, 6,  6, 6, 6,  5, 6, 5,  // 0xF0 to 0xFF
};

}  // namespace

WindowGeometry DemoWindowGeometry() {
    WindowGeometry g{};
    g.outerWidth = std::max<int32_t>(demoSettings.WindowWidth, kMinimumWindowWidth);
    g.outerHeight = std::max<int32_t>(demoSettings.WindowHeight, kMinimumWindowHeight);
    g.clientX = kFrameBorder;
    g.clientY = kFrameBorder + kCaptionHeight + kMenuBarHeight;
    g.clientWidth = std::max(0, g.outerWidth - 2 * kFrameBorder);
    g.clientHeight = std::max(0, g.outerHeight - g.clientY - kFrameBorder);
    return g;
}

std::vector<DemoControl> ShownControls() {
    std::vector<DemoControl> controls = DemoControls();
    for (DemoControl& c : controls) {
        c.width = std::max(c.width, 0);
        c.height = std::max(c.height, 0);
    }
    return controls;
}

int EstimatedTextWidth(const std::string& text) {
    int width = 0;
    for (unsigned char c : text) {
        width += c >= 32 ? kWidths[c - 32] : 5;
    }
    return width;
}

std::string ShownText(const std::string& text, size_t* underlined) {
    std::string shown;
    size_t last = std::string::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] != '\n') {
            ++i;
            last = text[i] == '&' ? last : shown.size();
        }
        shown += text[i];
    }
    if (underlined != nullptr) {
        *underlined = last;
    }
    return shown;
}
