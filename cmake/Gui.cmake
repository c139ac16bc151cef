# The windows: one library per qt/ folder, each on its own core folder.
find_package(Qt6 REQUIRED COMPONENTS Widgets Network PrintSupport)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)
foreach(folder common catalogue edit browse app)
  add_subdirectory(src/${folder}/qt)
endforeach()
