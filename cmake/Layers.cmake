# One static library per source folder, linked along the arrows of LayerRules.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/LayerRules.cmake)

# tessaro_layer(<folder> <sources>...): the folder's library, e.g. tessaro_edit
# for "edit" or tessaro_app_qt for "app/qt", linking the folders below it.
function(tessaro_layer folder)
  layer_target(${folder} target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  foreach(below IN LISTS LAYER_${folder})
    layer_target(${below} dependency)
    target_link_libraries(${target} PUBLIC ${dependency})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY TESSARO_LAYER_TARGETS ${target})
endfunction()
