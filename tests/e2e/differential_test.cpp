// harpix-check's word against Harpix's own: for generated demo folders, every box that Harpix
// shows when started there as a user starts it, whether its window comes up and its exit code,
// against what harpix-check --explain --json predicts for the same folder.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <tuple>

#include "demo_generator.h"
#include "e2e_support.h"
#include "resource.h"

namespace {

struct Box {
    std::string caption, owner, icon, text;
    bool operator==(const Box& b) const {
        return std::tie(caption, owner, icon, text) == std::tie(b.caption, b.owner, b.icon, b.text);
    }
};

struct Outcome {
    std::vector<Box> boxes;
    bool mainWindow = false;
    int64_t exitCode = -1;
    bool operator!=(const Outcome& o) const {
        return std::tie(boxes, mainWindow, exitCode) != std::tie(o.boxes, o.mainWindow, o.exitCode);
    }
};

std::string Describe(const Outcome& outcome) {
    std::ostringstream out;
    for (const Box& box : outcome.boxes) {
        out << "  box \"" << box.caption << "\", owner " << box.owner << ", icon " << box.icon
            << ": " << testing::PrintToString(box.text) << "\n";
    }
    out << "  main window " << (outcome.mainWindow ? "up" : "never") << ", exit code "
        << outcome.exitCode << "\n";
    return out.str();
}

// Answers every box with OK and closes the main window once it is up.
Outcome RunHarpix(const DemoFolder& folder) {
    Outcome seen;
    Process harpix = StartIn(folder);
    HWND main = nullptr;
    for (;;) {
        HWND box = nullptr;
        WaitUntil([&] {
            box = harpix.FindWindow("#32770");
            main = harpix.FindWindow("HARPIX");
            return box != nullptr || main != nullptr || !harpix.Running();
        });
        if (box == nullptr) {
            break;
        }
        MessageBoxSeen shown = WaitForMessageBox(harpix);
        const std::string owner = shown.owner == nullptr ? "none" : ClassNameOf(shown.owner);
        seen.boxes.push_back({shown.caption, owner == "HARPIX" ? "main" : owner,
                              shown.stopIcon ? "stop" : "other", shown.text});
        if (!PressOk(shown.box)) {
            break;
        }
    }
    if (main != nullptr) {
        seen.mainWindow = true;
        PostMessageA(main, WM_COMMAND, IDM_EXIT, 0);
    }
    seen.exitCode = harpix.ExitCode();
    return seen;
}

// What harpix-check says; a file it cannot read is one that Harpix cannot open.
Outcome Predict(const DemoFolder& folder, std::string& problem) {
    const std::string json = folder.Path() + "\\harpix-check.json";
    Process check(harpixCheckPath, "harpix-check.exe --explain --json Harpix.ini", folder.Path(),
                  json);
    const DWORD status = check.ExitCode();
    Outcome predicted;
    if (status == 2) {
        predicted.exitCode = 1;
        return predicted;
    }
    const nlohmann::json said = nlohmann::json::parse(ReadFileBytes(json), nullptr, false);
    if (status > 1 || !said.is_object() || !said.contains("startUp")) {
        problem = "harpix-check ended with " + std::to_string(status) + " and no prediction";
        return predicted;
    }
    for (const auto& message : said["messages"]) {
        predicted.boxes.push_back({"Harpix", "none", "stop", message.get<std::string>()});
    }
    const auto& startUp = said["startUp"];
    predicted.mainWindow = startUp["mainWindow"].get<bool>();
    predicted.exitCode = startUp["exitCode"].get<int64_t>();
    if (!startUp["box"].is_null()) {
        const auto& box = startUp["box"];
        predicted.boxes.push_back({box["caption"], box["owner"], box["icon"], box["text"]});
    }
    return predicted;
}

struct Sample {
    uint32_t seed;
    int first, count;
};

TEST(Differential, HarpixDoesWhatHarpixCheckPredictsForGeneratedFolders) {
    const std::string good = ReadFileBytes(scriptsFolder + "\\probe.spt");
    const std::string broken = ReadFileBytes(scriptsFolder + "\\broken.spt");
    ASSERT_FALSE(good.empty() || broken.empty());
    // A fixed sample, and one of the day's; HARPIX_DIFFERENTIAL="SEED FIRST COUNT" (as
    // scripts/differential sets it) runs that one instead.
    std::vector<Sample> samples = {{2311, 0, 15},
                                   {static_cast<uint32_t>(std::time(nullptr) / 86400), 0, 15}};
    if (const char* asked = std::getenv("HARPIX_DIFFERENTIAL")) {
        Sample sample = {};
        ASSERT_EQ(std::sscanf(asked, "%u %d %d", &sample.seed, &sample.first, &sample.count), 3);
        samples = {sample};
    }
    int folders = 0, boxes = 0;
    for (const Sample& sample : samples) {
        std::printf("differential: seed %u, folders %d to %d\n", sample.seed, sample.first,
                    sample.first + sample.count - 1);
        for (int i = sample.first; i < sample.first + sample.count; ++i) {
            RearmWatchdog("Differential");
            const GeneratedDemo demo = GenerateDemo(sample.seed * 7919u + i, good, broken);
            DemoFolder folder("Harpix.exe", "harpix differential");
            for (const auto& [name, bytes] : demo) {
                folder.Write(name, bytes);
            }
            std::string problem;
            const Outcome predicted = Predict(folder, problem);
            const Outcome seen = RunHarpix(folder);
            std::printf("folder %d: %zu boxes, main window %s, exit code %lld\n", i,
                        seen.boxes.size(), seen.mainWindow ? "up" : "never",
                        static_cast<long long>(seen.exitCode));
            ++folders;
            boxes += static_cast<int>(seen.boxes.size());
            if (!problem.empty() || seen != predicted) {
                folder.Keep();
                ADD_FAILURE() << "seed " << sample.seed << ", folder " << i << ", kept in "
                              << folder.Path() << "\n"
                              << problem << "Harpix:\n"
                              << Describe(seen) << "harpix-check:\n"
                              << Describe(predicted);
            }
        }
    }
    std::printf("differential: %d folders, %d boxes\n", folders, boxes);
}

}  // namespace
