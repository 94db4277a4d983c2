// FillErrorInfo.
#include "error_info.h"

#include "script_text.h"
#include "wide_text.h"

void FillErrorInfo(DMUS_SCRIPT_ERRORINFO* info, HRESULT result, ErrorStage stage,
                   const ScriptError& error, const std::u16string& sourceFile) {
    if (info == nullptr || info->dwSize != sizeof(DMUS_SCRIPT_ERRORINFO)) {
        return;
    }
    info->hr = result;
    info->ulLineNumber = static_cast<ULONG>(error.line);
    info->ichCharPosition = error.column;
    CopyToWide(sourceFile, info->wszSourceFile, DMUS_MAX_FILENAME);
    CopyToWide(stage == ErrorStage::Compilation ? u"AudioVBScript compilation error"
                                                : u"AudioVBScript runtime error",
               info->wszSourceComponent, DMUS_MAX_FILENAME);
    std::u16string description;
    Utf8ToUtf16(error.description, description);
    CopyToWide(description, info->wszDescription, DMUS_MAX_FILENAME);
    CopyToWide(error.lineText, info->wszSourceLineText, DMUS_MAX_FILENAME);
}
