// The script object's methods: Load and its refusals, Init and its errors, routine calls,
// variables, the error information, null pointers and the object descriptor.
#include <gtest/gtest.h>

#include <windows.h>
#include <dmerror.h>
#include <dmusici.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "riff_writer.h"
#include "script_file.h"
#include "script_file_writer.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char kCounterScript[] =
    "Dim Count, Level\n"
    "Sub Bump\n"
    "  Count = Count + Level\n"
    "End Sub\n"
    "Sub Divide\n"
    "  Count = 1\n"
    "  Count = Level \\ 0\n"
    "End Sub\n";

class ScriptCallsTest : public ComTest {
protected:
    DMUS_SCRIPT_ERRORINFO EmptyErrorInfo() {
        DMUS_SCRIPT_ERRORINFO info;
        std::memset(&info, 0, sizeof info);
        info.dwSize = sizeof info;
        return info;
    }
    TestPerformance performance;
};

std::string Narrow(const WCHAR* text) {
    std::string result;
    for (; *text != 0; ++text) {
        result.push_back(*text < 128 ? static_cast<char>(*text) : '?');
    }
    return result;
}

TEST_F(ScriptCallsTest, BrokenFilesFailToLoadAsInvalidScripts) {
    Bytes good = ScriptFileBytes("Sub T\nEnd Sub\n");
    RiffWriter segment;
    segment.BeginRiff(FourCc('D', 'M', 'S', 'G'));
    segment.End();
    RiffWriter byReference;
    byReference.BeginRiff(kScriptForm);
    byReference.BeginList(kReferenceList);
    byReference.TextChunk(FourCc('f', 'i', 'l', 'e'), u"elsewhere.vbs");
    byReference.End();
    byReference.End();
    const struct {
        const char* label;
        Bytes bytes;
    } rows[] = {
        {"empty", Bytes()},
        {"text", Bytes{'S', 'u', 'b', ' ', 'T', '\n', 'E', 'n', 'd'}},
        {"a segment", segment.Bytes()},
        {"cut short", Bytes(good.begin(), good.end() - 10)},
        {"header cut", Bytes(good.begin(), good.begin() + 6)},
        {"source by reference", byReference.Bytes()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        IPersistStream* persist = NewEngineObject<IPersistStream>(IID_IPersistStream);
        ASSERT_NE(persist, nullptr);
        IStream* stream = MemoryStream(row.bytes);
        HRESULT result = persist->Load(stream);
        EXPECT_EQ(result, DMUS_E_SCRIPT_INVALID_FILE) << "got " << std::hex << result;
        IDirectMusicScript* script = nullptr;
        persist->QueryInterface(IID_IDirectMusicScript, reinterpret_cast<void**>(&script));
        result = script->Init(performance.Get(), nullptr);
        EXPECT_EQ(result, DMUS_E_NOT_LOADED) << "got " << std::hex << result;
        script->Release();
        stream->Release();
        persist->Release();
    }
}

TEST_F(ScriptCallsTest, CallsBeforeInitAreRefused) {
    IDirectMusicScript* script = LoadedScript(ScriptFileBytes(kCounterScript));
    ASSERT_NE(script, nullptr);
    LONG value = 5;
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Bump"), nullptr), DMUS_E_NOT_INIT);
    EXPECT_EQ(script->SetVariableNumber(const_cast<WCHAR*>(L"Count"), 1, nullptr), DMUS_E_NOT_INIT);
    EXPECT_EQ(script->GetVariableNumber(const_cast<WCHAR*>(L"Count"), &value, nullptr),
              DMUS_E_NOT_INIT);
    EXPECT_EQ(value, 5);
    WCHAR name[DMUS_MAX_NAME];
    EXPECT_EQ(script->EnumRoutine(0, name), DMUS_E_NOT_INIT);
    script->Release();
}

TEST_F(ScriptCallsTest, RoutinesRunAndVariablesAreReadAndWritten) {
    IDirectMusicScript* script = InitialisedScript(kCounterScript, performance.Get());
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(script->SetVariableNumber(const_cast<WCHAR*>(L"level"), 20, nullptr), S_OK);
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Bump"), nullptr), S_OK);
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"BUMP"), nullptr), S_OK);
    LONG value = 0;
    EXPECT_EQ(script->GetVariableNumber(const_cast<WCHAR*>(L"Count"), &value, nullptr), S_OK);
    EXPECT_EQ(value, 40);
    script->Release();
}

