# Cross toolchain for the shipped 32-bit zvctrl.exe: the MinGW-w64 compilers of the win32 thread model. The
# program starts no thread, and their runtime needs nothing that Windows 98 SE lacks, where the -posix
# compilers' thread layer imports calls of Windows XP and Vista. Everything else keeps mingw-i686.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
