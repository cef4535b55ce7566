# Cross toolchain for the shipped x64 zvctrl.exe: the MinGW-w64 compilers of the win32 thread model, which
# link no thread layer into a program that starts no thread. Everything else keeps mingw-x86_64.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-x86_64.cmake)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
