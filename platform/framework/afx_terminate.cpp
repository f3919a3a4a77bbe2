// What ends the process when an exception finds no handler, in the Windows
// build with GCC's C++ library.
#include <cstdlib>
#include <exception>

#if defined(_WIN32) && defined(__GLIBCXX__)
// GCC's library ends such a process through its "verbose terminate
// handler", which writes the exception's demangled type name to stderr: a
// GUI program has none to show, and the handler links the whole C++
// demangler (about 46 KB) into the executable that the disc carries. The
// handler is an ordinary function of the static library, so this definition
// takes its place in the link. The process still ends as the standard says,
// through abort().
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
