// libFuzzer target for the stand-in script engine's language front end and interpreter: any
// source text compiles or is refused at a real place, and every routine of what compiles runs
// to its end or to a runtime error.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "script_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Most inputs are taken byte for byte (Latin-1), so that the dictionary's words reach the
    // lexer as they are; one that starts with the UTF-16LE byte-order mark is taken as UTF-16LE
    // units, so that surrogates and other units beyond Latin-1 are tried too.
    std::u16string source;
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        for (size_t i = 2; i + 1 < size; i += 2) {
            source.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
        }
    } else {
        source.assign(data, data + size);
    }
    // Two objects in the container, so that Name.Play and Name.Stop reach a real object.
    static const std::vector<std::u16string> kAliases = {u"Intro", u"Main Theme"};
    CheckCompileAndRun(source, kAliases);
    return 0;
}
