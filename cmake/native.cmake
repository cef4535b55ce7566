# Native build: the portable code and its unit tests, under AddressSanitizer and UBSan.
find_package(GTest REQUIRED)
include(GoogleTest)

set(ZV_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(zvcore PRIVATE ${ZV_SANITIZE})
target_link_options(zvcore INTERFACE ${ZV_SANITIZE})
if(sim_model_sources)
  target_compile_options(zvsim_model PRIVATE ${ZV_SANITIZE})
endif()

file(GLOB_RECURSE unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${unit_sources})
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit)
target_compile_options(unit_tests PRIVATE ${ZV_WARNINGS} ${ZV_SANITIZE})
target_link_options(unit_tests PRIVATE ${ZV_SANITIZE})
target_link_libraries(unit_tests PRIVATE zvcore zvsim_model GTest::gtest GTest::gtest_main)
add_test(NAME unit_tests COMMAND unit_tests --gtest_brief=1)

# The layers of src/ and the names that say what is Win32.
add_test(NAME layers COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} "-DWIN32_NAME=${ZV_WIN32_NAME}"
         -P ${CMAKE_SOURCE_DIR}/tests/layers/check_layers.cmake)
