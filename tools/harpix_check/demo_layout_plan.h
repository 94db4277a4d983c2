// Where a new demo's controls go: in rows inside the client area, the variables first (their
// first row at a Variable's default Coordy, the one place a variable with a NotifyRoutine can
// stand, for its three key lines leave no room for Coordy), then the buttons, a text box of
// instructions and the lyric view, and the window sized to hold them all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The largest window a new demo gets, the smallest screen it may be shown on.
constexpr int32_t kLargestWindowWidth = 800;
constexpr int32_t kLargestWindowHeight = 600;

struct PlannedVariable {
    std::string variable;
    std::string label;
    std::string notifyRoutine;  // "" for none
    int32_t coordx = 0;
    int32_t coordy = 0;
};

struct PlannedButton {
    std::string routine;
    std::string label;
    int32_t coordx = 0;
    int32_t coordy = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct PlannedBox {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct DemoLayout {
    std::vector<PlannedVariable> variables;  // in this order, left to right and row by row
    std::vector<PlannedButton> buttons;
    std::vector<std::string> instructions;  // the text box's lines
    PlannedBox textBox;
    PlannedBox lyricView;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
};

// The client widths a layout is tried at, narrowest first: the bundled demo's, then wider ones
// up to the largest window's.
std::vector<int32_t> LayoutClientWidths();

// How many of `variables`, in order, the first row of a client area `clientWidth` wide holds.
size_t VariablesInFirstRow(const std::vector<PlannedVariable>& variables, int32_t clientWidth);

// Places everything at `clientWidth` and sizes the window; false when it is taller than the
// largest window or a control is too wide for a row.
bool LayOutDemo(DemoLayout& layout, int32_t clientWidth);
