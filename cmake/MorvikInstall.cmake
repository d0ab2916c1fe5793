# Installs morvik-cli as a Debian tool is installed: the program, its manual
# page and the README under the GNU directories (`cmake --install`), and makes
# a .deb of the same files (`cpack -G DEB`) whose Depends are computed from
# the libraries the program links. The manual page is written at build time
# from the program's own --help and --version, so the two cannot drift apart.
# The Windows programs install nothing.
if(WIN32 OR CMAKE_CROSSCOMPILING)
  return()
endif()

# One line saying what the program does: the NAME of the manual page and the
# summary of the package.
set(MORVIK_CLI_SUMMARY "show where a disguised URL really points")
set(MORVIK_PACKAGE_MAINTAINER "Morvik developers <morvik@example.org>"
    CACHE STRING "Maintainer line of the .deb: name <address>")

include(GNUInstallDirs)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(morvik_man_page ${CMAKE_BINARY_DIR}/morvik-cli.1.gz)
add_custom_command(
  OUTPUT ${morvik_man_page}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/cmake/help-to-man
          $<TARGET_FILE:morvik-cli> ${MORVIK_CLI_SUMMARY} ${morvik_man_page}
  DEPENDS morvik-cli ${PROJECT_SOURCE_DIR}/cmake/help-to-man
  COMMENT "Writing the manual page of morvik-cli from its --help"
  VERBATIM)
add_custom_target(morvik-cli-man ALL DEPENDS ${morvik_man_page})

install(TARGETS morvik-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${morvik_man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Under the package's name, as Debian keeps documents, not the project's
# (the DOCDIR default).
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/morvik-cli)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvik-cli)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${MORVIK_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${MORVIK_CLI_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION
    "morvik-cli reads suspicious links the way the Morvik window does and the way a web browser does, and shows where each one really goes and which disguises hide that: a decoy user part, a numeric host, a look-alike name, a redirect through a trusted site, shown text naming another site. It reads URLs from the command line, from files and from standard input, and every link out of e-mail messages, mailboxes, HTML pages and plain text.")
# A package installs under /usr, whatever prefix a `cmake --install` uses.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
include(CPack)
