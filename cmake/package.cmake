# The release package: `cmake --build --preset mingw --target package` makes zvctrl-VERSION-win32.zip with
# the program, the speaker test's recordings and a README for Windows users, all at the top of the archive,
# since they belong together in one folder.
configure_file(${CMAKE_SOURCE_DIR}/docs/README.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)

install(PROGRAMS ${CMAKE_BINARY_DIR}/zvctrl.exe DESTINATION .)
install(FILES ${zv_sounds} ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

# The PE machine and optional header magic that zvctrl.exe must carry: i386 and PE32, or x86-64 and PE32+.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(zv_package_system win32)
  set(zv_pe_machine 332)
  set(zv_pe_magic 267)
else()
  set(zv_package_system win64)
  set(zv_pe_machine 34404)
  set(zv_pe_magic 523)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME zvctrl)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(zv_package_file zvctrl-${PROJECT_VERSION}-${zv_package_system})
set(CPACK_PACKAGE_FILE_NAME ${zv_package_file})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Zolvane ZV930 audio control panel")
include(CPack)

# Makes the package as the package target does, in a folder of its own, and checks what a user unpacks.
add_test(NAME package_contents
  COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
    -DZIP_NAME=${zv_package_file}.zip -DPE_MACHINE=${zv_pe_machine} -DPE_MAGIC=${zv_pe_magic}
    -P ${CMAKE_SOURCE_DIR}/tests/package/check_package.cmake)
