# SPDX-License-Identifier: GPL-3.0-or-later
# The installation tree the desktop program runs from, in build/bin: settings file, piece set,
# besides the opening base and the sound cues built elsewhere. `make install` copies it under
# lib/quarvelin with a new settings file and opening base, and links the programs into bin.
add_executable(installation_ini ${PROJECT_SOURCE_DIR}/tools/installation_ini.cpp)
target_link_libraries(installation_ini PRIVATE quarvelin_logic)
add_executable(corres_base ${PROJECT_SOURCE_DIR}/tools/corres_base.cpp)
target_link_libraries(corres_base PRIVATE quarvelin_logic)

set(QUARVELIN_TREE ${CMAKE_BINARY_DIR}/bin)
file(GLOB QUARVELIN_PIECES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/pieces/quarvelin/*.svg)
set(TREE_FILES)
foreach(svg ${QUARVELIN_PIECES})
  get_filename_component(name ${svg} NAME)
  set(out ${QUARVELIN_TREE}/images/pieces/Quarvelin/${name})
  add_custom_command(OUTPUT ${out} COMMAND ${CMAKE_COMMAND} -E copy ${svg} ${out} DEPENDS ${svg})
  list(APPEND TREE_FILES ${out})
endforeach()
# The build tree keeps the games tried there; an installation ships an empty correspondence base,
# written anew at every build.
set(QUARVELIN_FRESH_CORRES ${CMAKE_BINARY_DIR}/installation/base/corres.db)
# Example personalities beside the settings file, where the tournament window's file chooser opens.
file(GLOB QUARVELIN_PERSONALITIES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/personalities/*.ini)
foreach(ini ${QUARVELIN_PERSONALITIES})
  get_filename_component(name ${ini} NAME)
  set(out ${QUARVELIN_TREE}/personalities/${name})
  add_custom_command(OUTPUT ${out} COMMAND ${CMAKE_COMMAND} -E copy ${ini} ${out} DEPENDS ${ini})
  list(APPEND TREE_FILES ${out})
endforeach()
add_custom_target(installation_tree ALL
  COMMAND installation_ini ${QUARVELIN_TREE}/quarvelin.ini
  COMMAND corres_base ${QUARVELIN_TREE}/base/corres.db
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QUARVELIN_FRESH_CORRES}
  COMMAND corres_base ${QUARVELIN_FRESH_CORRES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUARVELIN_TREE}/images/echiquier
  DEPENDS installation_ini corres_base ${TREE_FILES}
  COMMENT "Installation tree")

include(GNUInstallDirs)
set(QUARVELIN_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/quarvelin)
# Packages want plain modes whatever the umask of the one building them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(TARGET quarvelin)
  # The icon at the sizes desktops look for, drawn from the scalable one.
  find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
  add_executable(render_icon ${PROJECT_SOURCE_DIR}/tools/render_icon.cpp)
  target_link_libraries(render_icon PRIVATE Qt6::Gui Qt6::Svg)
  set(QUARVELIN_ICON ${PROJECT_SOURCE_DIR}/data/icons/quarvelin.svg)
  set(ICONS_RENDERED)
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/installation/icons/${size}x${size}/apps/quarvelin.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/installation/icons/${size}x${size}/apps
      COMMAND render_icon ${QUARVELIN_ICON} ${size} ${png}
      DEPENDS render_icon ${QUARVELIN_ICON})
    list(APPEND ICONS_RENDERED ${png})
  endforeach()
  # The changelog and manual pages compressed without a time stamp, so the package is
  # reproducible.
  set(COMPRESSED)
  foreach(source packaging/changelog data/man/quarvelin.1 data/man/quarvelin-cli.1)
    get_filename_component(name ${source} NAME)
    set(gz ${CMAKE_BINARY_DIR}/installation/${name}.gz)
    add_custom_command(OUTPUT ${gz}
      COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/${source} > ${gz}
      DEPENDS ${PROJECT_SOURCE_DIR}/${source})
    list(APPEND COMPRESSED ${gz})
  endforeach()
  add_custom_target(installation_files ALL DEPENDS ${ICONS_RENDERED} ${COMPRESSED})

  install(TARGETS quarvelin quarvelin-cli DESTINATION ${QUARVELIN_INSTALL_DIR})
  install(DIRECTORY ${QUARVELIN_TREE}/son DESTINATION ${QUARVELIN_INSTALL_DIR})
  install(FILES ${QUARVELIN_FRESH_CORRES} DESTINATION ${QUARVELIN_INSTALL_DIR}/base)
  install(DIRECTORY ${QUARVELIN_TREE}/images/pieces/Quarvelin
          DESTINATION ${QUARVELIN_INSTALL_DIR}/images/pieces)
  install(DIRECTORY DESTINATION ${QUARVELIN_INSTALL_DIR}/images/echiquier)
  install(FILES ${QUARVELIN_PERSONALITIES} DESTINATION ${QUARVELIN_INSTALL_DIR}/personalities)
  # The build tree's settings file and bases keep what was done while trying the program: an
  # installation gets new ones, made at install time.
  set(destination "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUARVELIN_INSTALL_DIR}")
  install(CODE "
    file(REMOVE \"${destination}/quarvelin.ini\" \"${destination}/base/eco.db\")
    execute_process(COMMAND \"$<TARGET_FILE:installation_ini>\" \"${destination}/quarvelin.ini\"
                    COMMAND_ERROR_IS_FATAL ANY)
    file(CHMOD \"${destination}/quarvelin.ini\" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)")
  if(ECO_IMPORT_ARGUMENTS)
    install(CODE "
      file(MAKE_DIRECTORY \"${destination}/base\")
      execute_process(COMMAND \"$<TARGET_FILE:eco_import>\" ${ECO_IMPORT_ARGUMENTS} \"${destination}/base/eco.db\"
                      OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
      file(CHMOD \"${destination}/base/eco.db\" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)")
  endif()
  install(CODE "
    file(MAKE_DIRECTORY \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR})
    foreach(p quarvelin quarvelin-cli)
      execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
        ../${QUARVELIN_INSTALL_DIR}/\${p} \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${p})
    endforeach()")
  install(FILES ${PROJECT_SOURCE_DIR}/data/quarvelin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/quarvelin.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
          RENAME org.quarvelin.Quarvelin.metainfo.xml)
  install(FILES ${QUARVELIN_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/installation/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${CMAKE_BINARY_DIR}/installation/quarvelin.1.gz
          ${CMAKE_BINARY_DIR}/installation/quarvelin-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/installation/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quarvelin)
endif()
