find_package(benchmark REQUIRED)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(BENCH_SOURCES)
  add_executable(tessaro_bench ${BENCH_SOURCES})
  target_link_libraries(tessaro_bench PRIVATE tessaro_cli tessaro_test_support benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(tessaro_bench PRIVATE ${CMAKE_SOURCE_DIR}/bench ${CMAKE_SOURCE_DIR}/tests)
  # Benchmarks are built on request (make bench), not by make test.
  set_target_properties(tessaro_bench PROPERTIES EXCLUDE_FROM_ALL ON)
endif()

# The window at scale, offscreen; beside the core benchmarks because it needs Qt.
if(TESSARO_GUI)
  add_executable(tessaro_window_bench ${CMAKE_SOURCE_DIR}/bench/window/window_bench.cpp)
  target_link_libraries(tessaro_window_bench PRIVATE tessaro_app_qt tessaro_test_support benchmark::benchmark)
  target_include_directories(tessaro_window_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(tessaro_window_bench PROPERTIES EXCLUDE_FROM_ALL ON)
endif()
