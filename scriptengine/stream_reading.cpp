// ReadRiffFromStream: in pieces, so that a size the stream cannot back is never allocated.
#include "stream_reading.h"

#include "riff_reader.h"

namespace {

constexpr ULONG kPiece = 64 * 1024;

// Appends up to `count` bytes; returns how many came.
size_t ReadSome(IStream* stream, std::vector<uint8_t>& bytes, size_t count) {
    size_t start = bytes.size();
    size_t total = 0;
    while (total < count) {
        ULONG want = count - total < kPiece ? static_cast<ULONG>(count - total) : kPiece;
        bytes.resize(start + total + want);
        ULONG got = 0;
        HRESULT result = stream->Read(bytes.data() + start + total, want, &got);
        total += got;
        if (FAILED(result) || got == 0) {
            break;
        }
    }
    bytes.resize(start + total);
    return total;
}

}  // namespace

bool ReadRiffFromStream(IStream* stream, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (ReadSome(stream, bytes, 8) < 8) {
        return false;
    }
    uint32_t size = ReadLe32(bytes.data() + 4);
    if (size > kMaxScriptFileSize) {
        return false;
    }
    ReadSome(stream, bytes, size);
    return true;
}
