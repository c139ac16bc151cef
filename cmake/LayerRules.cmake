# Which source folder may use which: the arrows of the layer picture, each
# folder naming the folders directly below it. The build links exactly these
# arrows, and CheckLayering.cmake refuses an include that runs against them
# (what a folder may include is everything it reaches by following arrows).
set(LAYER_common "")
set(LAYER_data common)
set(LAYER_catalogue data)
set(LAYER_edit catalogue)
set(LAYER_image data)
set(LAYER_browse image)
set(LAYER_app edit browse)
set(LAYER_cli edit browse)
# Every qt/ folder sits on its own core folder and on the windows it opens.
set(LAYER_common/qt common)
set(LAYER_catalogue/qt catalogue common/qt)
set(LAYER_edit/qt edit)
set(LAYER_browse/qt browse common/qt)
set(LAYER_app/qt app catalogue/qt edit/qt browse/qt)
set(LAYER_FOLDERS common data catalogue edit image browse app cli
                  common/qt catalogue/qt edit/qt browse/qt app/qt)

# The folders `folder` may include, itself among them, in `out`.
function(layer_reach folder out)
  set(reach ${folder})
  set(todo ${folder})
  while(todo)
    list(POP_FRONT todo current)
    foreach(below IN LISTS LAYER_${current})
      if(NOT below IN_LIST reach)
        list(APPEND reach ${below})
        list(APPEND todo ${below})
      endif()
    endforeach()
  endwhile()
  set(${out} ${reach} PARENT_SCOPE)
endfunction()

# "catalogue/qt" -> "tessaro_catalogue_qt"
function(layer_target folder out)
  string(REPLACE "/" "_" name "${folder}")
  set(${out} tessaro_${name} PARENT_SCOPE)
endfunction()
