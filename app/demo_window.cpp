// Building, driving and tearing down the demo window.
#include "demo_window.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "audio_engine.h"
#include "demo_controls.h"
#include "demo_settings.h"
#include "demo_state.h"
#include "lyric_tool.h"
#include "object_records.h"
#include "script_wrapper.h"
#include "shell_state.h"
#include "start_up_trace.h"
#include "widen_text.h"

namespace {

// Shows why the demo cannot start, then destroys the window from inside its own creation.
void GiveUp(const char* message) {
    MessageBoxA(mainWindow, message, kScriptLoadErrorCaption, MB_OK | MB_ICONHAND);
    DestroyWindow(mainWindow);
}

// The current directory's RuntimeFiles folder, whole, into `folder`. A folder that does not fit
// DirectMusic's name buffer, or a current directory that cannot be had, is refused (false):
// the loader would otherwise look for the script somewhere else.
bool RuntimeFilesFolder(char (&folder)[kWideNameCapacity]) {
    const DWORD length = GetCurrentDirectoryA(kWideNameCapacity, folder);
    if (length == 0 || length + 1 + std::strlen(kRuntimeFilesFolder) >= kWideNameCapacity) {
        return false;
    }
    folder[length] = '\\';
    std::strcpy(folder + length + 1, kRuntimeFilesFolder);
    return true;
}

// One window for each of the list's controls, in its order, kept in its record. An edit box
// shows what the script holds, after the start-up routine has run.
void CreateControls() {
    for (const DemoControl& c : DemoControls()) {
        HWND control = CreateWindowExA(
            c.exStyle, c.windowClass, c.text, c.style, c.x, c.y, c.width, c.height, mainWindow,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), appInstance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
        *c.handle = control;
        if (c.kind == ControlKind::Edit) {
            int32_t value = 0;
            activeScript->GetVariableNumber(variables[c.record]->Scriptvariable, &value);
            char digits[16];
            std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
            SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(digits));
        }
    }
}

void SetInitialFocus() {
    if (buttonCount > 0) {
        SetFocus(buttons[0]->Control);
    } else if (variableCount > 0) {
        SetFocus(variables[0]->EditControl);
        focusCursor = kEditIdBase;
    }
}

}  // namespace

void CreateDemo() {
    controlFont =
        CreateFontA(kControlFontHeight, kControlFontWidth, 0, 0, kControlFontWeight, FALSE, FALSE,
                    FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, kControlFontFace);
    // An engine that cannot even be allocated is music that cannot start.
    audioEngine = new (std::nothrow) AudioEngine();
    if (audioEngine == nullptr) {
        TraceStartUpFailure("the music engine", E_OUTOFMEMORY);
        GiveUp(kInitializeFailedMessage);
        return;
    }
    char searchFolder[kWideNameCapacity];
    const bool folderFits = RuntimeFilesFolder(searchFolder);
    if (audioEngine->Initialize(mainWindow, demoSettings.AudioPathFileName, 128,
                                DMUS_APATH_SHARED_STEREOPLUSREVERB) != S_OK) {
        GiveUp(kInitializeFailedMessage);
        return;
    }
    audioEngine->CollectGarbage();
    if (folderFits) {
        audioEngine->SetSearchDirectory(searchFolder);
    }
    audioEngine->InstallLyricTool(mainWindow);
    if (!folderFits) {
        TraceStartUpFailure("the RuntimeFiles folder, too long", E_INVALIDARG);
    }
    if (!folderFits ||
        audioEngine->LoadScript(&activeScript, demoSettings.ScriptFileName) != S_OK) {
        GiveUp(kScriptLoadFailedMessage);
        return;
    }
    if (demoSettings.AutoExecRoutine[0] != '\0') {
        activeScript->CallRoutine(demoSettings.AutoExecRoutine);
    }
    CreateControls();
    SetInitialFocus();
}

void DestroyDemo() {
    // Before anything is released: a performance may hold its lock while it hands the tool a
    // lyric, and a script's last release may need that lock too.
    if (audioEngine != nullptr) {
        audioEngine->SilenceLyricTool();
    }
    // The tables and counts are emptied with the records, so that nothing served later (a lyric
    // during the engine's teardown, a key still in the queue) finds a freed record.
    ReleaseObjectRecords();
    DeleteObject(controlFont);
    controlFont = nullptr;
    // The script before the engine: the wrapper borrows the engine's loader and performance.
    // Each global is cleared before its object goes, so a lyric served meanwhile finds nothing.
    if (activeScript != nullptr) {
        ScriptWrapper* script = activeScript;
        activeScript = nullptr;
        delete script;
    }
    if (audioEngine != nullptr) {
        AudioEngine* engine = audioEngine;
        audioEngine = nullptr;
        delete engine;
    }
}

LRESULT OnDemoCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    if (id < buttonCount) {
        if (activeScript != nullptr) {
            activeScript->CallRoutine(buttons[id]->Scriptroutine);
        }
        focusCursor = id;
        RefreshLyricView();
        return 0;
    }
    if (id >= kEditIdBase && id < kEditIdBase + variableCount) {
        const VariableDef& variable = *variables[id - kEditIdBase];
        if (notification == EN_SETFOCUS) {
            activeEditId = id;
            focusCursor = id;
        } else if (notification == EN_KILLFOCUS) {
            const int32_t value =
                static_cast<int32_t>(GetDlgItemInt(mainWindow, id, nullptr, TRUE));
            if (activeScript != nullptr) {
                activeScript->SetVariableNumber(variable.Scriptvariable, value);
            }
            activeEditId = 0;
            if (variable.HasNotifyRoutine == 1 && activeScript != nullptr) {
                activeScript->CallRoutine(variable.NotifyRoutine);
            }
        }
    }
    return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
}

namespace {

void ShowLyric(bool servesNotification) {
    if (!hasLyricView || audioEngine == nullptr) {
        return;
    }
    LyricTool* tool = audioEngine->GetLyricTool();
    if (tool == nullptr) {
        return;
    }
    char text[kLyricTextSize];
    if (servesNotification) {
        tool->CopyLyricText(text, sizeof text);
    } else {
        tool->PeekLyricText(text, sizeof text);
    }
    SendMessageA(lyricView->Control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

void ShowNotifiedLyric() {
    ShowLyric(true);
}

void RefreshLyricView() {
    ShowLyric(false);
}
