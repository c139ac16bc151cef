# What `cmake --install` puts beside the two executables: the help pages where
# the editor looks for them (TESSARO_HELP_DIR), the licence, and the desktop
# entry with its icon and the file types for the application menus and file
# managers. The executables install themselves.
include(GNUInstallDirs)

# Debian's place and format for the licence; the same file for every prefix.
install(FILES ${CMAKE_SOURCE_DIR}/res/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaro)

install(FILES
  ${CMAKE_SOURCE_DIR}/help/Tessaro_e.htm
  ${CMAKE_SOURCE_DIR}/help/Tessaro.htm
  DESTINATION ${CMAKE_INSTALL_DATADIR}/tessaro/help)

# The menu entry starts the editor, so it comes only with the windows.
if(TESSARO_GUI)
  install(FILES ${CMAKE_SOURCE_DIR}/res/tessaro.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/res/tessaro-48.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
    RENAME tessaro.png)
  install(FILES ${CMAKE_SOURCE_DIR}/res/tessaro-256.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
    RENAME tessaro.png)
  install(FILES ${CMAKE_SOURCE_DIR}/res/tessaro.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/res/tessaro-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME tessaro.xml)
endif()
