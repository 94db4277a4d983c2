// The end-to-end driver's entry: where Harpix.exe and the test scripts are, then either the
// tests or one of the driver's errands (a screenshot, a tour of a demo).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "demo_folder.h"
#include "demo_tour.h"
#include "expected_messages.h"
#include "screenshot.h"

extern std::string scriptsDirectory;
extern std::string soakDemoFolder;

namespace {

const char kUsage[] =
    "usage: harpix_e2e --harpix=PATH [--check=HARPIX-CHECK] [--scripts=DIR] [gtest options]\n"
    "       harpix_e2e --harpix=PATH --screenshot=FILE.bmp | --screenshot-demo=FILE.bmp\n"
    "       harpix_e2e --tour=DEMO-FOLDER --shots=FOLDER\n";

// A path from the build, as Wine's programs see it: Unix paths lie on drive Z:.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

// The value of "--name=value" when `argument` is that option.
bool Option(const char* argument, const char* name, std::string& value) {
    const size_t length = std::strlen(name);
    if (std::strncmp(argument, name, length) != 0 || argument[length] != '=') {
        return false;
    }
    value = WindowsPath(argument + length + 1);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::string aboutShot, demoShot, tourFolder, shotsFolder;
    for (int i = 1; i < argc; ++i) {
        Option(argv[i], "--harpix", harpixExePath) ||
            Option(argv[i], "--scripts", scriptsDirectory) ||
            Option(argv[i], "--check", harpixCheckPath) ||
            Option(argv[i], "--demo", soakDemoFolder) ||
            Option(argv[i], "--screenshot", aboutShot) ||
            Option(argv[i], "--screenshot-demo", demoShot) ||
            Option(argv[i], "--tour", tourFolder) || Option(argv[i], "--shots", shotsFolder);
    }
    if (!tourFolder.empty()) {
        return TourDemo(tourFolder, shotsFolder);
    }
    if (harpixExePath.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!aboutShot.empty()) {
        return TakeAboutBoxScreenshot(aboutShot);
    }
    if (!demoShot.empty()) {
        return TakeDemoWindowScreenshot(demoShot);
    }
    return RUN_ALL_TESTS();
}
