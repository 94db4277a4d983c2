// How a new demo shows a script's names: readable labels, variable labels that fit the room Harpix
// gives them, and the names that mark a start-up routine or a variable's notify routine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "object_records.h"

// The longest value a routine, variable or label field holds without Harpix's size message.
constexpr size_t kLongestName = sizeof(ButtonDef::Scriptroutine) - 2;

// Words split apart and the first letter a capital: "PlayIntro" and "play_intro" give "Play
// Intro" and "Play intro", "HTTPServer" "HTTP Server", "Verse2" "Verse 2".
std::string ReadableName(const std::string& name);

// A button's caption: the readable name, or the name itself when that would be too long.
std::string ButtonLabel(const std::string& routine);

// A variable's label, at most kLongestName characters, ending in a colon, that the controls' font
// draws within the 6 pixels a character Harpix gives it: the readable name (its first words when
// it is longer) if it fits, else with fewer capitals, else with blanks before the colon (3 pixels
// each), else shortened. A word in capitals ("BPM", "MP3") keeps them throughout: an acronym in
// small letters reads as another word, a wider gap before the colon only as spacing.
std::string VariableLabel(const std::string& variable);

// The width Harpix gives a variable's label, as the reader derives it.
int32_t LabelWidthOf(const std::string& label);

// Start, StartUp, Init, Initialize, Initialise, Main, AutoExec, AutoStart, AutoRun, OnStart,
// OnLoad: in any case, underscores not counted.
bool IsStartUpRoutineName(const std::string& routine);

// VariableChanged, VariableChange, OnVariableChanged and OnVariableChange: in any case,
// underscores not counted.
bool IsNotifyRoutineName(const std::string& routine, const std::string& variable);
