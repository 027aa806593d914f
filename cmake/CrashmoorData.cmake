# The data folder next to the binary. Fonts come from Debian's free font
# packages: metric-compatible Tahoma clones (fonts-wine) and DejaVu
# (fonts-dejavu-core); the game's Windows font paths fall back to them.
set(CRASHMOOR_DATA_DIR ${CMAKE_BINARY_DIR}/data)
set(CRASHMOOR_FONT_SOURCES
  /usr/share/wine/fonts/tahoma.ttf
  /usr/share/wine/fonts/tahomabd.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
)
set(_font_outputs)
foreach(font ${CRASHMOOR_FONT_SOURCES})
  get_filename_component(name ${font} NAME)
  set(out ${CRASHMOOR_DATA_DIR}/fonts/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CRASHMOOR_DATA_DIR}/fonts
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${font} ${out}
    DEPENDS ${font}
    COMMENT "Copying font ${name}")
  list(APPEND _font_outputs ${out})
endforeach()
add_custom_target(data ALL DEPENDS ${_font_outputs})
add_dependencies(crashmoor data)
