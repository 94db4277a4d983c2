// The sections of a new demo, in the order its window is laid out.
#include "demo_description_text.h"

namespace {

// Words at the top level are skipped, but any that is a key would be read as one, wherever it
// stands: this note holds none.
const char kNote[] =
    "Made by harpix-check --new-demo from the script's routines and variables.\n"
    "Every key starts its line, one space before its value.\n";

void Line(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += ' ';
    out += value;
    out += '\n';
}

void Line(std::string& out, const char* key, int32_t value) {
    Line(out, key, std::to_string(value));
}

void Variable(std::string& out, const PlannedVariable& variable) {
    Line(out, "\nVariable", variable.label);
    Line(out, "Coordx", variable.coordx);
    // Three key lines: one with a NotifyRoutine leaves out Coordy and stands at its default.
    if (variable.notifyRoutine.empty()) {
        Line(out, "Coordy", variable.coordy);
    }
    Line(out, "Scriptvariable", variable.variable);
    if (!variable.notifyRoutine.empty()) {
        Line(out, "NotifyRoutine", variable.notifyRoutine);
    }
}

void Button(std::string& out, const PlannedButton& button) {
    Line(out, "\nButton", button.label);
    Line(out, "Coordx", button.coordx);
    Line(out, "Coordy", button.coordy);
    Line(out, "Width", button.width);
    Line(out, "Height", button.height);
    Line(out, "Scriptroutine", button.routine);
}

void Box(std::string& out, const PlannedBox& box) {
    Line(out, "TopLeftX", box.x);
    Line(out, "TopLeftY", box.y);
    Line(out, "Width", box.width);
    Line(out, "Height", box.height);
}

}  // namespace

std::string DescriptionText(const DemoHeader& header, const DemoLayout& layout) {
    std::string out = kNote;
    Line(out, "\nTitle", header.title);
    Line(out, "WindowWidth", layout.windowWidth);
    Line(out, "WindowHeight", layout.windowHeight);
    Line(out, "ScriptFileName", header.scriptFileName);
    if (!header.autoExecRoutine.empty()) {
        Line(out, "AutoExecRoutine", header.autoExecRoutine);
    }
    for (const PlannedVariable& variable : layout.variables) {
        Variable(out, variable);
    }
    for (const PlannedButton& button : layout.buttons) {
        Button(out, button);
    }
    out += "\nTextBox\n";
    Box(out, layout.textBox);
    std::string text;
    for (const std::string& line : layout.instructions) {
        text += (text.empty() ? "" : "\n") + line;
    }
    Line(out, "Text", text);
    out += "EndText\n\nLyricView\n";
    Box(out, layout.lyricView);
    return out + "\nEnd Ini\n";
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}
