// Lifecycle tracing, switched on by ORVANE_TRACE in the environment.
#include "platform.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void AfxTrace(const char* fmt, ...)
{
    static const bool enabled = std::getenv("ORVANE_TRACE") != nullptr;
    if (!enabled) return;
    char line[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(line, sizeof line, fmt, args);
    va_end(args);
    std::fprintf(stderr, "trace: %s\n", line);
    std::fflush(stderr);
#ifdef _WIN32
    ::OutputDebugStringA(line);
#endif
}
