// The facts of the demo window that the program, harpix-check, the tests and the benchmarks all
// rely on: the ids and sizes of its child controls, the controls' font, the folder of the
// script, and the texts with which the demo gives up at start-up. Platform-free, so that the
// tools that lay out or explain a window take them from here rather than typing them again.
#pragma once

#include <cstddef>
#include <cstdint>

// The tables' limits: buttons, variables (an edit box and a label each), text boxes.
constexpr int kMaxButtons = 50;
constexpr int kMaxVariables = 25;
constexpr int kMaxTextBoxes = 25;

// Button i has id i; the ranges stay apart because of the tables' limits, and the command
// dispatch tells the controls apart by them.
constexpr int kEditIdBase = kMaxButtons;
constexpr int kLabelIdBase = kEditIdBase + kMaxVariables;
constexpr int kTextBoxIdBase = 200;
constexpr int kLyricViewId = 550;
static_assert(kLabelIdBase + kMaxVariables <= kTextBoxIdBase &&
                  kTextBoxIdBase + kMaxTextBoxes <= kLyricViewId,
              "the control id ranges overlap");

// The sizes the description file does not give.
constexpr int kEditBoxWidth = 30;
constexpr int kEditBoxHeight = 20;
constexpr int kLabelHeight = 20;
// A variable's label gets this many pixels a character, whatever the characters.
constexpr int32_t kLabelPixelsPerCharacter = 6;
// Where a Variable without Coordx or Coordy puts its edit box.
constexpr int32_t kDefaultVariableCoordx = 20;
constexpr int32_t kDefaultVariableCoordy = 20;

// The one font of every child control.
constexpr int kControlFontHeight = 15;
constexpr int kControlFontWidth = 5;
constexpr int kControlFontWeight = 500;
constexpr char kControlFontFace[] = "MS Sans Serif";

// The folder beside the description file that holds the script and everything it loads.
constexpr char kRuntimeFilesFolder[] = "RuntimeFiles";
// The audiopath configuration is opened as "RuntimeFiles\<name>" through a path buffer of 100
// bytes: the longest name that fits whole after the folder, its backslash and the terminator.
// Harpix refuses a longer one rather than open a cut name.
constexpr size_t kLongestAudioPathFileName = 100 - sizeof kRuntimeFilesFolder - 1;

// Shown, with kScriptLoadErrorCaption, when the music or the script cannot start.
constexpr char kInitializeFailedMessage[] =
    "Harpix could not initialize. This could be due to a missing audiopath file, lack of audio "
    "drivers, lack of audio service, a problem with DSound, or a problem with DMusic. Harpix is "
    "exiting.";
constexpr char kScriptLoadFailedMessage[] =
    "The script could not load properly.  Harpix is exiting.";
constexpr char kScriptLoadErrorCaption[] = "Script Load Error";
