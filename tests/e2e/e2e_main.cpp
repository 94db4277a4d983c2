// The end-to-end driver's entry: where Harpix.exe is, then the tests.
#include <gtest/gtest.h>

#include <cstring>

#include "demo_folder.h"
#include "screenshot.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const char prefix[] = "--harpix=";
    const char screenshotPrefix[] = "--screenshot=";
    const char demoScreenshotPrefix[] = "--screenshot-demo=";
    std::string screenshotPath;
    std::string demoScreenshotPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix, sizeof prefix - 1) == 0) {
            harpixExePath = argv[i] + sizeof prefix - 1;
        } else if (std::strncmp(argv[i], screenshotPrefix, sizeof screenshotPrefix - 1) == 0) {
            screenshotPath = argv[i] + sizeof screenshotPrefix - 1;
        } else if (std::strncmp(argv[i], demoScreenshotPrefix, sizeof demoScreenshotPrefix - 1) ==
                   0) {
            demoScreenshotPath = argv[i] + sizeof demoScreenshotPrefix - 1;
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
        std::fprintf(stderr,
                     "usage: harpix_e2e --harpix=PATH-TO-Harpix.exe [--screenshot=FILE.bmp | "
                     "--screenshot-demo=FILE.bmp] [gtest "
                     "options]\n");
        return 2;
    }
    if (!screenshotPath.empty()) {
        return TakeAboutBoxScreenshot(screenshotPath);
    }
    if (!demoScreenshotPath.empty()) {
        return TakeDemoWindowScreenshot(demoScreenshotPath);
    }
    return RUN_ALL_TESTS();
}
