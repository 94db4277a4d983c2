// The demo window's controls, from the tables.
#include "demo_controls.h"

namespace {

// Windows' numbers: WS_CHILD | WS_VISIBLE and
constexpr uint32_t kButtonStyle = 0x50000001;  // BS_DEFPUSHBUTTON
constexpr uint32_t kEditStyle = 0x50412004;   // WS_DLGFRAME | WS_TABSTOP | ES_NUMBER | ES_MULTILINE
constexpr uint32_t kLabelStyle = 0x50000000;  // SS_LEFT
constexpr uint32_t kTextBoxStyle = 0x50400001;  // WS_DLGFRAME | SS_CENTER
// WS_DLGFRAME | SS_CENTER | SS_NOPREFIX: lyrics come from the music, not from a menu, so an "&"
// in one is shown.
constexpr uint32_t kLyricViewStyle = 0x50400081;
constexpr uint32_t kStaticEdge = 0x20000;  // WS_EX_STATICEDGE

}  // namespace

std::vector<DemoControl> DemoControls() {
    std::vector<DemoControl> controls;
    for (int32_t i = 0; i < buttonCount; ++i) {
        ButtonDef& b = *buttons[i];
        controls.push_back({ControlKind::Button, SectionKind::Button, i, "button", 0, kButtonStyle,
                            i, b.Coordx, b.Coordy, b.Width, b.Height, b.Label, &b.Control});
    }
    for (int32_t i = 0; i < variableCount; ++i) {
        VariableDef& v = *variables[i];
        controls.push_back({ControlKind::Edit, SectionKind::Variable, i, "edit", kStaticEdge,
                            kEditStyle, kEditIdBase + i, v.Coordx, v.Coordy, kEditBoxWidth,
                            kEditBoxHeight, "", &v.EditControl});
        controls.push_back({ControlKind::Label, SectionKind::Variable, i, "static", 0, kLabelStyle,
                            kLabelIdBase + i, v.LabelX, v.LabelY, v.LabelWidth, kLabelHeight,
                            v.Label, &v.LabelControl});
    }
    for (int32_t i = 0; i < textBoxCount; ++i) {
        TextBoxDef& t = *textBoxes[i];
        controls.push_back({ControlKind::TextBox, SectionKind::TextBox, i, "static", kStaticEdge,
                            kTextBoxStyle, kTextBoxIdBase + i, t.TopLeftX, t.TopLeftY, t.Width,
                            t.Height, t.Text, &t.Control});
    }
    if (hasLyricView == 1) {
        LyricViewDef& l = *lyricView;
        controls.push_back({ControlKind::LyricView, SectionKind::LyricView, 0, "static",
                            kStaticEdge, kLyricViewStyle, kLyricViewId, l.TopLeftX, l.TopLeftY,
                            l.Width, l.Height, "", &l.Control});
    }
    return controls;
}
