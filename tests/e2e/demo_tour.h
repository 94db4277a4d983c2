// A guided run of a staged demo for machines without a screen: start it, use it as a person
// would, and save a screenshot after each step.
#pragma once

#include <string>

// Runs Harpix.exe in `demoFolder`, clicks the first button, edits the first edit box, presses
// Enter, waits for lyrics, and writes tour-1-start.bmp ... into `shotsFolder`. Returns 0 when
// every step showed what it should and the program ended with exit code 0.
int TourDemo(const std::string& demoFolder, const std::string& shotsFolder);
