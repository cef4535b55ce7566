# MinGW build: zvctrl.exe, the simulated card's DLLs and the test suites that run under Wine.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Wide statics and libstdc++ are linked in so the program needs no DLL beyond Windows' own.
set(ZV_STATIC -static -static-libgcc -static-libstdc++)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0400 _WIN32_IE=0x0400)

list(FILTER shell_sources EXCLUDE REGEX "/src/app/main\\.cpp$")
list(FILTER shell_sources EXCLUDE REGEX "/src/platform/win32/system\\.cpp$")
add_library(zvshell STATIC ${shell_sources})
target_link_libraries(zvshell PUBLIC zvcore)
target_compile_options(zvshell PRIVATE ${ZV_WARNINGS})
target_link_libraries(zvshell PUBLIC comctl32 dsound winmm setupapi shell32 user32 gdi32 advapi32)

# The one place that picks the platform implementations, compiled twice: with the real mixer API for
# zvctrl.exe, and with the simulated card's mixer for zvctrl_sim.exe, which the demo runs.
add_library(zvsystem OBJECT src/platform/win32/system.cpp)
target_link_libraries(zvsystem PUBLIC zvshell)
target_compile_options(zvsystem PRIVATE ${ZV_WARNINGS})
add_library(zvsystem_sim OBJECT src/platform/win32/system.cpp)
target_compile_definitions(zvsystem_sim PRIVATE ZV_SIMULATED_CARD)
target_link_libraries(zvsystem_sim PUBLIC zvshell zvsim_model zvsim_player)
target_compile_options(zvsystem_sim PRIVATE ${ZV_WARNINGS})

add_executable(zvctrl WIN32 src/app/main.cpp src/res/zvctrl.rc)
target_link_libraries(zvctrl PRIVATE zvsystem zvshell)
target_compile_options(zvctrl PRIVATE ${ZV_WARNINGS})
target_link_options(zvctrl PRIVATE ${ZV_STATIC} -mwindows -s)
file(GLOB zv_resource_inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/lang/*.rc ${CMAKE_SOURCE_DIR}/src/res/art/*)
set_source_files_properties(src/res/zvctrl.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/res/resource.h;${zv_resource_inputs}")

# The speaker test's recordings live beside every program the build makes.
file(GLOB zv_sounds CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/sounds/*.wav)
add_custom_target(zv_sounds ALL COMMAND ${CMAKE_COMMAND} -E copy_if_different ${zv_sounds} ${CMAKE_BINARY_DIR}
  VERBATIM)
add_dependencies(zvctrl zv_sounds)

add_executable(zvctrl_sim WIN32 src/app/main.cpp src/res/zvctrl.rc)
target_link_libraries(zvctrl_sim PRIVATE zvsystem_sim zvshell zvsim_model)
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
