// The object tables, the defaults of new records, and the label geometry of a variable.
#include "object_records.h"

#include <cstring>

ButtonDef* buttons[kMaxButtons];
int32_t buttonCount;
VariableDef* variables[kMaxVariables];
int32_t variableCount;
TextBoxDef* textBoxes[kMaxTextBoxes];
int32_t textBoxCount;
LyricViewDef* lyricView;
int32_t hasLyricView;

ButtonDef* NewButtonDef() {
    // Field by field: zero-filling the record whole took the processor's string instruction,
    // slower to start than these few stores.
    ButtonDef* button = new ButtonDef;
    button->Scriptroutine[0] = '\0';
    button->Label[0] = '\0';
    button->Coordx = 0;
    button->Coordy = 0;
    button->Width = 95;
    button->Height = 23;
    button->Control = nullptr;
    return button;
}

VariableDef* NewVariableDef() {
    VariableDef* variable = new VariableDef;
    variable->NotifyRoutine[0] = '\0';
    variable->Label[0] = '\0';
    variable->Scriptvariable[0] = '\0';
    variable->Coordx = kDefaultVariableCoordx;
    variable->Coordy = kDefaultVariableCoordy;
    variable->HasNotifyRoutine = 0;
    variable->EditControl = nullptr;
    variable->LabelControl = nullptr;
    variable->LabelX = 0;
    variable->LabelY = 0;
    variable->LabelWidth = 0;
    return variable;
}

TextBoxDef* NewTextBoxDef() {
    TextBoxDef* textBox = new TextBoxDef();
    textBox->Width = 120;
    textBox->Height = 70;
    return textBox;
}

LyricViewDef* NewLyricViewDef() {
    LyricViewDef* view = new LyricViewDef();
    view->Width = 120;
    view->Height = 25;
    return view;
}

void DeriveLabelGeometry(VariableDef& variable) {
    // A label is at most 48 characters, so none of this can overflow.
    variable.LabelWidth =
        kLabelPixelsPerCharacter * static_cast<int32_t>(std::strlen(variable.Label));
    variable.LabelX = variable.Coordx - variable.LabelWidth;
    if (variable.LabelX < 0) {
        variable.Coordx = variable.LabelWidth;
        variable.LabelX = 0;
    }
    variable.LabelY = variable.Coordy + 3;
}

template <typename Record, int Slots>
static void ReleaseTable(Record* (&table)[Slots], int32_t& count) {
    for (Record*& slot : table) {
        delete slot;
        slot = nullptr;
    }
    count = 0;
}

void ReleaseObjectRecords() {
    ReleaseTable(buttons, buttonCount);
    ReleaseTable(variables, variableCount);
    ReleaseTable(textBoxes, textBoxCount);
    delete lyricView;
    lyricView = nullptr;
    hasLyricView = 0;
}
