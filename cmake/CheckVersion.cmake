# Run by the test version.agrees: the programs, the help pages, the changelog
# and the software-centre metadata show the version of project(VERSION), and
# the changelog and the metadata its release date (TESSARO_RELEASE_DATE).
#   cmake -DVERSION=1.2.3 -DRELEASE_DATE=2026-12-08 -DCLI=... [-DEDITOR=...] -DHELP_DIR=...
#         -DCHANGELOG=... -DMETAINFO=...
#         -P CheckVersion.cmake

# `tessaro --version` must answer in a plain shell, without any display.
function(expect_version_line program name)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            ${program} --version
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "${name} ${VERSION}\n")
    message(SEND_ERROR "${name} --version: exit ${status}, printed '${out}' (stderr '${err}'), "
                       "expected '${name} ${VERSION}'")
  endif()
endfunction()

expect_version_line(${CLI} tessaro-cli)
if(EDITOR)
  expect_version_line(${EDITOR} tessaro)
endif()

file(GLOB pages ${HELP_DIR}/*.htm)
if(NOT pages)
  message(SEND_ERROR "no help page in ${HELP_DIR}")
endif()
foreach(page IN LISTS pages)
  file(READ ${page} text)
  string(REGEX MATCHALL "id=\"version\">[^<]*<" marks "${text}")
  list(LENGTH marks count)
  if(NOT count EQUAL 1)
    message(SEND_ERROR "${page}: ${count} version marks (<span id=\"version\">), expected one")
  elseif(NOT marks STREQUAL "id=\"version\">${VERSION}<")
    message(SEND_ERROR "${page}: states ${marks}, but the version is ${VERSION} (project(VERSION) "
                       "in CMakeLists.txt)")
  endif()
endforeach()

# A new version gets its changelog entry (newest first) and its release in the metadata.
file(READ ${CHANGELOG} changelog)
string(REGEX REPLACE "\n.*" "" first_line "${changelog}")
if(NOT first_line MATCHES "^tessaro \\(${VERSION}\\) ")
  message(SEND_ERROR "${CHANGELOG} begins with '${first_line}': add an entry for ${VERSION} "
                     "(project(VERSION) in CMakeLists.txt) at its top")
endif()
file(READ ${METAINFO} metainfo)
if(NOT metainfo MATCHES "<releases>[ \n]*<release version=\"([^\"]*)\"" OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(SEND_ERROR "${METAINFO}: the newest release is '${CMAKE_MATCH_1}', but the version is ${VERSION}")
endif()

# The release date, set beside the version, is the date of both.
if(NOT RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
  message(FATAL_ERROR "TESSARO_RELEASE_DATE '${RELEASE_DATE}' in CMakeLists.txt is not YYYY-MM-DD")
endif()
set(year ${CMAKE_MATCH_1})
set(month ${CMAKE_MATCH_2})
set(day ${CMAKE_MATCH_3})
if(NOT metainfo MATCHES "<releases>[ \n]*<release [^>]*date=\"([^\"]*)\"" OR NOT CMAKE_MATCH_1 STREQUAL RELEASE_DATE)
  message(SEND_ERROR "${METAINFO}: the newest release is dated '${CMAKE_MATCH_1}', but the release date "
                     "is ${RELEASE_DATE} (TESSARO_RELEASE_DATE in CMakeLists.txt)")
endif()
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
string(REGEX REPLACE "^0" "" month_number "${month}")
math(EXPR month_index "${month_number} - 1")
list(GET month_names ${month_index} month_name)
set(signed "")
if(changelog MATCHES "\n -- [^\n]*>  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  set(signed "${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3}")
endif()
if(NOT signed STREQUAL "${day} ${month_name} ${year}")
  message(SEND_ERROR "${CHANGELOG}: the newest entry is signed on '${signed}', but the release date is "
                     "${RELEASE_DATE} (TESSARO_RELEASE_DATE in CMakeLists.txt)")
endif()
