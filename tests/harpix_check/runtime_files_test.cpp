// The files of RuntimeFiles that harpix-check finds: on Windows (and Wine) the system's own rule
// finds them, and the native build must find exactly the same.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "runtime_files.h"

namespace {

namespace fs = std::filesystem;

TEST(RuntimeFiles, NamesAreFoundAsWindowsFindsThem) {
    // Other builds may run this test at the same time.
    const fs::path root = fs::temp_directory_path() /
                          ("harpix-runtime-files-" + std::to_string(std::random_device{}()));
    fs::create_directories(root / "RuntimeFiles" / "Sub");
    fs::create_directories(root / "RuntimeFiles" / "Folder.spt");
    const struct {
        const char* path;  // as the C library of each system takes it
        const char* bytes;
    } files[] = {{"RuntimeFiles/Sub/Script.spt", "script"},
#ifdef _WIN32
                 {"RuntimeFiles/Caf\xE9.spt", "cafe"},
#else
                 {"RuntimeFiles/Caf\xC3\xA9.spt", "cafe"},
#endif
                 {"Beside.spt", "beside"}};
    for (const auto& file : files) {
        ASSERT_TRUE(WriteFileBytes(root.string() + "/" + file.path, file.bytes));
    }
    const struct {
        const char* name;   // as a description file spells it, in 1252
        const char* found;  // the bytes read, or nullptr
    } rows[] = {
        {"Sub\\Script.spt", "script"},
        {"sub/SCRIPT.SPT", "script"},
        // What Windows drops: the file's trailing blanks and dots, one trailing dot of a folder.
        {"Sub\\Script.spt  ", "script"},
        {"Sub\\Script.spt. .", "script"},
        {"Sub.\\Script.spt", "script"},
        {".\\Sub\\..\\Sub\\\\Script.spt", "script"},
        {"..\\Beside.spt", "beside"},
        {"CAF\xC9.SPT", "cafe"},
        // What it keeps.
        {"Sub\\Script", nullptr},
        {"Sub \\Script.spt", nullptr},
        {" Sub\\Script.spt", nullptr},
        {"Script.spt", nullptr},
        {"Folder.spt", nullptr},
        {"Sub\\ .", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = FindRuntimeFile(root.string(), row.name);
        std::string bytes;
        EXPECT_EQ(!path.empty() && ReadFileBytes(path, bytes), row.found != nullptr) << path;
        if (row.found != nullptr) {
            EXPECT_EQ(bytes, row.found);
        }
    }
    fs::remove_all(root);
}

}  // namespace