TEST_F(ScriptCallsTest, WhatTheScriptLacksIsReportedAndLeavesTheCallersNumber) {
    IDirectMusicScript* script = InitialisedScript(
        std::string(kCounterScript) + "Sub Local\n  hidden = 3\nEnd Sub\n", performance.Get());
    ASSERT_NE(script, nullptr);
    script->CallRoutine(const_cast<WCHAR*>(L"Local"), nullptr);
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Missing"), nullptr),
              DMUS_E_SCRIPT_ROUTINE_NOT_FOUND);
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L""), nullptr),
              DMUS_E_SCRIPT_ROUTINE_NOT_FOUND);
    for (const wchar_t* name : {L"Missing", L"hidden", L"Bump", L""}) {
        SCOPED_TRACE(Narrow(name));
        LONG value = 1234;
        EXPECT_EQ(script->GetVariableNumber(const_cast<WCHAR*>(name), &value, nullptr),
                  DMUS_E_SCRIPT_VARIABLE_NOT_FOUND);
        EXPECT_EQ(value, 1234);
        EXPECT_EQ(script->SetVariableNumber(const_cast<WCHAR*>(name), 1, nullptr),
                  DMUS_E_SCRIPT_VARIABLE_NOT_FOUND);
    }
    script->Release();
}

TEST_F(ScriptCallsTest, SyntaxErrorsFailInitWithTheirPlace) {
    IDirectMusicScript* script =
        LoadedScript(ScriptFileBytes("Dim a\nSub T\n  a = (1 +\nEnd Sub\n"));
    ASSERT_NE(script, nullptr);
    DMUS_SCRIPT_ERRORINFO info = EmptyErrorInfo();
    EXPECT_EQ(script->Init(performance.Get(), &info), DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR);
    EXPECT_EQ(info.hr, DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR);
    EXPECT_EQ(info.ulLineNumber, 3u);
    EXPECT_EQ(info.ichCharPosition, 10);
    EXPECT_EQ(Narrow(info.wszDescription), "Expected expression");
    EXPECT_EQ(Narrow(info.wszSourceLineText), "  a = (1 +");
    EXPECT_EQ(Narrow(info.wszSourceFile), "Test") << "the script's name";
    EXPECT_EQ(Narrow(info.wszSourceComponent), "AudioVBScript compilation error");
    // Still not initialised: a failed Init leaves nothing to call.
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"T"), nullptr), DMUS_E_NOT_INIT);
    EXPECT_EQ(script->Init(performance.Get(), nullptr), DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR);
    script->Release();
}

TEST_F(ScriptCallsTest, RuntimeErrorsFailTheCallWithTheirPlace) {
    IDirectMusicScript* script = InitialisedScript(kCounterScript, performance.Get());
    ASSERT_NE(script, nullptr);
    DMUS_SCRIPT_ERRORINFO info = EmptyErrorInfo();
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Divide"), &info),
              DMUS_E_AUDIOVBSCRIPT_RUNTIMEERROR);
    EXPECT_EQ(info.hr, DMUS_E_AUDIOVBSCRIPT_RUNTIMEERROR);
    EXPECT_EQ(info.ulLineNumber, 7u);
    EXPECT_EQ(info.ichCharPosition, 16);
    EXPECT_EQ(Narrow(info.wszDescription), "Division by zero");
    EXPECT_EQ(Narrow(info.wszSourceComponent), "AudioVBScript runtime error");
    LONG value = 0;
    script->GetVariableNumber(const_cast<WCHAR*>(L"Count"), &value, nullptr);
    EXPECT_EQ(value, 1) << "what ran before the error stays done";
    script->Release();
}

TEST_F(ScriptCallsTest, ErrorInformationOfAnotherSizeIsLeftAlone) {
    IDirectMusicScript* script = InitialisedScript(kCounterScript, performance.Get());
    ASSERT_NE(script, nullptr);
    DMUS_SCRIPT_ERRORINFO info = EmptyErrorInfo();
    info.dwSize = 12;
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Divide"), &info),
              DMUS_E_AUDIOVBSCRIPT_RUNTIMEERROR);
    EXPECT_EQ(info.hr, S_OK);
    EXPECT_EQ(info.ulLineNumber, 0u);
    script->Release();
}

TEST_F(ScriptCallsTest, InitChecksItsPerformanceAndLanguage) {
    IDirectMusicScript* script = LoadedScript(ScriptFileBytes(kCounterScript));
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(script->Init(nullptr, nullptr), E_POINTER);
    EXPECT_EQ(script->Init(performance.Get(), nullptr), S_OK);
    EXPECT_EQ(script->Init(performance.Get(), nullptr), S_OK) << "again, the same performance";
    TestPerformance other;
    EXPECT_EQ(script->Init(other.Get(), nullptr), DMUS_E_ALREADY_INITED);
    script->Release();

    ScriptFileContents contents;
    contents.source = u"Sub T\nEnd Sub\n";
    contents.language = u"JScript";
    IDirectMusicScript* jscript = LoadedScript(WriteScriptFile(contents));
    ASSERT_NE(jscript, nullptr);
    EXPECT_EQ(jscript->Init(performance.Get(), nullptr), DMUS_E_SCRIPT_LANGUAGE_INCOMPATIBLE);
    jscript->Release();
}

