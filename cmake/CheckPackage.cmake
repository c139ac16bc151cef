# Run by the test package.deb: builds the Debian package from the built tree
# into WORK_DIR and checks its name, its fields, its file list, that the
# programs in it run and are hardened, its desktop entry, metadata and manual
# pages, and that lintian finds nothing to warn about.
#   cmake -DCPACK=... -DCPACK_CONFIG=.../CPackConfig.cmake -DWORK_DIR=... -DVERSION=1.2.3
#         -P CheckPackage.cmake

# What the package holds, and nothing else (directories aside).
set(EXPECTED_FILES
  ./usr/bin/tessaro
  ./usr/bin/tessaro-cli
  ./usr/share/applications/org.larchmont.Tessaro.desktop
  ./usr/share/applications/tessaro.desktop
  ./usr/share/bash-completion/completions/tessaro-cli
  ./usr/share/doc/tessaro/changelog.gz
  ./usr/share/doc/tessaro/copyright
  ./usr/share/icons/hicolor/256x256/apps/tessaro.png
  ./usr/share/icons/hicolor/48x48/apps/tessaro.png
  ./usr/share/icons/hicolor/48x48/mimetypes/application-x-psr9000-mdb.png
  ./usr/share/icons/hicolor/48x48/mimetypes/application-x-psr9000-mdb-archive.png
  ./usr/share/icons/hicolor/scalable/apps/tessaro.svg
  ./usr/share/icons/hicolor/scalable/mimetypes/application-x-psr9000-mdb.svg
  ./usr/share/icons/hicolor/scalable/mimetypes/application-x-psr9000-mdb-archive.svg
  ./usr/share/lintian/overrides/tessaro
  ./usr/share/man/man1/tessaro-cli.1.gz
  ./usr/share/man/man1/tessaro.1.gz
  ./usr/share/metainfo/org.larchmont.Tessaro.metainfo.xml
  ./usr/share/mime/packages/tessaro.xml
  ./usr/share/tessaro/help/Tessaro.htm
  ./usr/share/tessaro/help/Tessaro_e.htm)
# The desktop entry's id, which is also the software-centre component's.
set(APP_ID org.larchmont.Tessaro)
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

# ---- hardening, as Debian builds its packages (dpkg-buildflags, dh_strip) ----
foreach(program tessaro tessaro-cli)
  run(readelf --wide --file-header --program-headers --section-headers --dynamic --dyn-syms
      ${root}/usr/bin/${program})
  set(elf "${OUT}")
  set(missing "")
  if(NOT elf MATCHES "Type: +DYN ")
    list(APPEND missing "position-independent code (PIE)")
  endif()
  if(NOT elf MATCHES "GNU_RELRO")
    list(APPEND missing "read-only relocations (-z relro)")
  endif()
  if(NOT elf MATCHES "\\(FLAGS\\)[^\n]*BIND_NOW" AND NOT elf MATCHES "\\(FLAGS_1\\)[^\n]*NOW")
    list(APPEND missing "immediate binding (-z now)")
  endif()
  if(NOT elf MATCHES "__stack_chk_fail")
    list(APPEND missing "the stack protector (-fstack-protector-strong)")
  endif()
  if(NOT elf MATCHES "__[a-z_]+_chk@")
    list(APPEND missing "fortified C library calls (-D_FORTIFY_SOURCE)")
  endif()
  if(elf MATCHES "\\] \\.comment ")
    list(APPEND missing "no .comment section")
  endif()
  if(missing)
    string(REPLACE ";" ", " missing "${missing}")
    message(SEND_ERROR "${program} in the package lacks: ${missing}")
  endif()
endforeach()

# ---- desktop entries ----
set(applications ${root}/usr/share/applications)
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  foreach(entry ${APP_ID}.desktop tessaro.desktop)
    run(${DESKTOP_FILE_VALIDATE} ${applications}/${entry})
    if(OUT)
      message(SEND_ERROR "desktop-file-validate ${entry}: ${OUT}")
    endif()
  endforeach()
endif()

# A file manager offers the editor for both kinds of file: the menu entry takes
# files and names their types, and the type description defines exactly those,
# each with its own icon in the package.
file(READ ${applications}/${APP_ID}.desktop desktop_entry)
file(READ ${root}/usr/share/mime/packages/tessaro.xml mime_types)
if(NOT desktop_entry MATCHES "\nExec=tessaro %F\n")
  message(SEND_ERROR "the desktop entry does not pass files: Exec=tessaro %F expected")
