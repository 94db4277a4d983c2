// The demo generator: a description file pieced together from keys and sections, each of them
// right or wrong in one of the ways that matter to the reader or to start-up.
#include "demo_generator.h"

#include <algorithm>

namespace {

// splitmix32: the same numbers from a seed on every compiler, unlike <random>'s distributions.
class Dice {
public:
    explicit Dice(uint32_t seed) : state(seed) {}
    uint32_t Next() {
        uint32_t z = (state += 0x9E3779B9u);
        z = (z ^ (z >> 16)) * 0x85EBCA6Bu;
        z = (z ^ (z >> 13)) * 0xC2B2AE35u;
        return z ^ (z >> 16);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    bool OneIn(int n) { return Below(n) == 0; }
    template <typename T, size_t N>
    const T& Pick(const T (&options)[N]) {
        return options[Below(N)];
    }

private:
    uint32_t state;
};

// Keys match in any case; authors write them in several.
std::string Key(Dice& dice, std::string key) {
    if (dice.OneIn(6)) {
        std::transform(key.begin(), key.end(), key.begin(), [](char c) { return c ^ 0x20; });
    }
    return key;
}

// A value of about `limit` characters: at it, one past it or well past it.
std::string NearLimit(Dice& dice, size_t limit, char fill) {
    const size_t lengths[] = {1, limit / 2, limit / 2, limit, limit, limit, limit + 1, limit + 8};
    return std::string(dice.Pick(lengths), fill);
}

// A number key with a value that fits, that is too long for its field, or that is no number.
std::string Number(Dice& dice, const char* key) {
    static const char* const numbers[] = {"10", "0",    "-5", "120", "999", "-99", "9999",
                                          "40", "-999", "7x", "abc", "200", "30",  "12345"};
    return Key(dice, key) + " " + dice.Pick(numbers);
}

// The keys of a section with their values, in any order; one left out, misspelt or given twice
// now and then, which makes the section take words that follow it as its pairs.
std::string Section(Dice& dice, std::string head, std::vector<std::string> pairs) {
    for (size_t i = pairs.size(); i > 1; --i) {
        std::swap(pairs[i - 1], pairs[dice.Below(static_cast<int>(i))]);
    }
    if (dice.OneIn(8)) {
        pairs.pop_back();
    } else if (dice.OneIn(10)) {
        pairs.back().insert(0, "X");
    } else if (dice.OneIn(10)) {
        pairs.push_back(pairs.front());
    }
    for (const std::string& pair : pairs) {
        head += "\n" + pair;
    }
    return head;
}

std::string Button(Dice& dice) {
    return Section(dice, Key(dice, "Button") + " " + NearLimit(dice, 48, 'b'),
                   {Number(dice, "Coordx"), Number(dice, "Coordy"), Number(dice, "Width"),
                    Number(dice, "Height"), Key(dice, "Scriptroutine") + " Ping"});
}

std::string Variable(Dice& dice) {
    return Section(dice, Key(dice, "Variable") + " " + NearLimit(dice, 48, 'v'),
                   {Number(dice, "Coordx"), Number(dice, "Coordy"),
                    dice.OneIn(3) ? "NotifyRoutine SpeedChanged" : "Scriptvariable Speed"});
}

std::string TextBox(Dice& dice) {
    // An empty line, an end line with a blank after it (not an end), an end line in capitals.
    const char* const texts[] = {"Text One line\nEndText", "Text A\n\nB\nEndText",
                                 "Text\nEndText \nEndText", "Text ENDTEXT", "Text A\nEndText "};
    return Section(dice, Key(dice, "TextBox"),
                   {Number(dice, "TopLeftX"), Number(dice, "TopLeftY"), Number(dice, "Width"),
                    Number(dice, "Height"), dice.Pick(texts)});
}

std::string LyricView(Dice& dice) {
    return Section(dice, Key(dice, "LyricView"),
                   {Number(dice, "TopLeftX"), Number(dice, "TopLeftY"), Number(dice, "Width"),
                    Number(dice, "Height")});
}

std::string CompleteButton(int i) {
    return "Button B" + std::to_string(i) + "\nCoordx " + std::to_string(i % 10 * 40) +
           "\nCoordy " + std::to_string(i / 10 * 25) +
           "\nWidth 35\nHeight 20\nScriptroutine Ping\n";
}

// A RIFF form 'DMAP' with a guid: what DirectMusic takes as an audiopath configuration.
std::string AudioPathFile() {
    return std::string("RIFF\x1C\0\0\0DMAPguid\x10\0\0\0", 20) + std::string(16, '\x5A');
}

}  // namespace

GeneratedDemo GenerateDemo(uint32_t seed, const std::string& goodScript,
                           const std::string& brokenScript) {
    Dice dice(seed);
    GeneratedDemo demo;
    std::string description;
    // Names at the limits of their fields: 98 characters for a script, 86 for an audiopath.
    const std::string longScript = std::string(94, 's') + ".spt";
    const std::string longAudioPath = std::string(82, 'a') + ".aud";
    // Every file, or an empty folder; names that miss them are drawn below.
    if (!dice.OneIn(5)) {
        demo = {
            {"good.spt", goodScript},
            {"broken.spt", brokenScript},
            {"nosource.spt", std::string("RIFF\x14\0\0\0DMSCschd\x08", 17) + std::string(11, '\0')},
            {"notes.txt", "Sub Start\nEnd Sub\n"},
            {longScript, goodScript},
            {"path.aud", AudioPathFile()},
            {"junk.aud", "RIFF\x04\0\0\0WAVE"},
            {"cut.aud", "RIFF\x0C" + AudioPathFile().substr(5)},  // ends inside its guid chunk
            {longAudioPath, AudioPathFile()},
            {longAudioPath + "x", AudioPathFile()}};
        for (auto& file : demo) {
            file.first = "RuntimeFiles\\" + file.first;
        }
    }
    if (dice.OneIn(30)) {  // nothing that Harpix can open
        if (dice.OneIn(2)) {
            demo.push_back({"Harpix.ini\\in a folder", ""});
        }
        return demo;
    }

    std::vector<std::string> items;
    const std::string scripts[] = {"good.spt",     "GOOD.SPT",       "broken.spt",
                                   "nosource.spt", "notes.txt",      "gone.spt",
                                   longScript,     longScript + "x", longScript + "xButton"};
    items.push_back(Key(dice, "ScriptFileName") + " " + dice.Pick(scripts));
    if (dice.OneIn(3)) {
        const std::string paths[] = {"path.aud", "gone.aud",    "junk.aud",
                                     "cut.aud",  longAudioPath, longAudioPath + "x"};
        items.push_back(Key(dice, "AudioPathFileName") + " " + dice.Pick(paths));
    }
    items.push_back(Key(dice, "Title") + (dice.OneIn(8) ? "\n" : " ") + NearLimit(dice, 48, 't'));
    items.push_back(Number(dice, "WindowWidth"));
    items.push_back(Number(dice, "WindowHeight"));
    if (dice.OneIn(2)) {
        items.push_back("AutoExecRoutine " + std::string(dice.OneIn(4) ? "Missing" : "Start"));
    }
    std::string (*const sections[])(Dice&) = {Button, Variable, TextBox, LyricView};
    for (int n = dice.Below(4); n > 0; --n) {
        items.push_back(dice.Pick(sections)(dice));
    }
    if (dice.OneIn(12)) {  // a full table of buttons, and one more
        for (int i = 0; i < 51; ++i) {
            items.push_back(CompleteButton(i));
        }
    }
    std::swap(items[0], items[dice.Below(static_cast<int>(items.size()))]);
    for (const std::string& item : items) {
        description += item + (item.back() == '\n' ? "" : "\n");
    }

    const char* endings[] = {"End Ini\n", "End Ini\n", "end ini", "End  Ini\n", "", "End\nIni\n"};
    const int cut = dice.Below(10);
    if (cut == 0) {  // the text ends inside a section or a value
        description.resize(description.size() * 4 / 5);
    } else if (cut == 1) {  // past the reader's 9999 characters
        description += std::string(10000, 'w');
    } else if (cut == 2) {
        description.insert(description.size() / 2, 1, '\0');
    }
    description += dice.Pick(endings);
    if (dice.OneIn(3)) {
        std::string crlf;
        for (char c : description) {
            crlf += c == '\n' ? "\r\n" : std::string(1, c);
        }
        description = crlf;
    }
    if (dice.OneIn(5)) {  // what follows a Ctrl-Z is never read
        description += "\x1A" + CompleteButton(99);
    }
    demo.push_back({"Harpix.ini", description});
    return demo;
}