TEST_F(ScriptCallsTest, InitKeepsAReferenceToThePerformanceUntilTheScriptGoes) {
    ULONG before = References(performance.Get());
    IDirectMusicScript* script = InitialisedScript(kCounterScript, performance.Get());
    ASSERT_NE(script, nullptr);
    EXPECT_GT(References(performance.Get()), before);
    EXPECT_EQ(script->Release(), 0u);
    EXPECT_EQ(References(performance.Get()), before);
}

TEST_F(ScriptCallsTest, NullPointersAreRefused) {
    IDirectMusicScript* script = InitialisedScript(kCounterScript, performance.Get());
    ASSERT_NE(script, nullptr);
    LONG value = 0;
    VARIANT variant;
    variant.vt = VT_EMPTY;
    void* object = nullptr;
    const struct {
        const char* call;
        HRESULT result;
    } rows[] = {
        {"CallRoutine", script->CallRoutine(nullptr, nullptr)},
        {"SetVariableNumber", script->SetVariableNumber(nullptr, 1, nullptr)},
        {"GetVariableNumber name", script->GetVariableNumber(nullptr, &value, nullptr)},
        {"GetVariableNumber value",
         script->GetVariableNumber(const_cast<WCHAR*>(L"Count"), nullptr, nullptr)},
        {"SetVariableVariant", script->SetVariableVariant(nullptr, variant, FALSE, nullptr)},
        {"GetVariableVariant name", script->GetVariableVariant(nullptr, &variant, nullptr)},
        {"GetVariableVariant value",
         script->GetVariableVariant(const_cast<WCHAR*>(L"Count"), nullptr, nullptr)},
        {"GetVariableObject",
         script->GetVariableObject(const_cast<WCHAR*>(L"Count"), IID_IUnknown, nullptr, nullptr)},
        {"GetVariableObject name",
         script->GetVariableObject(nullptr, IID_IUnknown, &object, nullptr)},
        {"EnumRoutine", script->EnumRoutine(0, nullptr)},
        {"EnumVariable", script->EnumVariable(0, nullptr)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.call);
        EXPECT_EQ(row.result, E_POINTER) << "got " << std::hex << row.result;
    }
    script->Release();
}

TEST_F(ScriptCallsTest, VariantsCarryNumbers) {
    IDirectMusicScript* script = InitialisedScript(kCounterScript, performance.Get());
    ASSERT_NE(script, nullptr);
    VARIANT value;
    value.vt = VT_I2;
    value.iVal = -7;
    EXPECT_EQ(script->SetVariableVariant(const_cast<WCHAR*>(L"Level"), value, FALSE, nullptr),
              S_OK);
    VARIANT read;
    read.vt = VT_EMPTY;
    EXPECT_EQ(script->GetVariableVariant(const_cast<WCHAR*>(L"Level"), &read, nullptr), S_OK);
    EXPECT_EQ(read.vt, VT_I4);
    EXPECT_EQ(read.lVal, -7);

    VARIANT text;
    text.vt = VT_R8;
    text.dblVal = 1.5;
    EXPECT_EQ(script->SetVariableVariant(const_cast<WCHAR*>(L"Level"), text, FALSE, nullptr),
              DMUS_E_SCRIPT_UNSUPPORTED_VARTYPE);
    EXPECT_EQ(script->SetVariableVariant(const_cast<WCHAR*>(L"Nope"), value, FALSE, nullptr),
              DMUS_E_SCRIPT_VARIABLE_NOT_FOUND);
    void* object = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(
        script->GetVariableObject(const_cast<WCHAR*>(L"Level"), IID_IUnknown, &object, nullptr),
        DMUS_E_SCRIPT_UNSUPPORTED_VARTYPE);
    EXPECT_EQ(object, nullptr);
    script->Release();
}

TEST_F(ScriptCallsTest, RoutinesAndVariablesAreEnumeratedInSourceOrder) {
    IDirectMusicScript* script = InitialisedScript(kCounterScript, performance.Get());
    ASSERT_NE(script, nullptr);
    WCHAR name[DMUS_MAX_NAME];
    std::vector<std::string> routines;
    for (DWORD i = 0; script->EnumRoutine(i, name) == S_OK; ++i) {
        routines.push_back(Narrow(name));
    }
    std::vector<std::string> variables;
    for (DWORD i = 0; script->EnumVariable(i, name) == S_OK; ++i) {
        variables.push_back(Narrow(name));
    }
    EXPECT_EQ(routines, (std::vector<std::string>{"Bump", "Divide"}));
    EXPECT_EQ(variables, (std::vector<std::string>{"Count", "Level"}));
    EXPECT_EQ(script->EnumRoutine(2, name), S_FALSE);
    script->Release();
}

