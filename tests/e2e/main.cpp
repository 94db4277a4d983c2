// The end-to-end driver's entry: where the programs and files under test are, and a watchdog.
#include <gtest/gtest.h>

#include <cstring>

#include "e2e_support.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const std::pair<const char*, std::string*> options[] = {{"--harpix=", &harpixExePath},
                                                            {"--check=", &harpixCheckPath},
                                                            {"--scripts=", &scriptsFolder},
                                                            {"--demo=", &demoSourceFolder}};
    for (int i = 1; i < argc; ++i) {
        for (const auto& [name, value] : options) {
            if (std::strncmp(argv[i], name, std::strlen(name)) == 0) {
                *value = WindowsPath(argv[i] + std::strlen(name));
            }
        }
    }
    if (harpixExePath.empty()) {
        std::fputs("usage: harpix_e2e --harpix=EXE [--check=EXE] [--scripts=DIR] [--demo=DIR]\n",
                   stderr);
        return 2;
    }
    // Past any test's own waits and below ctest's limit: a hang ends here, with what the test
    // started, rather than when ctest kills Wine.
    StartWatchdog(240);
    return RUN_ALL_TESTS();
}
