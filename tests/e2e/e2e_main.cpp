// The end-to-end driver's entry: where Harpix.exe is, then the tests.
#include <gtest/gtest.h>

#include <cstring>

#include "demo_folder.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const char prefix[] = "--harpix=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix, sizeof prefix - 1) == 0) {
            harpixExePath = argv[i] + sizeof prefix - 1;
        }
    }
    // A Unix path from the build reaches Wine's programs through drive Z:.
    if (!harpixExePath.empty() && harpixExePath[0] == '/') {
        harpixExePath = "Z:" + harpixExePath;
    }
    for (char& c : harpixExePath) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (harpixExePath.empty()) {
        std::fprintf(stderr, "usage: harpix_e2e --harpix=PATH-TO-Harpix.exe [gtest options]\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
