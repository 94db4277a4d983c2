// The layout checks, on the rectangles the program would create.
#include "layout_findings.h"

#include <algorithm>

#include "ascii_text.h"
#include "demo_layout.h"
#include "demo_settings.h"
#include "key_names.h"
#include "object_records.h"
#include "quoted_text.h"
#include "window_geometry.h"

namespace {

const SectionInfo* SectionOfControl(const ReadingAnalysis& reading, const DemoControl& control) {
    for (const SectionInfo& section : reading.sections) {
        if (section.kind == control.section && section.record == control.record) {
            return &section;
        }
    }
    return nullptr;
}

std::string Name(const ReadingAnalysis& reading, const DemoControl& control) {
    const SectionInfo* section = SectionOfControl(reading, control);
    std::string name = section != nullptr ? DescribeSection(*section) : "a control";
    if (control.kind == ControlKind::Edit) {
        return "the edit box of " + name;
    }
    if (control.kind == ControlKind::Label) {
        return "the label of " + name;
    }
    return name;
}

std::string Box(const DemoControl& c) {
    return "(" + std::to_string(c.x) + ", " + std::to_string(c.y) + ", " + std::to_string(c.width) +
           " x " + std::to_string(c.height) + ")";
}

bool Overlap(const DemoControl& a, const DemoControl& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height && a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0;
}

// A window smaller than Windows allows is grown to the smallest.
void FindWindowSizeProblem(const ReadingAnalysis& reading, const WindowGeometry& window,
                           Findings& findings) {
    if (demoSettings.WindowWidth < kMinimumWindowWidth ||
        demoSettings.WindowHeight < kMinimumWindowHeight) {
        auto at = reading.settingAt.find(
            demoSettings.WindowWidth < kMinimumWindowWidth ? "WindowWidth" : "WindowHeight");
        findings.push_back({at != reading.settingAt.end() ? at->second : 0, Severity::Warning,
                            "the window is " + std::to_string(demoSettings.WindowWidth) + " x " +
                                std::to_string(demoSettings.WindowHeight) +
                                ": Harpix makes the smallest window instead, " +
                                std::to_string(window.outerWidth) + " x " +
                                std::to_string(window.outerHeight) + " with a client area of " +
                                std::to_string(window.clientWidth) + " x " +
                                std::to_string(window.clientHeight)});
    }
}

// One finding a control, naming the first control it overlaps: a pile of controls at one place
// would otherwise give a warning for every pair.
void FindOverlap(const ReadingAnalysis& reading, const std::vector<DemoControl>& controls, size_t i,
                 int32_t at, Findings& findings) {
    const DemoControl& c = controls[i];
    size_t first = i;
    int others = 0;
    for (size_t j = 0; j < i; ++j) {
        const bool sameVariable = c.kind == ControlKind::Label &&
                                  controls[j].kind == ControlKind::Edit &&
                                  controls[j].record == c.record;
        if (!sameVariable && Overlap(c, controls[j])) {
            others += first == i ? 0 : 1;
            first = first == i ? j : first;
        }
    }
    if (first != i) {
        findings.push_back({at, Severity::Warning,
                            Name(reading, c) + " " + Box(c) + " overlaps " +
                                Name(reading, controls[first]) + " " + Box(controls[first]) +
                                (others > 0 ? " and " + std::to_string(others) + " more" : ""),
                            c.id});
    }
}

// A label cut short, or a text that underlines where its author meant an "&".
void FindTextProblems(const std::string& name, const DemoControl& c, int32_t at,
                      Findings& findings) {
    size_t underlined = std::string::npos;
    const int shownWidth = EstimatedTextWidth(ShownText(c.text, &underlined));
    if (c.kind == ControlKind::Label && shownWidth > c.width) {
        findings.push_back({at, Severity::Warning,
                            "the label " + Quoted(c.text) + " is about " +
                                std::to_string(shownWidth) + " pixels wide but gets " +
                                std::to_string(kLabelPixelsPerCharacter) + " a character, " +
                                std::to_string(c.width) + ": it may be cut",
                            c.id});
    }
    // Labels and text boxes keep Windows' "&" rule: an author may rely on "&&".
    if ((c.kind == ControlKind::Label || c.kind == ControlKind::TextBox) &&
        underlined != std::string::npos) {
        findings.push_back({at, Severity::Warning,
                            "a single '&' in " +
                                (c.kind == ControlKind::Label ? "the label " + Quoted(c.text)
                                                              : "the text of " + name) +
                                " shows as an underline of the next character; write && for &",
                            c.id});
    }
}

// An edit box pushed right to make room for its label.
void FindMovedEditBox(const SectionInfo& section, const DemoControl& c, Findings& findings) {
    auto coordx = section.values.find("Coordx");
    const bool given = coordx != section.values.end();
    const int32_t asked = given ? ParseNumber(coordx->second.c_str()) : kDefaultVariableCoordx;
    const VariableDef& v = *variables[c.record];
    if (asked < v.Coordx) {
        findings.push_back(
            {given ? section.valueAt.at("Coordx") : section.keyword, Severity::Warning,
             "Coordx " + std::to_string(asked) + " leaves no room for the label " +
                 Quoted(v.Label) + " (" + std::to_string(kLabelPixelsPerCharacter) +
                 " pixels a character): the edit box moves right to " + std::to_string(v.Coordx),
             c.id});
    }
}

}  // namespace

void FindLayoutProblems(const ReadingAnalysis& reading, Findings& findings) {
    const WindowGeometry window = DemoWindowGeometry();
    FindWindowSizeProblem(reading, window, findings);
    const std::vector<DemoControl> controls = ShownControls();
    for (size_t i = 0; i < controls.size(); ++i) {
        const DemoControl& c = controls[i];
        const SectionInfo* section = SectionOfControl(reading, c);
        const int32_t at = section != nullptr ? section->keyword : 0;
        const std::string name = Name(reading, c);
        if (c.x < 0 || c.y < 0 || c.x + c.width > window.clientWidth ||
            c.y + c.height > window.clientHeight) {
            const bool hidden = c.x >= window.clientWidth || c.y >= window.clientHeight ||
                                c.x + c.width <= 0 || c.y + c.height <= 0;
            findings.push_back({at, Severity::Warning,
                                name + " " + Box(c) + (hidden ? " lies outside" : " reaches past") +
                                    " the client area of " + std::to_string(window.clientWidth) +
                                    " x " + std::to_string(window.clientHeight),
                                c.id});
        }
        FindOverlap(reading, controls, i, at, findings);
        FindTextProblems(name, c, at, findings);
        if (c.kind == ControlKind::Edit && section != nullptr) {
            FindMovedEditBox(*section, c, findings);
        }
    }
}
