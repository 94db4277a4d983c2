// Runs a fuzz target over given files and folders without libFuzzer, so that the sanitizer tree
// replays every seed and every input that ever found a fault as an ordinary test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fuzz replay: cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A fault aborts inside the target; the name printed last is then the input that found it.
    std::fprintf(stderr, "fuzz replay: %s\n", path.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path path(argv[i]);
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            std::vector<std::filesystem::path> inputs;
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                if (entry.is_regular_file()) {
                    inputs.push_back(entry.path());
                }
            }
            std::sort(inputs.begin(), inputs.end());
            for (const auto& input : inputs) {
                if (!Replay(input)) {
                    return 1;
                }
                ++replayed;
            }
        } else if (!Replay(path)) {
            return 1;
        } else {
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::fprintf(stderr, "fuzz replay: no inputs\n");
        return 1;
    }
    std::printf("fuzz replay: %zu inputs, no fault\n", replayed);
    return 0;
}
