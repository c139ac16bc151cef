# Run by the test package.deb: builds the Debian package from the built tree
# into WORK_DIR and checks its name, its fields, its file list and that the
# programs in it run.
#   cmake -DCPACK=... -DCPACK_CONFIG=.../CPackConfig.cmake -DWORK_DIR=... -DVERSION=1.2.3
#         -P CheckPackage.cmake

# What the package holds, and nothing else (directories aside).
set(EXPECTED_FILES
  ./usr/bin/tessaro
  ./usr/bin/tessaro-cli
  ./usr/share/applications/tessaro.desktop
  ./usr/share/doc/tessaro/copyright
  ./usr/share/icons/hicolor/256x256/apps/tessaro.png
  ./usr/share/icons/hicolor/48x48/apps/tessaro.png
  ./usr/share/icons/hicolor/scalable/apps/tessaro.svg
  ./usr/share/mime/packages/tessaro.xml
  ./usr/share/tessaro/help/Tessaro.htm
  ./usr/share/tessaro/help/Tessaro_e.htm)
# Linked (found by dpkg-shlibdeps) or loaded at run time (named in Package.cmake).
set(EXPECTED_DEPENDS libqt6widgets6 libqt6gui6 libqt6network6 libqt6core6 libstdc++6 libc6
                     qt6-translations-l10n)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}\n${err}")
  endif()
  string(STRIP "${out}" out)
  set(OUT "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
run(${CPACK} --config ${CPACK_CONFIG} -G DEB -B ${WORK_DIR})

run(dpkg --print-architecture)
set(arch ${OUT})
set(deb ${WORK_DIR}/tessaro_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
  file(GLOB made ${WORK_DIR}/*.deb)
  message(FATAL_ERROR "no ${deb}; cpack made: ${made}")
endif()

# ---- control fields ----
function(field name)
  run(dpkg-deb --field ${deb} ${name})
  set(${name} "${OUT}" PARENT_SCOPE)
endfunction()
foreach(name Package Version Architecture Maintainer Section Depends Recommends Description)
  field(${name})
endforeach()
message(STATUS "Depends: ${Depends}")

if(NOT Package STREQUAL "tessaro" OR NOT Version STREQUAL VERSION OR NOT Architecture STREQUAL arch)
  message(SEND_ERROR "package '${Package}' version '${Version}' architecture '${Architecture}', "
                     "expected tessaro ${VERSION} ${arch}")
endif()
if(NOT Maintainer MATCHES "^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$")
  message(SEND_ERROR "Maintainer '${Maintainer}' is not 'Name <address>'")
endif()
if(NOT Description MATCHES "^Music Database editor [^\n]+\n Tessaro reads")
  message(SEND_ERROR "Description has no summary line followed by the long text:\n${Description}")
endif()
foreach(dependency IN LISTS EXPECTED_DEPENDS)
  string(REPLACE "+" "\\+" pattern "${dependency}")
  if(NOT Depends MATCHES "(^|, )${pattern}( |,|$)")
    message(SEND_ERROR "Depends does not name ${dependency}: ${Depends}")
  endif()
endforeach()
if(NOT Recommends MATCHES "qt6-wayland" OR NOT Recommends MATCHES "xdg-utils")
  message(SEND_ERROR "Recommends does not name qt6-wayland and xdg-utils: '${Recommends}'")
endif()

# ---- file list ----
run(dpkg-deb --contents ${deb})
string(REPLACE "\n" ";" lines "${OUT}")
set(files "")
foreach(line IN LISTS lines)
  # drwxr-xr-x root/root 0 2026-12-07 10:00 ./usr/share/
  if(line MATCHES "^([-dl])([rwx-]+) root/root +[0-9]+ [0-9-]+ [0-9:]+ (.*)$")
    set(kind ${CMAKE_MATCH_1})
    set(mode ${CMAKE_MATCH_2})
    set(path ${CMAKE_MATCH_3})
    if(kind STREQUAL "-")
      list(APPEND files ${path})
      if(path MATCHES "^./usr/bin/" AND NOT mode STREQUAL "rwxr-xr-x")
        message(SEND_ERROR "${path} has mode ${mode}, expected rwxr-xr-x")
      elseif(NOT path MATCHES "^./usr/bin/" AND NOT mode STREQUAL "rw-r--r--")
        message(SEND_ERROR "${path} has mode ${mode}, expected rw-r--r--")
      endif()
    elseif(kind STREQUAL "l")
      message(SEND_ERROR "unexpected link in the package: ${path}")
    endif()
  else()
    message(SEND_ERROR "unexpected line in the file list (not owned by root?): ${line}")
  endif()
endforeach()
list(SORT files)
set(expected ${EXPECTED_FILES})
list(SORT expected)
if(NOT files STREQUAL expected)
  string(REPLACE ";" "\n  " files_text "${files}")
  string(REPLACE ";" "\n  " expected_text "${expected}")
  message(SEND_ERROR "the package holds\n  ${files_text}\nexpected\n  ${expected_text}")
endif()

# ---- the programs inside ----
set(root ${WORK_DIR}/root)
run(dpkg-deb --extract ${deb} ${root})
foreach(program tessaro tessaro-cli)
  run(file --brief ${root}/usr/bin/${program})
  if(NOT OUT MATCHES ", stripped")
    message(SEND_ERROR "${program} in the package is not stripped: ${OUT}")
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            ${root}/usr/bin/${program} --version
    RESULT_VARIABLE status OUTPUT_VARIABLE out TIMEOUT 30)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "${program} ${VERSION}\n")
    message(SEND_ERROR "${program} --version from the package: exit ${status}, printed '${out}'")
  endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  run(${DESKTOP_FILE_VALIDATE} ${root}/usr/share/applications/tessaro.desktop)
  if(OUT)
    message(SEND_ERROR "desktop-file-validate: ${OUT}")
  endif()
endif()

# A file manager offers the editor for both kinds of file: the menu entry takes
# files and names their types, and the type description defines exactly those.
file(READ ${root}/usr/share/applications/tessaro.desktop desktop_entry)
file(READ ${root}/usr/share/mime/packages/tessaro.xml mime_types)
if(NOT desktop_entry MATCHES "\nExec=tessaro %F\n")
  message(SEND_ERROR "the desktop entry does not pass files: Exec=tessaro %F expected")
endif()
foreach(type application/x-psr9000-mdb application/x-psr9000-mdb-archive)
  if(NOT desktop_entry MATCHES "\nMimeType=([^\n]*;)?${type};")
    message(SEND_ERROR "the desktop entry does not name ${type}")
  endif()
  if(NOT mime_types MATCHES "<mime-type type=\"${type}\">")
    message(SEND_ERROR "tessaro.xml does not define ${type}")
  endif()
endforeach()
if(NOT mime_types MATCHES "value=\"%%%MDB-Archiv%%%\"")
  message(SEND_ERROR "tessaro.xml does not know the archive by its magic")
endif()
