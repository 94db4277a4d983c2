// The stand-in as Harpix meets it: registered in the Wine prefix, found by Wine's own
// DirectMusic loader for CLSID_DirectMusicScript, loaded from a file and run. Runs in the
// stand-in prefix only (see CMakeLists.txt); in a prefix without the registration Wine's stub
// would load the scripts instead, and these tests would fail on its empty answers.
#include <gtest/gtest.h>

#include <windows.h>
#include <dmerror.h>
#include <dmusici.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "fake_tool.h"

namespace {

class LoaderTest : public ComTest {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        GetTempFileNameA(temp, "hse", 0, folder);
        DeleteFileA(folder);
        CreateDirectoryA(folder, nullptr);
        HRESULT result =
            CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC,
                             IID_IDirectMusicLoader8, reinterpret_cast<void**>(&loader));
        ASSERT_EQ(result, S_OK) << "no loader: " << std::hex << result;
        std::wstring wide(folder, folder + strlen(folder));
        result = loader->SetSearchDirectory(GUID_DirectMusicAllTypes,
                                            const_cast<WCHAR*>(wide.c_str()), FALSE);
        ASSERT_TRUE(SUCCEEDED(result)) << "SetSearchDirectory gave " << std::hex << result;
    }
    void TearDown() override {
        if (loader != nullptr) {
            loader->Release();
        }
        for (const std::string& file : files) {
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(folder);
    }
    void Write(const char* name, const std::vector<uint8_t>& bytes) {
        std::string path = std::string(folder) + "\\" + name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        files.push_back(path);
    }
    HRESULT Load(const wchar_t* name, IDirectMusicScript** script) {
        return loader->LoadObjectFromFile(CLSID_DirectMusicScript, IID_IDirectMusicScript,
                                          const_cast<WCHAR*>(name),
                                          reinterpret_cast<void**>(script));
    }
    // As Harpix lets go of its script: out of the loader's cache, then its own reference.
    void Unload(IDirectMusicScript* script) {
        loader->ReleaseObjectByUnknown(script);
        script->Release();
    }

    char folder[MAX_PATH] = {};
    std::vector<std::string> files;
    IDirectMusicLoader8* loader = nullptr;
    TestPerformance performance;
};

TEST_F(LoaderTest, TheLoaderLoadsScriptsWithTheStandIn) {
    Write("answer.spt", ScriptFileBytes("Dim Answer, Base\nSub Compute\n"
                                        "  Answer = Base * 6\nEnd Sub\n"));
    IDirectMusicScript* script = nullptr;
    HRESULT result = Load(L"answer.spt", &script);
    ASSERT_EQ(result, S_OK) << "LoadObjectFromFile gave " << std::hex << result;
    ASSERT_NE(script, nullptr);
    ASSERT_EQ(script->Init(performance.Get(), nullptr), S_OK);
    EXPECT_EQ(script->SetVariableNumber(const_cast<WCHAR*>(L"Base"), 7, nullptr), S_OK);
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Compute"), nullptr), S_OK);
    LONG answer = 0;
    EXPECT_EQ(script->GetVariableNumber(const_cast<WCHAR*>(L"Answer"), &answer, nullptr), S_OK);
    EXPECT_EQ(answer, 42) << "Wine's stub script answered, not the stand-in";
    LONG untouched = 5;
    EXPECT_EQ(script->GetVariableNumber(const_cast<WCHAR*>(L"Nothing"), &untouched, nullptr),
              DMUS_E_SCRIPT_VARIABLE_NOT_FOUND);
    EXPECT_EQ(untouched, 5);
    Unload(script);
}

TEST_F(LoaderTest, ASyntaxErrorFailsInitAsHarpixExpects) {
    Write("broken.spt", ScriptFileBytes("Sub Start\n  If 1 Then\nEnd Sub\n"));
    IDirectMusicScript* script = nullptr;
    ASSERT_EQ(Load(L"broken.spt", &script), S_OK);
    EXPECT_EQ(script->Init(performance.Get(), nullptr), DMUS_E_AUDIOVBSCRIPT_SYNTAXERROR);
    Unload(script);
}

TEST_F(LoaderTest, AFileThatIsNoScriptFailsToLoad) {
    Write("text.spt", std::vector<uint8_t>{'S', 'u', 'b', ' ', 'A', '\r', '\n'});
    IDirectMusicScript* script = reinterpret_cast<IDirectMusicScript*>(0x1234);
    HRESULT result = Load(L"text.spt", &script);
    EXPECT_TRUE(FAILED(result)) << "got " << std::hex << result;
}

TEST_F(LoaderTest, ALoadedScriptTracesToTheGraph) {
    DeliveryLog log;
    FakeTool tool("lyrics", log, {DMUS_PMSGT_SCRIPTLYRIC});
    performance.Graph()->InsertTool(&tool, nullptr, 0, 0);
    Write("sing.spt", ScriptFileBytes("Sub Sing\n  Trace \"from the loader\"\nEnd Sub\n"));
    IDirectMusicScript* script = nullptr;
    ASSERT_EQ(Load(L"sing.spt", &script), S_OK);
    ASSERT_EQ(script->Init(performance.Get(), nullptr), S_OK);
    EXPECT_EQ(script->CallRoutine(const_cast<WCHAR*>(L"Sing"), nullptr), S_OK);
    EXPECT_TRUE(log.WaitFor(1, 5000)) << "the lyric never came";
    Unload(script);
    // The loader may keep a reference of its own; letting it go ends the script's delivery.
    loader->Release();
    loader = nullptr;
    performance.Graph()->RemoveTool(&tool);
    std::vector<SeenMessage> seen = log.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].text == L"from the loader");
    EXPECT_NE(seen[0].thread, GetCurrentThreadId());
    EXPECT_EQ(tool.UnexpectedCalls(), 0);
}

}  // namespace
