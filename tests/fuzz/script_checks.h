// What both script fuzz targets ask of the language once they hold a source text: it compiles or
// is refused at a real place in the source, and every routine of a compiled script runs to its
// end or to a runtime error at a real place, within the performance's ranges.
#pragma once

#include <string>
#include <vector>

// `objectAliases` are the container's names, as the engine's Init passes them.
void CheckCompileAndRun(const std::u16string& source,
                        const std::vector<std::u16string>& objectAliases);
