# Turns the PNG pictures of this folder into one C++ header of byte arrays, so the programs carry
# their own images: ${ORVANE_IMAGES_INCLUDE_DIR}/res/images/Images.h, with <name>_png[] for
# every <name>.png ('-' becomes '_'). Regenerated whenever a picture changes.

set(ORVANE_IMAGES_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
file(GLOB orvane_image_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.png)
list(SORT orvane_image_files)
set(orvane_images_text "// Generated from res/images/*.png by EmbedImages.cmake; do not edit.\n#pragma once\n\n")
foreach(png IN LISTS orvane_image_files)
  get_filename_component(name ${png} NAME_WE)
  string(REPLACE "-" "_" name ${name})
  file(READ ${png} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND orvane_images_text "inline constexpr unsigned char ${name}_png[] = {\n${bytes}};\n\n")
endforeach()
file(CONFIGURE OUTPUT ${ORVANE_IMAGES_INCLUDE_DIR}/res/images/Images.h CONTENT "${orvane_images_text}" @ONLY)
