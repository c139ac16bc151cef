# libFuzzer harnesses; configure a separate build folder with clang to use them.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "TESSARO_FUZZ needs clang (CXX=clang++)")
endif()
# Instrument the readers themselves, or libFuzzer sees no coverage inside them.
# Undefined behaviour is a finding, not a line in the log.
get_property(layers GLOBAL PROPERTY TESSARO_LAYER_TARGETS)
foreach(layer IN LISTS layers)
  target_compile_options(${layer} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                          -fno-sanitize-recover=undefined)
endforeach()
file(GLOB FUZZ_HARNESSES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(src ${FUZZ_HARNESSES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE tessaro_core)
endforeach()
# Everything else that links the instrumented core needs the sanitizer runtimes too.
if(TARGET tessaro-cli)
  target_link_options(tessaro-cli PRIVATE -fsanitize=address,undefined)
endif()
