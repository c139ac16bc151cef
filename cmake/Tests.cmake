# Core tests: one GoogleTest binary, discovered when ctest runs (not at build time).
find_package(GTest REQUIRED)
include(GoogleTest)

# The fakes and helpers every test may use: never part of the product.
file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(tessaro_test_support STATIC ${SUPPORT_SOURCES})
target_link_libraries(tessaro_test_support PUBLIC tessaro_core GTest::gtest)
target_include_directories(tessaro_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)

file(GLOB_RECURSE CORE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
list(FILTER CORE_TESTS EXCLUDE REGEX "/qt/|/support/")
if(CORE_TESTS)
  add_executable(tessaro_tests ${CORE_TESTS})
  target_link_libraries(tessaro_tests PRIVATE tessaro_test_support tessaro_cli GTest::gtest GTest::gmock
                                              GTest::gtest_main)
  target_include_directories(tessaro_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(tessaro_tests PRIVATE
    TESSARO_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TESSARO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  target_compile_definitions(tessaro_tests PRIVATE TESSARO_VOICETABLE="$<TARGET_FILE:tessaro-voicetable>")
  if(TARGET tessaro-cli)
    add_dependencies(tessaro_tests tessaro-cli)
    target_compile_definitions(tessaro_tests PRIVATE TESSARO_CLI="$<TARGET_FILE:tessaro-cli>")
    add_dependencies(tessaro_tests tessaro-make-examples)
    target_compile_definitions(tessaro_tests PRIVATE
      TESSARO_MAKE_EXAMPLES="$<TARGET_FILE:tessaro-make-examples>")
  endif()
  gtest_discover_tests(tessaro_tests DISCOVERY_MODE PRE_TEST
                       WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

# Window tests: one Qt Test binary per file, run offscreen.
if(TESSARO_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  file(GLOB_RECURSE QT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/qt/*.cpp)
  foreach(src ${QT_TESTS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE tessaro_app_qt tessaro_screenshot_run tessaro_test_support Qt6::Test)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
      TESSARO_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TESSARO_BINARY_DIR="${CMAKE_BINARY_DIR}")
    if(TARGET tessaro)
      add_dependencies(${name} tessaro)
      target_compile_definitions(${name} PRIVATE TESSARO_EXE="$<TARGET_FILE:tessaro>")
    endif()
    add_test(NAME qt.${name} COMMAND ${name})
    set_tests_properties(qt.${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                         TIMEOUT 120)
  endforeach()
endif()

# Replay the fuzz seed corpora with the normal build, so every reader sees them on each run.
file(GLOB FUZZ_HARNESSES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(src ${FUZZ_HARNESSES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name}_replay ${src} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(${name}_replay PRIVATE tessaro_core)
  # Undefined behaviour in a harness (a null pointer to memcpy for an empty seed)
  # stops the replay, as it stops the fuzzer.
  target_compile_options(${name}_replay PRIVATE -fsanitize=undefined -fno-sanitize-recover=undefined)
  target_link_options(${name}_replay PRIVATE -fsanitize=undefined)
  add_test(NAME fuzz.${name}.replay
           COMMAND ${name}_replay ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
endforeach()

# Every include follows the layer arrows; and the check itself notices a wrong one.
add_test(NAME layers.includes
         COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/src -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayering.cmake)
add_test(NAME layers.check_finds_wrong_include
         COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/tests/layers/src -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayering.cmake)
set_tests_properties(layers.check_finds_wrong_include PROPERTIES
  PASS_REGULAR_EXPRESSION "tests/layers/src/data/Upward.h:4: 'data' may not include 'edit'.*tests/layers/src/edit/Widget.h:3: Qt outside a qt/ folder")
