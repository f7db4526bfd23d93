# The editor's images as module resources of type PNG (Windows build only): the resource
# script resources/img/Images.rc, made by tools/artgen, names every image by its path from
# the repository root, which windres searches as an include folder.
if(WIN32)
  enable_language(RC)
endif()

set(ZV_IMAGE_SCRIPT ${CMAKE_SOURCE_DIR}/resources/img/Images.rc)

# zv_embed_images(<target>): links the images into a Windows module.
function(zv_embed_images target)
  if(NOT WIN32)
    return()
  endif()
  file(GLOB_RECURSE images CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/img/*.png)
  target_sources(${target} PRIVATE ${ZV_IMAGE_SCRIPT})
  # windres reads the images only while compiling the script.
  set_property(SOURCE ${ZV_IMAGE_SCRIPT} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} APPEND PROPERTY OBJECT_DEPENDS ${images})
  set_property(SOURCE ${ZV_IMAGE_SCRIPT} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} PROPERTY INCLUDE_DIRECTORIES
               ${CMAKE_SOURCE_DIR})
endfunction()
