// Writing JSON text: strings whose bytes each stand for the character of the same value.
#pragma once

#include <cstdint>
#include <string>

// Appends `text` as a JSON string; byte b becomes U+00bb, encoded in UTF-8.
void AppendJsonString(std::string& out, const char* text);

void AppendJsonNumber(std::string& out, int32_t number);
