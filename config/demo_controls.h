// The demo window's child controls, worked out once from the records: the program creates a
// window for each, harpix-check draws and measures the same ones. Platform-free, so the styles
// are Windows' own numbers.
#pragma once

#include <cstdint>
#include <vector>

#include "object_records.h"

enum class ControlKind { Button, Edit, Label, TextBox, LyricView };

struct DemoControl {
    ControlKind kind;
    const char* windowClass;
    uint32_t exStyle;
    uint32_t style;
    int id;
    int32_t x;  // in the client area, as the records give them
    int32_t y;
    int32_t width;
    int32_t height;
    // Points into the record. Edit boxes and the lyric view start empty: the program shows the
    // script's value in the one and the lyrics in the other.
    const char* text;
    int record;             // its slot in its table
    ControlHandle* handle;  // where the record keeps the window made for it
};

// In the order the program creates them: the buttons, each variable's edit box and then its
// label, the text boxes, the lyric view.
std::vector<DemoControl> DemoControls();
