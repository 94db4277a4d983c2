// A picture of Harpix for the documentation: the main window with its About box open.
#pragma once

#include <windows.h>

#include <string>

// Starts a small demo, opens the About box and saves the part of the screen that shows both
// as a 24-bit BMP file. Returns the process exit code for the driver (0 on success).
int TakeAboutBoxScreenshot(const std::string& bmpPath);

// Saves the main window of a demo with every kind of control.
int TakeDemoWindowScreenshot(const std::string& bmpPath);

// Saves a part of the screen as a 24-bit BMP file.
bool SaveScreenArea(const RECT& area, const std::string& bmpPath);
