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
    const int failed = RUN_ALL_TESTS();
    // A filter that selects nothing (a suite renamed, a typo in CMake) must not pass as a run.
    if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fputs("harpix_e2e: the filter selects no test\n", stderr);
        return 1;
    }
    return failed;
}
