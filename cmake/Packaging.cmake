# The command line for Linux: `cmake --install` puts the program and its manual page
# under a prefix, and CPack makes them a Debian package (scripts/package.sh).

install(TARGETS zq347cli RUNTIME DESTINATION bin)

# The manual page is made from the program's own --help at build time.
find_program(ZQ_HELP2MAN help2man)
if(ZQ_HELP2MAN)
  set(manual ${CMAKE_BINARY_DIR}/zq347cli.1.gz)
  add_custom_command(
    OUTPUT ${manual}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:zq347cli> -DHELP2MAN=${ZQ_HELP2MAN}
            -DOUTPUT=${manual} -P ${CMAKE_SOURCE_DIR}/cmake/ManualPage.cmake
    DEPENDS zq347cli ${CMAKE_SOURCE_DIR}/cmake/ManualPage.cmake
    COMMENT "Making the manual page of zq347cli from its --help")
  add_custom_target(manual ALL DEPENDS ${manual})
  install(FILES ${manual} DESTINATION share/man/man1)
endif()

# Packaging builds only what it installs, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zq347cli)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "writes and inspects the data files of the ZQ347SD data logger")
set(CPACK_PACKAGE_DESCRIPTION
    "The command-line companion of the ZQ347SD File Creator: it prepares a memory card for the ZQ347SD logger with a pre-filled data file whose header holds the recording choices, and checks what a card holds.")
set(CPACK_PACKAGE_CONTACT "ZQ347SD File Creator <zq347sd@localhost>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # zq347cli_<version>_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Depends on exactly the libraries the program links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
