# The two programs a user runs, and the Debian package that carries them.
#
# `tessaro_programs` builds the editor and tessaro-cli and nothing else, so
# `make run` and `make package` do not wait for every test program and benchmark.
add_custom_target(tessaro_programs)
foreach(program tessaro tessaro-cli)
  if(TARGET ${program})
    add_dependencies(tessaro_programs ${program})
  endif()
endforeach()
add_dependencies(tessaro_programs tessaro_docs) # the manual pages and changelog they install with

# Installing (and so cpack) builds only what it installs; `make install` and
# `make package` build the programs first themselves.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(TESSARO_PACKAGE_MAINTAINER "Tessaro developers <tessaro@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tessaro developers")
set(CPACK_PACKAGE_CONTACT "${TESSARO_PACKAGE_MAINTAINER}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Music Database editor for the Yamaha PSR-9000 and PSR-9000pro keyboards")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Tessaro reads the Music Database backup file of the Yamaha PSR-9000 and\n"
  "PSR-9000pro arranger keyboards (MDB.bup, MDB_Pro.bup), shows its one-touch\n"
  "registrations grouped by category and edits every setting of an entry:\n"
  "title, category, style, tempo, variation, the accompaniment parts and the\n"
  "voices. It copies, moves, searches and deletes entries, keeps an unlimited\n"
  "archive of entries of your own (.mdx files) and writes a valid file back,\n"
  "if wanted straight into a keyboard backup set with its BACKUP.INI.\n"
  "\n"
  "The package also holds tessaro-cli, a command-line tool that writes\n"
  "reports of, lists, checks and converts the same files. Every text is in\n"
  "English and German.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tessaro_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TESSARO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link (Qt 6 Widgets, Gui, Network, Core, the C++
# run time) are read from the binaries by dpkg-shlibdeps and added to Depends.
# Qt's own translations are loaded at run time, not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# Without it the editor still runs under Wayland, through XWayland; without
# xdg-open (xdg-utils) Help says that it finds no program to show its page.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")

include(CPack)

# The package test builds a .deb from the programs and checks what it holds and
# what it asks for. It takes some ten seconds; `make test` runs it with the
# rest, `make test-package` (label package) alone.
if(TESSARO_TESTS AND TARGET tessaro AND TARGET tessaro-cli)
  add_test(NAME package.deb
           COMMAND ${CMAKE_COMMAND}
                   -DCPACK=${CMAKE_CPACK_COMMAND}
                   -DCPACK_CONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
                   -DWORK_DIR=${CMAKE_BINARY_DIR}/package-test
                   -DVERSION=${PROJECT_VERSION}
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackage.cmake)
  set_tests_properties(package.deb PROPERTIES LABELS package TIMEOUT 600)
endif()
