// The demo window's child controls, worked out once from the records: the program creates a
// window for each, harpix-check draws and measures the same ones. Platform-free, so the styles
// are Windows' own numbers.
#pragma once

#include <cstdint>
#include <vector>

#include "object_records.h"
#include "reader_observer.h"

enum class ControlKind { Button, Edit, Label, TextBox, LyricView };

struct DemoControl {
    ControlKind kind;
    SectionKind section;  // the section it comes from,
    int record;           // and that section's slot in its table
    const char* windowClass;
    uint32_t exStyle;
    uint32_t style;
    int id;
    int32_t x, y, width, height;  // in the client area, as the records give them
    // The record's own text; empty for an edit box (the program shows the script's value) and
    // the lyric view (the lyrics).
    const char* text;
    ControlHandle* handle;  // where the record keeps the window made for it
};

// In the order the program creates them: the buttons, each variable's edit box and then its
// label, the text boxes, the lyric view.
std::vector<DemoControl> DemoControls();
