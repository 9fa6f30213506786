# SPDX-License-Identifier: GPL-3.0-or-later
# The installation tree the desktop program runs from, in build/bin: settings file, piece set,
# besides the opening base and the sound cues built elsewhere. `make install` copies the whole
# tree under lib/quarvelin and links the programs into bin.
add_executable(installation_ini ${PROJECT_SOURCE_DIR}/tools/installation_ini.cpp)
target_link_libraries(installation_ini PRIVATE quarvelin_logic)
add_executable(corres_base ${PROJECT_SOURCE_DIR}/tools/corres_base.cpp)
target_link_libraries(corres_base PRIVATE quarvelin_logic)

set(QUARVELIN_TREE ${CMAKE_BINARY_DIR}/bin)
file(GLOB QUARVELIN_PIECES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/pieces/quarvelin/*.svg)
set(PIECES_COPIED)
foreach(svg ${QUARVELIN_PIECES})
  get_filename_component(name ${svg} NAME)
  set(out ${QUARVELIN_TREE}/images/pieces/Quarvelin/${name})
  add_custom_command(OUTPUT ${out} COMMAND ${CMAKE_COMMAND} -E copy ${svg} ${out} DEPENDS ${svg})
  list(APPEND PIECES_COPIED ${out})
endforeach()
# The build tree keeps the choices made while trying the program; an installation ships a fresh
# settings file and an empty correspondence base, written anew at every build.
set(QUARVELIN_FRESH_INI ${CMAKE_BINARY_DIR}/installation/quarvelin.ini)
set(QUARVELIN_FRESH_CORRES ${CMAKE_BINARY_DIR}/installation/base/corres.db)
add_custom_target(installation_tree ALL
  COMMAND installation_ini ${QUARVELIN_TREE}/quarvelin.ini
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QUARVELIN_FRESH_INI}
  COMMAND installation_ini ${QUARVELIN_FRESH_INI}
  COMMAND corres_base ${QUARVELIN_TREE}/base/corres.db
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QUARVELIN_FRESH_CORRES}
  COMMAND corres_base ${QUARVELIN_FRESH_CORRES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUARVELIN_TREE}/images/echiquier
  DEPENDS installation_ini corres_base ${PIECES_COPIED}
  COMMENT "Installation tree")

include(GNUInstallDirs)
set(QUARVELIN_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/quarvelin)
if(TARGET quarvelin)
  install(TARGETS quarvelin quarvelin-cli DESTINATION ${QUARVELIN_INSTALL_DIR})
  install(DIRECTORY ${QUARVELIN_TREE}/base ${QUARVELIN_TREE}/son DESTINATION ${QUARVELIN_INSTALL_DIR}
          PATTERN "corres.db*" EXCLUDE)
  install(FILES ${QUARVELIN_FRESH_CORRES} DESTINATION ${QUARVELIN_INSTALL_DIR}/base)
  install(DIRECTORY ${QUARVELIN_TREE}/images/pieces/Quarvelin
          DESTINATION ${QUARVELIN_INSTALL_DIR}/images/pieces)
  install(DIRECTORY DESTINATION ${QUARVELIN_INSTALL_DIR}/images/echiquier)
  install(FILES ${QUARVELIN_FRESH_INI} DESTINATION ${QUARVELIN_INSTALL_DIR})
  install(CODE "
    file(MAKE_DIRECTORY \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR})
    foreach(p quarvelin quarvelin-cli)
      execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
        ../${QUARVELIN_INSTALL_DIR}/\${p} \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${p})
    endforeach()")
  install(FILES ${PROJECT_SOURCE_DIR}/data/quarvelin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/pieces/quarvelin/10.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME quarvelin.svg)
endif()
