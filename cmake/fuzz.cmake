# Fuzz build: libFuzzer targets on the portable code, with clang, AddressSanitizer and UBSan. Every target
# is tests/fuzz/<name>_fuzz.cpp; its seed corpus is tests/fuzz/corpus/<name>.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "the fuzz build needs clang (use the fuzz preset)")
endif()

set(ZV_FUZZ_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
# Coverage for everything under test; only the targets link libFuzzer's main.
set(ZV_FUZZ_COVERAGE -fsanitize=fuzzer-no-link ${ZV_FUZZ_SANITIZE})

target_compile_options(zvcore PRIVATE ${ZV_FUZZ_COVERAGE})
if(sim_model_sources)
  target_compile_options(zvsim_model PRIVATE ${ZV_FUZZ_COVERAGE})
endif()

file(GLOB fake_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/fakes/*.cpp)
add_library(zvfakes STATIC ${fake_sources})
target_include_directories(zvfakes PUBLIC ${CMAKE_SOURCE_DIR}/tests/unit ${CMAKE_SOURCE_DIR}/src)
target_compile_options(zvfakes PRIVATE ${ZV_WARNINGS} ${ZV_FUZZ_SANITIZE})

file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
set(ZV_FUZZ_TARGETS)
foreach(source IN LISTS fuzz_sources)
  get_filename_component(name ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${name})
  add_executable(fuzz_${name} ${source})
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/fuzz)
  # The harness itself carries no coverage, so the figures and the search count the program's code only.
  target_compile_options(fuzz_${name} PRIVATE ${ZV_WARNINGS} ${ZV_FUZZ_SANITIZE})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${ZV_FUZZ_SANITIZE})
  target_link_libraries(fuzz_${name} PRIVATE zvcore zvsim_model zvfakes)
  list(APPEND ZV_FUZZ_TARGETS ${name})
endforeach()
# tools/fuzz reads the list of targets from here.
file(WRITE ${CMAKE_BINARY_DIR}/fuzz-targets.txt "")
foreach(name IN LISTS ZV_FUZZ_TARGETS)
  file(APPEND ${CMAKE_BINARY_DIR}/fuzz-targets.txt "${name}\n")
endforeach()
