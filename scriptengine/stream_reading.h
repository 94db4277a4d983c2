// Reading a RIFF file from a COM stream into memory: the header says how many bytes follow.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Files larger than this are not scripts anyone wrote by hand.
constexpr uint32_t kMaxScriptFileSize = 64u << 20;

// Reads the 8-byte chunk header and then as many bytes as it announces, or fewer where the
// stream ends (the parser then finds the file truncated). False when the header is absent or
// announces more than kMaxScriptFileSize.
bool ReadRiffFromStream(IStream* stream, std::vector<uint8_t>& bytes);
