# What a distribution's package carries beside the programs, built from the
# sources into build/doc: the manual pages (written in scdoc under man/) and
# the user's changelog (res/changelog), each compressed as Debian keeps them.
# The tests below keep the manual pages and the bash completion in step with
# `tessaro-cli --help`, so a new command or option that they miss fails a test.
find_program(SCDOC scdoc)
find_program(GZIP gzip)
if(NOT SCDOC OR NOT GZIP)
  message(FATAL_ERROR "scdoc and gzip build the manual pages: bash scripts/install-deps.sh")
endif()

set(TESSARO_DOC_DIR ${CMAKE_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${TESSARO_DOC_DIR})
set(TESSARO_MAN_PAGES tessaro-cli.1)
if(TESSARO_GUI)
  list(APPEND TESSARO_MAN_PAGES tessaro.1)
endif()

set(doc_outputs "")
foreach(page IN LISTS TESSARO_MAN_PAGES)
  set(source ${CMAKE_SOURCE_DIR}/man/${page}.scd)
  add_custom_command(
    OUTPUT ${TESSARO_DOC_DIR}/${page}.gz
    COMMAND sh -c "\"$0\" < \"$1\" > \"$2\"" ${SCDOC} ${source} ${TESSARO_DOC_DIR}/${page}
    # -n: no name or time in the header, so the same page gives the same bytes.
    COMMAND ${GZIP} -9nf ${TESSARO_DOC_DIR}/${page}
    DEPENDS ${source}
    COMMENT "Manual page ${page}"
    VERBATIM)
  list(APPEND doc_outputs ${TESSARO_DOC_DIR}/${page}.gz)
endforeach()

add_custom_command(
  OUTPUT ${TESSARO_DOC_DIR}/changelog.gz
  COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" ${GZIP} ${CMAKE_SOURCE_DIR}/res/changelog
          ${TESSARO_DOC_DIR}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/res/changelog
  VERBATIM)
list(APPEND doc_outputs ${TESSARO_DOC_DIR}/changelog.gz)

add_custom_target(tessaro_docs ALL DEPENDS ${doc_outputs})

if(TESSARO_TESTS AND TARGET tessaro-cli)
  set(man_check_args -DCLI=$<TARGET_FILE:tessaro-cli> -DMAN_DIR=${CMAKE_SOURCE_DIR}/man)
  if(TARGET tessaro)
    list(APPEND man_check_args -DEDITOR=$<TARGET_FILE:tessaro>)
  endif()
  add_test(NAME docs.man_pages_follow_help
           COMMAND ${CMAKE_COMMAND} ${man_check_args}
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckManPages.cmake)
  # The check itself, on a --help that has a command and an option the page lacks.
  add_test(NAME docs.man_check_finds_missing
           COMMAND ${CMAKE_COMMAND} -DHELP_FILE=${CMAKE_SOURCE_DIR}/tests/package/help-with-more.txt
                   -DMAN_DIR=${CMAKE_SOURCE_DIR}/man
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckManPages.cmake)
  set_tests_properties(docs.man_check_finds_missing PROPERTIES
    PASS_REGULAR_EXPRESSION "command 'fixture-only'.*option '--fixture-option'")
  add_test(NAME docs.bash_completion
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/completion.sh
                   ${CMAKE_SOURCE_DIR}/completion/tessaro-cli.bash $<TARGET_FILE:tessaro-cli>)
endif()
