find_package(benchmark REQUIRED)
file(GLOB_RECURSE BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(BENCH_SOURCES)
  add_executable(tessaro_bench ${BENCH_SOURCES})
  target_link_libraries(tessaro_bench PRIVATE tessaro_test_support benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(tessaro_bench PRIVATE ${CMAKE_SOURCE_DIR}/bench ${CMAKE_SOURCE_DIR}/tests)
  # Benchmarks are built on request (make bench), not by make test.
  set_target_properties(tessaro_bench PROPERTIES EXCLUDE_FROM_ALL ON)
endif()