TEST_F(ScriptCallsTest, TheDescriptorTellsWhatTheFileAndTheLoaderSaid) {
    ScriptFileContents contents;
    contents.name = u"Described";
    contents.source = u"Sub T\nEnd Sub\n";
    for (int i = 0; i < 16; ++i) {
        contents.guid.bytes[i] = static_cast<uint8_t>(i + 1);
    }
    contents.version = {0x00010002, 0x00030004};
    Bytes bytes = WriteScriptFile(contents);
    IDirectMusicScript* script = LoadedScript(bytes);
    ASSERT_NE(script, nullptr);
    IDirectMusicObject* object = nullptr;
    script->QueryInterface(IID_IDirectMusicObject, reinterpret_cast<void**>(&object));
    ASSERT_NE(object, nullptr);

    DMUS_OBJECTDESC descriptor;
    std::memset(&descriptor, 0, sizeof descriptor);
    descriptor.dwSize = sizeof descriptor;
    ASSERT_EQ(object->GetDescriptor(&descriptor), S_OK);
    const DWORD fromFile =
        DMUS_OBJ_CLASS | DMUS_OBJ_OBJECT | DMUS_OBJ_NAME | DMUS_OBJ_VERSION | DMUS_OBJ_LOADED;
    EXPECT_EQ(descriptor.dwValidData, fromFile) << std::hex << descriptor.dwValidData;
    EXPECT_TRUE(IsEqualGUID(descriptor.guidClass, CLSID_DirectMusicScript));
    EXPECT_EQ(std::memcmp(&descriptor.guidObject, contents.guid.bytes, 16), 0);
    EXPECT_EQ(Narrow(descriptor.wszName), "Described");
    EXPECT_EQ(descriptor.vVersion.dwVersionMS, 0x00010002u);
    EXPECT_EQ(descriptor.vVersion.dwVersionLS, 0x00030004u);

    // The loader tells the object its file name; a memory pointer it cannot keep.
    DMUS_OBJECTDESC given;
    std::memset(&given, 0, sizeof given);
    given.dwSize = sizeof given;
    given.dwValidData = DMUS_OBJ_FILENAME | DMUS_OBJ_MEMORY;
    wcscpy(given.wszFileName, L"demo.spt");
    EXPECT_EQ(object->SetDescriptor(&given), S_FALSE);
    EXPECT_EQ(given.dwValidData, static_cast<DWORD>(DMUS_OBJ_FILENAME)) << "what was taken";
    ASSERT_EQ(object->GetDescriptor(&descriptor), S_OK);
    EXPECT_EQ(descriptor.dwValidData, fromFile | DMUS_OBJ_FILENAME);
    EXPECT_EQ(Narrow(descriptor.wszFileName), "demo.spt");

    // ParseDescriptor reads a stream without loading it.
    IDirectMusicObject* fresh = NewEngineObject<IDirectMusicObject>(IID_IDirectMusicObject);
    IStream* stream = MemoryStream(bytes);
    DMUS_OBJECTDESC parsed;
    std::memset(&parsed, 0, sizeof parsed);
    parsed.dwSize = sizeof parsed;
    EXPECT_EQ(fresh->ParseDescriptor(stream, &parsed), S_OK);
    EXPECT_EQ(parsed.dwValidData, fromFile & ~static_cast<DWORD>(DMUS_OBJ_LOADED));
    EXPECT_EQ(Narrow(parsed.wszName), "Described");
    IStream* junk = MemoryStream(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(fresh->ParseDescriptor(junk, &parsed), DMUS_E_SCRIPT_INVALID_FILE);
    EXPECT_EQ(fresh->ParseDescriptor(nullptr, &parsed), E_POINTER);
    EXPECT_EQ(fresh->GetDescriptor(nullptr), E_POINTER);
    junk->Release();
    stream->Release();
    fresh->Release();
    object->Release();
    script->Release();
}

TEST_F(ScriptCallsTest, LoadingAgainReplacesTheScriptAndAsksForInitAgain) {
    IDirectMusicScript* script = InitialisedScript(kCounterScript, performance.Get());
    ASSERT_NE(script, nullptr);
    IPersistStream* persist = nullptr;
    script->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist));
    IStream* stream = MemoryStream(ScriptFileBytes("Dim Other\nSub Fresh\n  Other = 9\nEnd Sub\n"));
    ASSERT_EQ(persist->Load(stream), S_OK);
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Fresh"), nullptr), DMUS_E_NOT_INIT);
    ASSERT_EQ(script->Init(performance.Get(), nullptr), S_OK);
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Fresh"), nullptr), S_OK);
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Bump"), nullptr),
              DMUS_E_SCRIPT_ROUTINE_NOT_FOUND);
    stream->Release();
    persist->Release();
    script->Release();
}

}  // namespace
