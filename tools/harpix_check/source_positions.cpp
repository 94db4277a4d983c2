// Mapping the reader's positions back to the saved bytes, by the same translation it reads with.
#include "source_positions.h"

#include <algorithm>

#include "description_text.h"

SourcePositions::SourcePositions(const std::string& bytes) {
    size_t end = bytes.size();
    if (size_t z = bytes.find('\x1A'); z != std::string::npos) {
        end = z;
        ctrlZ = true;
    }
    size_t offset = 0;
    while (offset < end && offsets.size() < static_cast<size_t>(kDescriptionTextLimit)) {
        offsets.push_back(offset);
        const bool pair = bytes[offset] == '\r' && offset + 1 < end && bytes[offset + 1] == '\n';
        offset += pair ? 2 : 1;
    }
    offsets.push_back(offset);
    lineStarts.push_back(0);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            lineStarts.push_back(i + 1);
        }
    }
}

SourcePlace SourcePositions::Place(int32_t position) const {
    const size_t index = std::min(static_cast<size_t>(std::max(position, 0)), offsets.size() - 1);
    const size_t offset = offsets[index];
    const auto next = std::upper_bound(lineStarts.begin(), lineStarts.end(), offset);
    const size_t line = static_cast<size_t>(next - lineStarts.begin());
    return {static_cast<int>(line), static_cast<int>(offset - lineStarts[line - 1] + 1)};
}
