// Drawing the demo window: frame, caption, menu bar, then every control at its place.
#include "preview_svg.h"

#include <algorithm>
#include <map>

#include "demo_settings.h"
#include "window_geometry.h"

namespace {

const char kFace[] = "#d4d0c8";
const char kLight[] = "#ffffff";
const char kShadow[] = "#808080";
const char kDark[] = "#404040";
const char kFont[] =
    "font-family=\"MS Sans Serif, Microsoft Sans Serif, Tahoma, DejaVu Sans Condensed, "
    "sans-serif\" font-size=\"10.5\" font-stretch=\"condensed\"";

std::string N(int value) {
    return std::to_string(value);
}

// Text for XML: the reserved characters as entities, bytes from 0x80 as the Latin-1 characters
// of the same value (Windows-1252 differs only in 0x80 to 0x9F), other control bytes dropped.
std::string Xml(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c >= 0x80) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c >= 0x20 || c == '\t') {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Rect(int x, int y, int w, int h, const char* fill) {
    return "<rect x=\"" + N(x) + "\" y=\"" + N(y) + "\" width=\"" + N(std::max(w, 0)) +
           "\" height=\"" + N(std::max(h, 0)) + "\" fill=\"" + fill + "\"/>\n";
}

// A 3D edge one pixel wide: `topLeft` on the top and left, `bottomRight` on the others.
std::string Edge(int x, int y, int w, int h, const char* topLeft, const char* bottomRight) {
    return Rect(x, y, w, 1, topLeft) + Rect(x, y, 1, h, topLeft) +
           Rect(x, y + h - 1, w, 1, bottomRight) + Rect(x + w - 1, y, 1, h, bottomRight);
}

// Text in the controls' font. Drawn `textLength` wide, the width Windows would give it, so that
// a label cut on screen is cut here too, whatever face the SVG viewer substitutes. The character
// at `underlined`, if any, is underlined.
std::string Text(int x, int y, const std::string& text, const char* anchor, const char* extra = "",
                 size_t underlined = std::string::npos) {
    std::string out = std::string("<text x=\"") + N(x) + "\" y=\"" + N(y) + "\" text-anchor=\"" +
                      anchor + "\" " + kFont + extra;
    const int width = EstimatedTextWidth(text);
    if (width > 0) {
        out += " textLength=\"" + N(width) + "\" lengthAdjust=\"spacingAndGlyphs\"";
    }
    std::string body = Xml(text);
    if (underlined < text.size()) {
        body = Xml(text.substr(0, underlined)) + "<tspan text-decoration=\"underline\">" +
               Xml(text.substr(underlined, 1)) + "</tspan>" + Xml(text.substr(underlined + 1));
    }
    return out + " xml:space=\"preserve\">" + body + "</text>\n";
}

// A button's, label's or text box's text, as the control shows it ("&" rules and all).
std::string ControlText(int x, int y, const std::string& text, const char* anchor) {
    size_t underlined = std::string::npos;
    const std::string shown = ShownText(text, &underlined);
    return Text(x, y, shown, anchor, "", underlined);
}

std::string CaptionButton(int x, int y, const std::string& glyph, bool enabled) {
    return Rect(x, y, 16, 14, kFace) + Edge(x, y, 16, 14, kLight, kDark) + "<path d=\"" + glyph +
           "\" transform=\"translate(" + N(x) + "," + N(y) + ")\" stroke=\"" +
           (enabled ? "#000000" : kShadow) + "\" stroke-width=\"1.5\" fill=\"none\"/>\n";
}

std::string Frame(const WindowGeometry& w) {
    std::string out = Rect(0, 0, w.outerWidth, w.outerHeight, kFace);
    out += Edge(0, 0, w.outerWidth, w.outerHeight, kFace, kDark);
    out += Edge(1, 1, w.outerWidth - 2, w.outerHeight - 2, kLight, kShadow);
    const int captionWidth = w.outerWidth - 2 * kFrameBorder;
    out +=
        "<defs><linearGradient id=\"caption\"><stop offset=\"0\" stop-color=\"#0a246a\"/>"
        "<stop offset=\"1\" stop-color=\"#a6caf0\"/></linearGradient></defs>\n";
    out += Rect(kFrameBorder, kFrameBorder, captionWidth, kCaptionHeight - 1, "url(#caption)");
    out += "<svg x=\"" + N(kFrameBorder) + "\" y=\"" + N(kFrameBorder) + "\" width=\"" +
           N(std::max(captionWidth - 56, 0)) + "\" height=\"" + N(kCaptionHeight) + "\">\n";
    out += std::string("<text x=\"4\" y=\"13\" ") + kFont +
           " font-weight=\"bold\" fill=\"#ffffff\" xml:space=\"preserve\">" +
           Xml(demoSettings.Title) + "</text>\n";
    out += "</svg>\n";
    const int buttonsY = kFrameBorder + 2;
    const int closeX = w.outerWidth - kFrameBorder - 2 - 16;
    out += CaptionButton(closeX, buttonsY, "M4,3 L11,10 M11,3 L4,10", true);
    out += CaptionButton(closeX - 18, buttonsY, "M3,2 h9 v8 h-9 z M3,3 h9", false);
    out += CaptionButton(closeX - 34, buttonsY, "M4,10 h6", true);
    const int menuY = kFrameBorder + kCaptionHeight;
    out += Text(kFrameBorder + 6, menuY + 13, "File", "start");
    out += Text(kFrameBorder + 6 + 32, menuY + 13, "Help", "start");
    out += Rect(kFrameBorder, menuY + kMenuBarHeight - 1, captionWidth, 1, kLight);
    return out;
}

// A control's body, drawn in its own box so that what does not fit is cut off as on screen.
std::string Body(const DemoControl& c) {
    std::string out = "<svg x=\"" + N(c.x) + "\" y=\"" + N(c.y) + "\" width=\"" + N(c.width) +
                      "\" height=\"" + N(c.height) + "\">\n";
    switch (c.kind) {
        case ControlKind::Button:
            out += Edge(0, 0, c.width, c.height, "#000000", "#000000");
            out += Edge(1, 1, c.width - 2, c.height - 2, kLight, kDark);
            out += Edge(2, 2, c.width - 4, c.height - 4, kFace, kShadow);
            out += ControlText(c.width / 2, c.height / 2 + 4, c.text, "middle");
            break;
        case ControlKind::Edit:
            out += Edge(0, 0, c.width, c.height, kShadow, kLight);
            out += Edge(1, 1, c.width - 2, c.height - 2, kLight, kDark);
            out += Edge(2, 2, c.width - 4, c.height - 4, kFace, kFace);
            out += Rect(4, 4, c.width - 8, c.height - 8, "#ffffff");
            out += Text(5, 14, "0", "start");  // the script's value, which is not known here
            break;
        case ControlKind::Label:
            out += ControlText(0, 11, c.text, "start");
            break;
        case ControlKind::TextBox:
        case ControlKind::LyricView: {
            const std::string text = c.text;
            out += Edge(0, 0, c.width, c.height, kShadow, kLight);
            out += Edge(1, 1, c.width - 2, c.height - 2, kLight, kDark);
            int line = 0;
            for (size_t start = 0; start <= text.size() && !text.empty(); ++line) {
                size_t end = text.find('\n', start);
                end = end == std::string::npos ? text.size() : end;
                out += ControlText(c.width / 2, 14 + 13 * line, text.substr(start, end - start),
                                   "middle");
                start = end + 1;
            }
            break;
        }
    }
    return out + "</svg>\n";
}

}  // namespace

