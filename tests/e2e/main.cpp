// The end-to-end driver's entry: where the programs and files under test are, and a watchdog.
#include <gtest/gtest.h>

#include <cstring>

#include "e2e_support.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const struct {
        const char* name;
        std::string* value;
    } options[] = {{"--harpix=", &harpixExePath},
                   {"--check=", &harpixCheckPath},
                   {"--scripts=", &scriptsFolder},
                   {"--demo=", &demoSourceFolder}};
    for (int i = 1; i < argc; ++i) {
        for (const auto& option : options) {
            if (std::strncmp(argv[i], option.name, std::strlen(option.name)) == 0) {
                *option.value = WindowsPath(argv[i] + std::strlen(option.name));
            }
        }
    }
    if (harpixExePath.empty()) {
        std::fputs(
            "usage: harpix_e2e --harpix=PATH [--check=PATH] [--scripts=DIR] [--demo=DIR]"
            " [gtest options]\n",
            stderr);
        return 2;
    }
    // Well past any test's own waits; below the ctest limit, so that a hang ends here, with
    // everything the test started, and not when ctest kills Wine.
    StartWatchdog(240);
    return RUN_ALL_TESTS();
}
