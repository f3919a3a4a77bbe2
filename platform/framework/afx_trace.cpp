// Lifecycle tracing, switched on by ORVANE_TRACE in the environment.
#include "platform/platform.h"

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
#ifdef _WIN32
    // The C runtime's own formatter: mingw-w64's C99 one, which its C++
    // headers choose for every printf call, would link its own formatter
    // and floating-point conversion into the executable for this one line.
    // It does not terminate a line it cuts short.
    ::_vsnprintf(line, sizeof line - 1, fmt, args);
    line[sizeof line - 1] = '\0';
#else
    std::vsnprintf(line, sizeof line, fmt, args);
#endif
    va_end(args);
    std::fputs("trace: ", stderr);
    std::fputs(line, stderr);
    std::fputs("\n", stderr);
    std::fflush(stderr);
#ifdef _WIN32
    ::OutputDebugStringA(line);
#endif
}
