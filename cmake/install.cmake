# `cmake --install build [--prefix DIR]`: the game laid out as the Filesystem
# Hierarchy Standard has it. The programs go to bin/, the music plugin to
# the library folder, the content, texts, events and a pristine starting save to
# share/qvr/, and the desktop's entry, icons, AppStream metainfo and man
# pages where desktops and man look for them. An installed game never
# writes into these folders: it plays in the user's data folder
# (core/game_folder.h).
include(GNUInstallDirs)

set(QVR_APP_ID org.qvr.Qvr)
set(QVR_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/qvr)
set(QVR_INSTALL_PLUGIN ${CMAKE_INSTALL_LIBDIR}/qvr)

# The installed programs find the content and the plugin relative to
# themselves, so that any prefix works, --prefix at install time included.
file(RELATIVE_PATH QVR_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${QVR_INSTALL_DATA})
file(RELATIVE_PATH QVR_PLUGIN_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${QVR_INSTALL_PLUGIN})
set_source_files_properties(${CMAKE_SOURCE_DIR}/core/game_folder.cpp PROPERTIES
  COMPILE_DEFINITIONS QVR_DATA_FROM_BIN="${QVR_DATA_FROM_BIN}")
set_source_files_properties(${CMAKE_SOURCE_DIR}/ui/music_plugin.cpp PROPERTIES
  COMPILE_DEFINITIONS QVR_PLUGIN_FROM_BIN="${QVR_PLUGIN_FROM_BIN}")

# The starting save of bin/ may be a player's by now: the install takes a
# fresh one, compiled into dist/ on every build.
set(QVR_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
add_custom_target(dist-content ALL
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QVR_DIST_DIR}/QVR1.DAT
  COMMAND qvr-content build --data ${CMAKE_SOURCE_DIR}/data/content --out ${QVR_DIST_DIR}
  BYPRODUCTS ${QVR_DIST_DIR}/QVR1.DAT ${QVR_DIST_DIR}/QVR2.DAT ${QVR_DIST_DIR}/TEXTS.DAT
    ${QVR_DIST_DIR}/EVENTS.DAT
  DEPENDS ${QVR_CONTENT_SOURCES}
  COMMENT "Compiling the content to install")
add_dependencies(dist-content qvr-content)

install(TARGETS qvr qvr-script qvr-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS qvr-music LIBRARY DESTINATION ${QVR_INSTALL_PLUGIN})
install(FILES ${QVR_DIST_DIR}/QVR2.DAT ${QVR_DIST_DIR}/QVR1.DAT ${QVR_DIST_DIR}/TEXTS.DAT
  ${QVR_DIST_DIR}/EVENTS.DAT DESTINATION ${QVR_INSTALL_DATA})

set(QVR_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/data/desktop)
install(FILES ${QVR_DESKTOP_DIR}/${QVR_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QVR_DESKTOP_DIR}/${QVR_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QVR_DESKTOP_DIR}/icons/qvr.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QVR_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${QVR_DESKTOP_DIR}/icons/qvr-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${QVR_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/docs/man/qvr.6 ${CMAKE_SOURCE_DIR}/docs/man/qvr-script.6
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
