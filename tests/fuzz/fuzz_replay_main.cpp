// Runs a fuzz target over the files named on its command line without libFuzzer, so that the
// sanitizer tree replays every seed and every input that ever found a fault as an ordinary test.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "fuzz replay: no inputs\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "fuzz replay: cannot read %s\n", argv[i]);
            return 1;
        }
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        // A fault aborts inside the target: the name printed last is the input that found it.
        std::fprintf(stderr, "fuzz replay: %s\n", argv[i]);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("fuzz replay: %d inputs, no fault\n", argc - 1);
    return 0;
}