std::string DrawDemoWindow(const Findings& findings, std::vector<int>& marks) {
    const WindowGeometry w = DemoWindowGeometry();
    const std::vector<DemoControl> controls = ShownControls();
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + N(w.outerWidth) +
                      "\" height=\"" + N(w.outerHeight) + "\" viewBox=\"0 0 " + N(w.outerWidth) +
                      " " + N(w.outerHeight) + "\">\n<title>" + Xml(demoSettings.Title) +
                      "</title>\n";
    out += Frame(w);
    out += "<g transform=\"translate(" + N(w.clientX) + "," + N(w.clientY) + ")\">\n";
    out += "<svg width=\"" + N(w.clientWidth) + "\" height=\"" + N(w.clientHeight) + "\">\n";
    for (const DemoControl& c : controls) {
        const bool framed = c.kind != ControlKind::Label;
        out += "<rect id=\"control-" + N(c.id) + "\" x=\"" + N(c.x) + "\" y=\"" + N(c.y) +
               "\" width=\"" + N(c.width) + "\" height=\"" + N(c.height) + "\" fill=\"" +
               (c.kind == ControlKind::Edit ? "#ffffff" : kFace) + "\"" +
               (framed ? "" : " fill-opacity=\"0\"") + "/>\n";
        out += Body(c);
    }
    marks.assign(findings.size(), 0);
    int number = 0;
    std::map<int, int> marksOn;  // a control's second mark goes left of its first
    for (size_t i = 0; i < findings.size(); ++i) {
        for (const DemoControl& c : controls) {
            if (c.id != findings[i].controlId || findings[i].severity == Severity::Note) {
                continue;
            }
            marks[i] = ++number;
            out += "<rect class=\"warning\" x=\"" + N(c.x - 1) + "\" y=\"" + N(c.y - 1) +
                   "\" width=\"" + N(c.width + 2) + "\" height=\"" + N(c.height + 2) +
                   "\" fill=\"none\" stroke=\"#e00000\" stroke-width=\"2\"/>\n";
            // Kept inside the client area, so that a control beyond it is marked at its edge.
            const int cx =
                std::clamp(c.x + c.width - 16 * marksOn[c.id]++, 7, std::max(w.clientWidth - 7, 7));
            const int cy = std::clamp(c.y, 7, std::max(w.clientHeight - 7, 7));
            out += "<circle cx=\"" + N(cx) + "\" cy=\"" + N(cy) +
                   "\" r=\"7\" fill=\"#e00000\"/>\n" +
                   Text(cx, cy + 4, N(number), "middle", " font-weight=\"bold\" fill=\"#ffffff\"");
        }
    }
    return out + "</svg>\n</g>\n</svg>\n";
}
