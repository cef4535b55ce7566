# Reads the import table of a built program (objdump -p) and fails on every imported function that the
# committed list does not allow.
#   cmake -DOBJDUMP=<objdump> -DEXE=<program> -DLIST=<list> -P check_imports.cmake
# The list holds one import a line: the DLL, the function and where the function's presence on the
# Windows the list is for is documented; "#" starts a comment. DLL names compare without regard to case.
cmake_minimum_required(VERSION 3.20)

foreach(var OBJDUMP EXE LIST)
  if(NOT ${var})
    message(FATAL_ERROR "check_imports: ${var} not given")
  endif()
endforeach()

get_filename_component(exe_name "${EXE}" NAME)
get_filename_component(list_name "${LIST}" NAME)

file(STRINGS "${LIST}" list_lines)
set(allowed)
foreach(line IN LISTS list_lines)
  string(REGEX REPLACE "#.*" "" line "${line}")
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  if(NOT line MATCHES "^([^ \t]+)[ \t]+([^ \t]+)[ \t]+([^ \t].*)$")
    message(FATAL_ERROR "${list_name}: \"${line}\" needs a DLL, a function and where it is documented")
  endif()
  string(TOUPPER "${CMAKE_MATCH_1}" dll)
  list(APPEND allowed "${dll} ${CMAKE_MATCH_2}")
endforeach()

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "check_imports: ${OBJDUMP} -p ${EXE} failed (${rc})")
endif()

# "\tDLL Name: KERNEL32.dll" opens a DLL's entries, "\t<vma>\t <hint>  <name>" is one import by name (an
# import by ordinal shows "<none>"), and a blank line ends them.
string(REPLACE ";" "\\;" dump "${dump}")
string(REPLACE "\n" ";" dump_lines "${dump}")
set(dll "")
set(imported 0)
set(foreign)
foreach(line IN LISTS dump_lines)
  if(line MATCHES "^\tDLL Name: (.+)$")
    string(TOUPPER "${CMAKE_MATCH_1}" dll)
  elseif(line STREQUAL "")
    set(dll "")
  elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([^ ]+)")
    math(EXPR imported "${imported} + 1")
    set(import "${dll} ${CMAKE_MATCH_1}")
    if(NOT import IN_LIST allowed)
      list(APPEND foreign "${import}")
    endif()
  endif()
endforeach()

if(imported EQUAL 0)
  message(FATAL_ERROR "check_imports: no import found in ${EXE}")
endif()
if(foreign)
  list(JOIN foreign "\n  " shown)
  message(FATAL_ERROR "${exe_name} imports what ${list_name} does not allow:\n  ${shown}")
endif()
message(STATUS "${exe_name}: all ${imported} imports are in ${list_name}")
