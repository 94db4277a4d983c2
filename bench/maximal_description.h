// The largest description file a demo can have, for the reader benchmark: every setting, 50
// buttons, 25 variables with notify routines, 25 text boxes and a lyric view, in exactly
// kMaximalDescriptionSize characters, which the reader takes without a single message.
#pragma once

#include <cstddef>
#include <string>

// One character short of the position at which the reader gives up with its too-long message.
constexpr size_t kMaximalDescriptionSize = 9998;

std::string MaximalDescription();
