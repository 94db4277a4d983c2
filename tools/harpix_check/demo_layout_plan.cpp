// Rows of controls, left to right, with the label geometry and frame sizes Harpix itself uses.
#include "demo_layout_plan.h"

#include <algorithm>

#include "demo_layout.h"
#include "demo_names.h"
#include "object_records.h"
#include "window_geometry.h"

namespace {

constexpr int32_t kMargin = 10;
constexpr int32_t kVariableGap = 15;  // from an edit box to the next variable's label
constexpr int32_t kButtonGap = 5;
constexpr int32_t kRowGap = 7;
constexpr int32_t kButtonHeight = 25;
constexpr int32_t kButtonPadding = 24;  // around the caption, for the button's edges and focus
constexpr int32_t kMinimumButtonWidth = 70;
// The text box and lyric view are static controls with a dialog frame and a static edge: 4
// pixels a side. The controls' font gives a line 13 pixels.
constexpr int32_t kBoxFrame = 4;
constexpr int32_t kTextLineHeight = 13;
constexpr int32_t kBoxAir = 6;
constexpr int32_t kLyricViewHeight = 40;  // two lines of a lyric

int32_t FrameWidth() {
    return 2 * kFrameBorder;
}

int32_t FrameHeight() {
    return 2 * kFrameBorder + kCaptionHeight + kMenuBarHeight;
}

// A variable placed with its label's left edge at `left`, as the reader would derive it.
VariableDef Placed(const PlannedVariable& planned, int32_t left, int32_t top) {
    VariableDef def{};
    planned.label.copy(def.Label, std::min(planned.label.size(), sizeof def.Label - 1));
    def.Coordx = left + LabelWidthOf(planned.label);
    def.Coordy = top;
    DeriveLabelGeometry(def);
    return def;
}

int32_t VariableWidth(const PlannedVariable& planned) {
    return LabelWidthOf(planned.label) + kEditBoxWidth;
}

int32_t ButtonWidth(const PlannedButton& button) {
    return std::max(kMinimumButtonWidth, EstimatedTextWidth(button.label) + kButtonPadding);
}

// Lines of `text` as a static control wraps them at word breaks within `width` pixels.
int32_t WrappedLines(const std::string& text, int32_t width) {
    int32_t lines = 1;
    std::string line;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find(' ', at), text.size());
        const std::string word = text.substr(at, end - at);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && EstimatedTextWidth(longer) > width) {
            ++lines;
            line = word;
        } else {
            line = longer;
        }
        at = end + 1;
    }
    return lines;
}

// Left to right from the margin, a new row when the next item would pass the right margin.
class Rows {
public:
    Rows(int32_t clientWidth, int32_t top, int32_t pitch, int32_t gap)
        : right_(clientWidth - kMargin), y_(top), pitch_(pitch), gap_(gap) {}

    // Where an item `width` wide goes: its left edge, with y() its row's top.
    int32_t Place(int32_t width) {
        if (x_ > kMargin && x_ + width > right_) {
            x_ = kMargin;
            y_ += pitch_;
        }
        const int32_t left = x_;
        x_ += width + gap_;
        return left;
    }

    int32_t y() const { return y_; }
    bool InFirstRow(int32_t top) const { return y_ == top; }

private:
    int32_t right_;
    int32_t x_ = kMargin;
    int32_t y_;
    int32_t pitch_;
    int32_t gap_;
};

// A variable's row runs from its edit box's top to its label's bottom.
int32_t VariableRowHeight() {
    PlannedVariable any;
    const VariableDef def = Placed(any, 0, 0);
    return std::max(def.LabelY + kLabelHeight, kEditBoxHeight);
}

}  // namespace

std::vector<int32_t> LayoutClientWidths() {
    std::vector<int32_t> widths;
    for (int32_t outer : {440, 560, 640, kLargestWindowWidth}) {
        widths.push_back(outer - FrameWidth());
    }
    return widths;
}

size_t VariablesInFirstRow(const std::vector<PlannedVariable>& variables, int32_t clientWidth) {
    const int32_t top = kDefaultVariableCoordy;
    Rows rows(clientWidth, top, VariableRowHeight() + kRowGap, kVariableGap);
    size_t count = 0;
    for (const PlannedVariable& variable : variables) {
        rows.Place(VariableWidth(variable));
        if (!rows.InFirstRow(top)) {
            break;
        }
        ++count;
    }
    return count;
}

bool LayOutDemo(DemoLayout& layout, int32_t clientWidth) {
    int32_t bottom = 0;
    int32_t right = 0;
    const int32_t rowHeight = VariableRowHeight();
    Rows variableRows(clientWidth, kDefaultVariableCoordy, rowHeight + kRowGap, kVariableGap);
    for (PlannedVariable& variable : layout.variables) {
        const int32_t left = variableRows.Place(VariableWidth(variable));
        const VariableDef def = Placed(variable, left, variableRows.y());
        variable.coordx = def.Coordx;
        variable.coordy = def.Coordy;
        bottom = def.Coordy + rowHeight;
        right = std::max(right, def.Coordx + kEditBoxWidth);
    }
    Rows buttonRows(clientWidth, bottom == 0 ? kMargin : bottom + kRowGap,
                    kButtonHeight + kButtonGap, kButtonGap);
    for (PlannedButton& button : layout.buttons) {
        button.width = ButtonWidth(button);
        button.height = kButtonHeight;
        button.coordx = buttonRows.Place(button.width);
        button.coordy = buttonRows.y();
        bottom = button.coordy + kButtonHeight;
        right = std::max(right, button.coordx + button.width);
    }
    const int32_t boxWidth = clientWidth - 2 * kMargin;
    int32_t lines = 0;
    for (const std::string& line : layout.instructions) {
        lines += WrappedLines(line, boxWidth - 2 * kBoxFrame);
    }
    layout.textBox = {kMargin, bottom + kMargin, boxWidth,
                      lines * kTextLineHeight + 2 * kBoxFrame + kBoxAir};
    layout.lyricView = {kMargin, layout.textBox.y + layout.textBox.height + kMargin, boxWidth,
                        kLyricViewHeight};
    layout.windowWidth = clientWidth + FrameWidth();
    layout.windowHeight = layout.lyricView.y + layout.lyricView.height + kMargin + FrameHeight();
    return layout.windowHeight <= kLargestWindowHeight && right <= clientWidth - kMargin;
}
