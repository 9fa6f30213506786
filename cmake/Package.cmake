# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by `cpack -G DEB` from the same build as the tests: the programs
# under /usr/lib/quarvelin with their data, linked into /usr/bin. Its library dependencies come
# from the binaries; the rest are what Qt loads at run time without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarvelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(QUARVELIN_MAINTAINER "Quarvelin developers <quarvelin@example.org>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${QUARVELIN_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The programs are linked from /usr/bin, which every PATH has; lintian keeps the games section
# for packages with programs in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6sql6-sqlite, qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS scid-data)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess program: play, study and manage PGN games")
set(CPACK_PACKAGE_DESCRIPTION
  "Quarvelin is a desktop chess program: play on a screen board against the
built-in engine at four levels or against a friend at the same board, or
watch the engine play itself. It reads and writes PGN files of any size,
lists their games through a filter, names openings from a base of over ten
thousand lines, keeps clocks and prints games. It speaks eight languages.
.
The package also brings quarvelin-cli, the same chess core on the command
line: perft, move lists, replay, listing and converting game files, and a
UCI engine.")
include(CPack)

# The package as a user gets it must pass Debian's checks: `make test` builds it into a folder
# of its own and runs lintian, appstreamcli and desktop-file-validate on it.
if(TARGET quarvelin)
  add_test(NAME Packaging
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-package ${CMAKE_BINARY_DIR}
      ${CMAKE_BINARY_DIR}/package-test)
  set_tests_properties(Packaging PROPERTIES TIMEOUT 900)
endif()
