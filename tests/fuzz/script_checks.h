// What both script fuzz targets ask of the language once they hold a source text: it compiles
// (or is refused) the same way every time, a refusal names a real place in the source, and every
// routine of a compiled script runs to its end or to a runtime error, the same way every time.
#pragma once

#include <string>
#include <vector>

// `objectAliases` are the container's names, as the engine's Init passes them.
void CheckCompileAndRun(const std::u16string& source,
                        const std::vector<std::u16string>& objectAliases);
