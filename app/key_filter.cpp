// Enter and Tab in the message loop: committing the variables and the focus ring.
#include "key_filter.h"

#include "demo_state.h"
#include "object_records.h"
#include "script_wrapper.h"
#include "shell_state.h"

namespace {

// No window handles it, so a key turned into it makes no character.
constexpr UINT kSwallowedKeyMessage = 0x01CA;

void Swallow(MSG& message) {
    message.message = kSwallowedKeyMessage;
    message.wParam = 0;
    message.lParam = 0;
}

bool VariableExists(int32_t index) {
    return index >= 0 && index < variableCount;
}
bool ButtonExists(int32_t index) {
    return index >= 0 && index < buttonCount;
}

// Selects the whole first line of an edit box.
void SelectFirstLine(HWND editBox) {
    const LRESULT start = SendMessageA(editBox, EM_LINEINDEX, 0, 0);
    const LRESULT length = SendMessageA(editBox, EM_LINELENGTH, start < 0 ? 0 : start, 0);
    SendMessageA(editBox, EM_SETSEL, 0, length);
}

// Writes every edit box into its script variable, each followed by its notify routine.
void CommitAllVariables() {
    for (int32_t j = 0; j < variableCount; ++j) {
        const VariableDef& variable = *variables[j];
        const int32_t value =
            static_cast<int32_t>(GetDlgItemInt(mainWindow, kEditIdBase + j, nullptr, TRUE));
        // No script, no calls: before it loads and once teardown has begun.
        if (activeScript != nullptr) {
            activeScript->SetVariableNumber(variable.Scriptvariable, value);
            if (variable.HasNotifyRoutine == 1) {
                activeScript->CallRoutine(variable.NotifyRoutine);
            }
        }
        // A notify routine may have changed nothing on screen, but the box being edited gets
        // its text selected again so that typing replaces it.
        if (activeEditId != 0 && VariableExists(activeEditId - kEditIdBase)) {
            SelectFirstLine(variables[activeEditId - kEditIdBase]->EditControl);
        }
    }
}

// Moves the focus forward: buttons in table order, then the edit boxes, then button 0 again.
void AdvanceFocus() {
    const int32_t from = focusCursor;
    if (from >= kEditIdBase && VariableExists(from - kEditIdBase)) {
        const int32_t j = from - kEditIdBase;
        if (!VariableExists(j + 1)) {
            if (ButtonExists(0)) {
                SetFocus(buttons[0]->Control);
                focusCursor = 0;
            }
            return;
        }
        // The new box reports that it gained the focus, which moves focusCursor to it, so the
        // selection below lands in the box that now has the focus.
        SetFocus(variables[j + 1]->EditControl);
        if (VariableExists(focusCursor - kEditIdBase)) {
            SelectFirstLine(variables[focusCursor - kEditIdBase]->EditControl);
        }
        return;
    }
    if (!ButtonExists(from)) {
        return;
    }
    if (!ButtonExists(from + 1)) {
        if (VariableExists(0)) {
            SetFocus(variables[0]->EditControl);
            focusCursor = kEditIdBase;
            SelectFirstLine(variables[0]->EditControl);
        }
        return;
    }
    SetFocus(buttons[from + 1]->Control);
    focusCursor = from + 1;
}

}  // namespace

void FilterKeys(MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return;
    }
    if (message.wParam == VK_RETURN) {
        CommitAllVariables();
        Swallow(message);
    } else if (message.wParam == VK_TAB) {
        AdvanceFocus();
        Swallow(message);
    }
}
