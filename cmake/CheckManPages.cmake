# Run by the tests docs.*: every command, option and exit status that
# `tessaro-cli --help` names has its entry in man/tessaro-cli.1.scd, and every
# option of `tessaro --help` (once the editor answers it without a display) in
# man/tessaro.1.scd, so the pages cannot fall behind the programs.
#   cmake -DCLI=... [-DEDITOR=...] -DMAN_DIR=... -P CheckManPages.cmake
#   cmake -DHELP_FILE=... -DMAN_DIR=... -P CheckManPages.cmake   (tessaro-cli's help from a file)

function(help_of program out_var)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            ${program} --help
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_QUIET TIMEOUT 30)
  if(status EQUAL 0)
    set(${out_var} "${out}" PARENT_SCOPE)
  else()
    set(${out_var} "" PARENT_SCOPE)
  endif()
endfunction()

# One line per fault, unwrapped, so that each names what is missing.
function(fault text)
  message("${text}")
  set_property(GLOBAL APPEND PROPERTY MAN_PAGE_FAULTS "${text}")
endfunction()

# An entry is a line of its own beginning with the bold name ("*--model* ...").
function(expect_entry page text kind name)
  string(REGEX REPLACE "([.+*?|()])" "\\\\\\1" pattern "${name}")
  if(NOT text MATCHES "\n\\*${pattern}\\*")
    fault("${page}: no entry for the ${kind} '${name}' that --help names")
  endif()
endfunction()

function(check_page program help page)
  get_filename_component(page_name ${page} NAME)
  file(READ ${page} text)
  set(text "\n${text}")

  set(sections NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES ENVIRONMENT "SEE ALSO")
  if(program STREQUAL "tessaro-cli")
    list(APPEND sections COMMANDS)
  endif()
  foreach(section IN LISTS sections)
    if(NOT text MATCHES "\n# ${section}\n")
      fault("${page_name}: no section ${section}")
    endif()
  endforeach()

  # Commands, from the usage lines: "  tessaro-cli report FILE ...".
  string(REGEX MATCHALL "\n +${program} [a-z][a-z0-9-]*" usages "\n${help}")
  foreach(usage IN LISTS usages)
    string(REGEX REPLACE ".* " "" command "${usage}")
    expect_entry(${page_name} "${text}" command ${command})
    if(NOT text MATCHES "\n\\*${program}\\* \\*${command}\\*")
      fault("${page_name}: the command '${command}' that --help names is not in the SYNOPSIS")
    endif()
  endforeach()

  # Options, wherever --help names them: "[--tabs]", "(-o - is ...)", "with --for".
  string(REGEX REPLACE "[[(\n]" " " words " ${help}")
  string(REGEX MATCHALL " --?[a-z][a-z0-9-]*" options "${words}")
  list(TRANSFORM options STRIP)
  list(REMOVE_DUPLICATES options)
  foreach(option IN LISTS options)
    expect_entry(${page_name} "${text}" option ${option})
  endforeach()

  # Exit statuses: "Exit status: 0 success, 1 a file was refused ..., 2 a usage error".
  set(statuses "")
  if(help MATCHES "Exit status:([^\n]*(\n[^\n]+)*)")
    string(REGEX MATCHALL "[0-9]+ [a-z]" statuses "${CMAKE_MATCH_1}")
    foreach(status IN LISTS statuses)
      string(REGEX REPLACE " .*" "" status "${status}")
      expect_entry(${page_name} "${text}" "exit status" ${status})
    endforeach()
  endif()
  list(LENGTH usages command_count)
  list(LENGTH options option_count)
  list(LENGTH statuses status_count)
  message(STATUS "${page_name}: ${command_count} commands, ${option_count} options and "
                 "${status_count} exit statuses of --help looked for")
endfunction()

if(HELP_FILE)
  file(READ ${HELP_FILE} cli_help)
else()
  help_of(${CLI} cli_help)
endif()
if(cli_help STREQUAL "")
  message(FATAL_ERROR "tessaro-cli --help printed nothing or failed")
endif()
check_page(tessaro-cli "${cli_help}" ${MAN_DIR}/tessaro-cli.1.scd)

if(EDITOR)
  help_of(${EDITOR} editor_help)
  if(editor_help STREQUAL "")
    message(STATUS "tessaro --help does not answer without a display: only the page's sections are checked")
  endif()
  check_page(tessaro "${editor_help}" ${MAN_DIR}/tessaro.1.scd)
endif()

get_property(faults GLOBAL PROPERTY MAN_PAGE_FAULTS)
if(faults)
  list(LENGTH faults count)
  message(FATAL_ERROR "${count} thing(s) that --help names are missing from the manual pages in ${MAN_DIR}")
endif()
