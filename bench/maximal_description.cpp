// Builds the maximal description file, padding its text boxes to the exact size.
#include "maximal_description.h"

#include <string>

namespace {

constexpr int kButtons = 50;
constexpr int kVariables = 25;
constexpr int kTextBoxes = 25;
// Text box lines about as long as an author would type them.
constexpr size_t kLineLength = 60;

std::string Number(int value) {
    return std::to_string(value);
}

std::string Settings() {
    // The title uses all 48 characters of its field.
    return "Title The Morning Harp - every control a demo may have\n"
           "WindowWidth 1000\n"
           "WindowHeight 760\n"
           "ScriptFileName MaximalDemo.spt\n"
           "AutoExecRoutine StartTheMusic\n"
           "AudioPathFileName StereoWithReverb.aud\n";
}

std::string Buttons() {
    std::string text;
    for (int i = 0; i < kButtons; ++i) {
        text += "Button Part " + Number(i) + "\nCoordx " + Number(10 + (i % 10) * 98) +
                "\nCoordy " + Number(10 + (i / 10) * 28) + "\nWidth 95\nHeight 23\n" +
                "Scriptroutine PlayPart" + Number(i) + "\n";
    }
    return text;
}

std::string Variables() {
    // Three key lines: Coordy is left at its default to make room for the notify routine.
    std::string text;
    for (int i = 0; i < kVariables; ++i) {
        text += "Variable Level " + Number(i) + "\nCoordx " + Number(60 + (i % 5) * 190) +
                "\nScriptvariable Level" + Number(i) + "\nNotifyRoutine Level" + Number(i) +
                "Changed\n";
    }
    return text;
}

std::string TextBoxHead(int i) {
    return "TextBox\nTopLeftX " + Number(10 + (i % 5) * 196) + "\nTopLeftY " +
           Number(400 + (i / 5) * 60) + "\nWidth 190\nHeight 55\nText ";
}

const char kTextBoxTail[] = "\nEndText\n";

// Prose of exactly `length` characters, broken into lines.
std::string Prose(size_t length) {
    static const std::string words = "the harp wakes up in the morning light and hums a tune ";
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        const bool lineEnd = (i + 1) % kLineLength == 0 && i + 1 < length;
        text += lineEnd ? '\n' : words[i % words.size()];
    }
    return text;
}

std::string LyricViewAndEnd() {
    return "LyricView\nTopLeftX 10\nTopLeftY 710\nWidth 980\nHeight 25\nEnd Ini\n";
}

}  // namespace

std::string MaximalDescription() {
    const std::string head = Settings() + Buttons() + Variables();
    const std::string tail = LyricViewAndEnd();
    size_t fixed = head.size() + tail.size();
    for (int i = 0; i < kTextBoxes; ++i) {
        fixed += TextBoxHead(i).size() + sizeof kTextBoxTail - 1;
    }
    // Whatever room is left is shared out among the text boxes' texts.
    const size_t room = kMaximalDescriptionSize > fixed ? kMaximalDescriptionSize - fixed : 0;
    std::string text = head;
    for (int i = 0; i < kTextBoxes; ++i) {
        const size_t share = room / kTextBoxes + (static_cast<size_t>(i) < room % kTextBoxes);
        text += TextBoxHead(i) + Prose(share) + kTextBoxTail;
    }
    return text + tail;
}
