// The top-level settings of the demo, named after their keys in the description file.
#pragma once

#include <cstdint>

struct DemoSettings {
    char Title[50];
    int32_t WindowWidth;
    int32_t WindowHeight;
    char ScriptFileName[100];
    char AutoExecRoutine[50];
    char AudioPathFileName[100];
};

// Filled once at start-up by ReadDescriptionFile, only read afterwards.
extern DemoSettings demoSettings;