endif()
foreach(type application/x-psr9000-mdb application/x-psr9000-mdb-archive)
  if(NOT desktop_entry MATCHES "\nMimeType=([^\n]*;)?${type};")
    message(SEND_ERROR "the desktop entry does not name ${type}")
  endif()
  string(FIND "${mime_types}" "<mime-type type=\"${type}\">" start)
  string(SUBSTRING "${mime_types}" ${start} -1 definition)
  string(REGEX REPLACE "</mime-type>.*" "" definition "${definition}")
  if(start EQUAL -1 OR NOT definition MATCHES "<icon name=\"([^\"]+)\"/>")
    message(SEND_ERROR "tessaro.xml does not define ${type} with an icon")
  else()
    set(icon ${CMAKE_MATCH_1})
    foreach(file scalable/mimetypes/${icon}.svg 48x48/mimetypes/${icon}.png)
      if(NOT EXISTS ${root}/usr/share/icons/hicolor/${file})
        message(SEND_ERROR "the icon of ${type} is not in the package: ${file}")
      endif()
    endforeach()
  endif()
endforeach()
if(NOT mime_types MATCHES "value=\"%%%MDB-Archiv%%%\"")
  message(SEND_ERROR "tessaro.xml does not know the archive by its magic")
endif()

# The old name still starts the editor with files, out of the menus.
file(READ ${applications}/tessaro.desktop old_entry)
if(NOT old_entry MATCHES "\nExec=tessaro %F\n" OR NOT old_entry MATCHES "\nNoDisplay=true\n")
  message(SEND_ERROR "tessaro.desktop does not start the editor out of the menus (Exec=tessaro %F, NoDisplay=true)")
endif()

# ---- software-centre metadata ----
set(metainfo ${root}/usr/share/metainfo/${APP_ID}.metainfo.xml)
file(READ ${metainfo} component)
foreach(element
    "<id>${APP_ID}</id>"
    "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
    "<project_license>GPL-3.0-or-later</project_license>"
    "<summary xml:lang=\"de\">"
    "<p xml:lang=\"de\">"
    "<content_rating type=\"oars-1.1\""
    "<mediatype>application/x-psr9000-mdb</mediatype>"
    "<mediatype>application/x-psr9000-mdb-archive</mediatype>"
    "<screenshot type=\"default\">")
  string(FIND "${component}" "${element}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "${APP_ID}.metainfo.xml lacks ${element}")
  endif()
endforeach()
file(READ ${root}/usr/share/doc/tessaro/copyright copyright)
if(NOT copyright MATCHES "\nLicense: GPL-3.0-or-later\n")
  message(SEND_ERROR "the metadata's licence GPL-3.0-or-later is not the one in copyright")
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  run(${APPSTREAMCLI} validate --no-net --explain ${metainfo})
else()
  message(STATUS "appstreamcli is not installed: the metadata is not validated")
endif()

# ---- manual pages and changelog ----
foreach(page tessaro tessaro-cli)
  run(man --manpath=${root}/usr/share/man --where ${page})
endforeach()
run(gzip --decompress --stdout ${root}/usr/share/doc/tessaro/changelog.gz)
if(NOT OUT MATCHES "^tessaro \\(${VERSION}\\) ")
  string(REGEX REPLACE "\n.*" "" first_line "${OUT}")
  message(SEND_ERROR "changelog.gz begins with '${first_line}', not with version ${VERSION}")
endif()

# ---- lintian: no error, no warning; each override still needed ----
find_program(LINTIAN lintian)
if(NOT LINTIAN)
  message(FATAL_ERROR "lintian is not installed: bash scripts/install-deps.sh")
endif()
execute_process(COMMAND ${LINTIAN} --fail-on error,warning --display-info ${deb}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(out)
  message(STATUS "lintian:\n${out}")
endif()
if(NOT status EQUAL 0)
  message(SEND_ERROR "lintian failed (${status}):\n${out}\n${err}")
endif()
if(out MATCHES "unused-override|mismatched-override")
  message(SEND_ERROR "lintian overrides that no longer match (res/lintian-overrides):\n${out}")
endif()
