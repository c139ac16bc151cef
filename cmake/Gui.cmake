# The Qt layer: every source in a qt/ folder, linked into the tessaro executable.
find_package(Qt6 REQUIRED COMPONENTS Widgets Network)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

file(GLOB_RECURSE QT_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/*/qt/*.cpp ${CMAKE_SOURCE_DIR}/src/*/qt/*.h)
list(FILTER QT_SOURCES EXCLUDE REGEX "/main\\.cpp$")
file(GLOB QT_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.qrc)

add_library(tessaro_qt STATIC ${QT_SOURCES} ${QT_RESOURCES})
target_link_libraries(tessaro_qt PUBLIC tessaro_core Qt6::Widgets Qt6::Network)
target_include_directories(tessaro_qt PUBLIC ${CMAKE_SOURCE_DIR}/src)
# The installed help folder as seen from the installed executable, so the same
# binary finds it under /usr (the package) and under /usr/local (make install).
file(RELATIVE_PATH TESSARO_HELP_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/tessaro/help)
target_compile_definitions(tessaro_qt PUBLIC TESSARO_HELP_DIR="${TESSARO_HELP_FROM_BIN}")

if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/qt/main.cpp)
  set(TESSARO_MAIN ${CMAKE_SOURCE_DIR}/src/app/qt/main.cpp)
else()
  set(TESSARO_MAIN)
endif()
if(TESSARO_MAIN)
  add_executable(tessaro ${TESSARO_MAIN})
  target_link_libraries(tessaro PRIVATE tessaro_qt)
  install(TARGETS tessaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
