# Run by the test version.agrees: the programs, the help pages, the changelog
# and the software-centre metadata show the version of project(VERSION).
#   cmake -DVERSION=1.2.3 -DCLI=... [-DEDITOR=...] -DHELP_DIR=... -DCHANGELOG=... -DMETAINFO=...
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
