# The version number lives in project(VERSION) alone, its release date beside
# it (TESSARO_RELEASE_DATE). The programs get them as TESSARO_VERSION (window
# version line, About box, --version) and TESSARO_RELEASE_DATE, the package
# through CPack; the help pages, the changelog and the software-centre metadata
# state them in their text, and this test keeps them all agreeing.
if(TESSARO_TESTS AND TARGET tessaro-cli)
  set(version_check_args -DVERSION=${PROJECT_VERSION} -DRELEASE_DATE=${TESSARO_RELEASE_DATE}
                         -DCLI=$<TARGET_FILE:tessaro-cli>
                         -DHELP_DIR=${CMAKE_SOURCE_DIR}/help
                         -DCHANGELOG=${CMAKE_SOURCE_DIR}/res/changelog
                         -DMETAINFO=${CMAKE_SOURCE_DIR}/res/org.larchmont.Tessaro.metainfo.xml)
  if(TARGET tessaro)
    list(APPEND version_check_args -DEDITOR=$<TARGET_FILE:tessaro>)
  endif()
  add_test(NAME version.agrees
           COMMAND ${CMAKE_COMMAND} ${version_check_args}
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckVersion.cmake)
endif()
