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

# A file manager learns the new types and which program opens them only from
# the desktop's caches. A package leaves that to the system's triggers, and a
# staged install (DESTDIR, CPack) must not leave cache files in its tree; an
# install straight into a prefix brings the caches there up to date itself.
if(TESSARO_GUI)
  install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "" AND NOT CMAKE_INSTALL_PREFIX MATCHES "/_CPack_Packages/")
      find_program(TESSARO_UPDATE_MIME update-mime-database)
      find_program(TESSARO_UPDATE_DESKTOP update-desktop-database)
      if(TESSARO_UPDATE_MIME)
        execute_process(COMMAND ${TESSARO_UPDATE_MIME} "${CMAKE_INSTALL_PREFIX}/share/mime")
      endif()
      if(TESSARO_UPDATE_DESKTOP)
        execute_process(COMMAND ${TESSARO_UPDATE_DESKTOP} -q "${CMAKE_INSTALL_PREFIX}/share/applications")
      endif()
    endif()
  ]])
endif()
