# What `cmake --install` puts beside the two executables: the help pages where
# the editor looks for them (TESSARO_HELP_DIR), the licence, the changelog, the
# manual pages, the bash completion, and the desktop entry with its icons, the
# file types and the software-centre metadata for the application menus, file
# managers and software centres. The executables install themselves.
include(GNUInstallDirs)

# Debian's places and formats for the licence and the changelog; the same files
# for every prefix.
install(FILES ${CMAKE_SOURCE_DIR}/res/copyright ${TESSARO_DOC_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaro)
foreach(page IN LISTS TESSARO_MAN_PAGES)
  install(FILES ${TESSARO_DOC_DIR}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
# bash-completion loads it on the first Tab after `tessaro-cli`, from every
# share/bash-completion/completions folder of XDG_DATA_DIRS.
install(FILES ${CMAKE_SOURCE_DIR}/completion/tessaro-cli.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tessaro-cli)

install(FILES
  ${CMAKE_SOURCE_DIR}/help/Tessaro_e.htm
  ${CMAKE_SOURCE_DIR}/help/Tessaro.htm
  DESTINATION ${CMAKE_INSTALL_DATADIR}/tessaro/help)

# The menu entry starts the editor, so it comes only with the windows.
if(TESSARO_GUI)
  # The entry under its reverse-DNS id, and under its old name hidden from the
  # menus, for the favourites and file associations made with that.
  install(FILES ${CMAKE_SOURCE_DIR}/res/org.larchmont.Tessaro.desktop
                ${CMAKE_SOURCE_DIR}/res/tessaro.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/res/org.larchmont.Tessaro.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
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
  foreach(type application-x-psr9000-mdb application-x-psr9000-mdb-archive)
    install(FILES ${CMAKE_SOURCE_DIR}/res/icons/mime/${type}.svg
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
    install(FILES ${CMAKE_SOURCE_DIR}/res/icons/mime/${type}-48.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/mimetypes
      RENAME ${type}.png)
  endforeach()
endif()

# Stripped as Debian strips (dh_strip): without the compilers' .comment notes.
# Runs after the executables' own install rules, which come earlier.
install(CODE "set(TESSARO_STRIP \"${CMAKE_STRIP}\")
               set(TESSARO_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
               set(TESSARO_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
               set(TESSARO_SOURCE_DIR \"${CMAKE_SOURCE_DIR}\")")
install(CODE [[
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program tessaro tessaro-cli)
      set(file "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${TESSARO_BINDIR}/${program}")
      if(EXISTS "${file}")
        execute_process(COMMAND ${TESSARO_STRIP} --remove-section=.comment --remove-section=.note "${file}"
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
          message(FATAL_ERROR "stripping ${file} failed")
        endif()
      endif()
    endforeach()
  endif()
]])

# Tags of the package check that are meant (see the file), for the package only:
# a plain `make install` has no use for them.
install(CODE [[
  if("$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}" MATCHES "/_CPack_Packages/")
    file(INSTALL "${TESSARO_SOURCE_DIR}/res/lintian-overrides"
         DESTINATION "${CMAKE_INSTALL_PREFIX}/${TESSARO_DATADIR}/lintian/overrides"
         RENAME tessaro)
  endif()
]])

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
