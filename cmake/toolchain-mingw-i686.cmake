# 32-bit Windows, the product's build, with Debian's mingw-w64 (package
# g++-mingw-w64-i686). The product runs on Windows XP SP3 and later.
#
# The win32 thread model, not posix: the posix compilers link winpthreads,
# whose clock calls import kernel32's GetTickCount64, which Windows has only
# from Vista on, and the XP loader refuses a program that imports a function
# its DLLs lack ("The procedure entry point ... could not be located"). The
# win32 model uses only the thread and synchronisation calls that XP has;
# the launcher has one thread and needs nothing more. The inspection tests
# check every import against the Windows version that documents it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(ORVANE_WINDRES_NAME i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
