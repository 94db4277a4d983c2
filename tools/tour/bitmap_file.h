// Saving an area of the screen as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

bool SaveScreenArea(const RECT& area, const std::string& path);
