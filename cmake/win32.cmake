# MinGW build: zvctrl.exe, the simulated card's DLLs and the test suites that run under Wine. zvctrl.exe
# itself is built in a build of its own (below) by the compilers of the win32 thread model; everything else
# here uses the -posix compilers, which GoogleTest needs.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Wide statics and libstdc++ are linked in so the program needs no DLL beyond Windows' own.
set(ZV_STATIC -static -static-libgcc -static-libstdc++)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0400 _WIN32_IE=0x0400)

list(FILTER shell_sources EXCLUDE REGEX "/src/app/zvctrl_main\\.cpp$")
list(FILTER shell_sources EXCLUDE REGEX "/src/platform/win32/win9x_calls\\.cpp$")
add_library(zvshell STATIC ${shell_sources})
target_link_libraries(zvshell PUBLIC zvcore)
target_compile_options(zvshell PRIVATE ${ZV_WARNINGS})
# DirectSound and SetupAPI are loaded by name when needed, so that a machine without them still runs the
# program; these are the libraries that every Windows it starts on has.
target_link_libraries(zvshell PUBLIC comctl32 winmm shell32 user32 gdi32 advapi32)

file(GLOB zv_resource_inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/lang/*.rc ${CMAKE_SOURCE_DIR}/src/res/art/*)
set_source_files_properties(src/res/zvctrl.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/res/resource.h;${zv_resource_inputs}")

# Each program's composition root picks its platform implementations: the real mixer API and wave device
# for zvctrl.exe; the simulated card's mixer and wave player for zvctrl_sim.exe, which the demo runs.
if(ZV_SHIPPED_ONLY)
  add_executable(zvctrl WIN32 src/app/zvctrl_main.cpp src/res/zvctrl.rc)
  target_link_libraries(zvctrl PRIVATE zvshell)
  target_compile_options(zvctrl PRIVATE ${ZV_WARNINGS})
  target_link_options(zvctrl PRIVATE ${ZV_STATIC} -mwindows -s)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_sources(zvctrl PRIVATE src/platform/win32/win9x_calls.cpp)
  endif()
  return()
endif()

# The shipped program, built from the same sources by the win32-thread-model compilers into shipped/. Its
# import table is held against the committed list of what the Windows it is made for provides, and only a
# program that passes is copied beside everything else, where the tests and the package take it from.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(zv_shipped_toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-i686-win32.cmake)
  set(zv_import_list ${CMAKE_SOURCE_DIR}/tests/imports/win98se.txt)
else()
  set(zv_shipped_toolchain ${CMAKE_SOURCE_DIR}/cmake/mingw-x86_64-win32.cmake)
  set(zv_import_list ${CMAKE_SOURCE_DIR}/tests/imports/winxp-x64.txt)
endif()
set(zv_check_imports -DOBJDUMP=${CMAKE_OBJDUMP} -DLIST=${zv_import_list}
  -P ${CMAKE_SOURCE_DIR}/tests/imports/check_imports.cmake)
include(ExternalProject)
ExternalProject_Add(zvctrl
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/shipped
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${zv_shipped_toolchain} -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DZV_SHIPPED_ONLY=ON
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target zvctrl --parallel 2
  BUILD_ALWAYS ON
  INSTALL_COMMAND ${CMAKE_COMMAND} -DEXE=<BINARY_DIR>/zvctrl.exe ${zv_check_imports}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different <BINARY_DIR>/zvctrl.exe ${CMAKE_BINARY_DIR}/zvctrl.exe
  BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/zvctrl.exe)
add_test(NAME zvctrl_imports COMMAND ${CMAKE_COMMAND} -DEXE=${CMAKE_BINARY_DIR}/zvctrl.exe ${zv_check_imports})

# The speaker test's recordings live beside every program the build makes.
file(GLOB zv_sounds CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/sounds/*.wav)
add_custom_target(zv_sounds ALL COMMAND ${CMAKE_COMMAND} -E copy_if_different ${zv_sounds} ${CMAKE_BINARY_DIR}
  VERBATIM)
add_dependencies(zvctrl zv_sounds)

add_executable(zvctrl_sim WIN32 sim/root/zvctrl_sim_main.cpp src/res/zvctrl.rc)
target_link_libraries(zvctrl_sim PRIVATE zvshell zvsim_model zvsim_player)
target_compile_options(zvctrl_sim PRIVATE ${ZV_WARNINGS})
target_link_options(zvctrl_sim PRIVATE ${ZV_STATIC} -mwindows -s)

add_subdirectory(sim)

# GoogleTest for the Windows side comes from Debian's source package.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tests/wine)
add_subdirectory(tests/bench)
add_subdirectory(tests/soak)

include(cmake/package.cmake)
