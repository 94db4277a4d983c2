#include "start_up_trace.h"

#include <cstdio>

void TraceStartUpFailure(const char* step, HRESULT result) {
    char line[200];
    std::snprintf(line, sizeof line, "Harpix: start-up: %s failed (0x%08lX)\n", step,
                  static_cast<unsigned long>(result));
    OutputDebugStringA(line);
}
