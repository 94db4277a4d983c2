// Builds the performance messages that DirectMusic hands the lyric tool.
#pragma once

#include <windows.h>
#include <dmusici.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

// A DMUS_LYRIC_PMSG (or a message of another type) carrying `text`, addressed through `graph`.
class LyricMessage {
public:
    LyricMessage(DWORD type, const std::wstring& text, IDirectMusicGraph* graph) {
        size_t size = offsetof(DMUS_LYRIC_PMSG, wszString) + (text.size() + 1) * sizeof(WCHAR);
        storage.resize((size + sizeof(unsigned long long) - 1) / sizeof(unsigned long long));
        DMUS_LYRIC_PMSG* lyric = reinterpret_cast<DMUS_LYRIC_PMSG*>(storage.data());
        lyric->dwSize = static_cast<DWORD>(size);
        lyric->dwType = type;
        lyric->pGraph = graph;
        std::memcpy(lyric->wszString, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    }
    DMUS_PMSG* Get() { return reinterpret_cast<DMUS_PMSG*>(storage.data()); }
    // The message's bytes, to show that the tool passes it on unchanged.
    std::vector<unsigned long long> Bytes() const { return storage; }

private:
    std::vector<unsigned long long> storage;
};
