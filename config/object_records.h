// The records of the demo window's controls and the process-wide tables that own them.
//
// The tables are filled once at start-up by the section readers; only the first buttonCount,
// variableCount and textBoxCount slots hold records, and every slot after them is null. The
// lyric view record is shown only while hasLyricView is 1.
#pragma once

#include <cstdint>

#include "demo_layout.h"

// The window handle type of Windows (HWND is a pointer to this incomplete struct), named here
// without windows.h so that the records stay platform-free and the window code needs no casts.
struct HWND__;
using ControlHandle = HWND__*;

constexpr int kTextCapacity = 2000;

struct ButtonDef {
    char Scriptroutine[50];
    char Label[50];
    int32_t Coordx;
    int32_t Coordy;
    int32_t Width;
    int32_t Height;
    ControlHandle Control;
};

struct VariableDef {
    char NotifyRoutine[50];
    char Label[50];
    char Scriptvariable[50];
    int32_t Coordx;
    int32_t Coordy;
    int32_t HasNotifyRoutine;
    ControlHandle EditControl;
    ControlHandle LabelControl;
    int32_t LabelX;
    int32_t LabelY;
    int32_t LabelWidth;
};

struct TextBoxDef {
    char Text[kTextCapacity];
    int32_t TopLeftX;
    int32_t TopLeftY;
    int32_t Width;
    int32_t Height;
    ControlHandle Control;
};

struct LyricViewDef {
    int32_t TopLeftX;
    int32_t TopLeftY;
    int32_t Width;
    int32_t Height;
    ControlHandle Control;
};

extern ButtonDef* buttons[kMaxButtons];
extern int32_t buttonCount;
extern VariableDef* variables[kMaxVariables];
extern int32_t variableCount;
extern TextBoxDef* textBoxes[kMaxTextBoxes];
extern int32_t textBoxCount;
extern LyricViewDef* lyricView;
extern int32_t hasLyricView;

// New records with the defaults a section starts from; text fields empty.
ButtonDef* NewButtonDef();
VariableDef* NewVariableDef();
TextBoxDef* NewTextBoxDef();
LyricViewDef* NewLyricViewDef();

// Sets the label's place from the final Coordx, Coordy and Label: the label ends where the edit
// box begins, and an edit box too far left is pushed right to make room for its label.
void DeriveLabelGeometry(VariableDef& variable);

// Frees every record, the lyric view's included, and empties the tables and counts, so that no
// slot or count is left pointing at freed memory.
void ReleaseObjectRecords();
