# The data folder next to the binary, made by the data generator: images,
# skin, sounds, music and the fonts copied from Debian's free font packages.
# The contact sheet of every image and the desktop icon go beside it,
# outside the data.
set(CRASHMOOR_DATA_DIR ${CMAKE_BINARY_DIR}/data)
set(CRASHMOOR_CONTACT_SHEET ${CMAKE_BINARY_DIR}/contact_sheet.png)
set(CRASHMOOR_ICON ${CMAKE_BINARY_DIR}/icon.png)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/data.stamp ${CRASHMOOR_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CRASHMOOR_DATA_DIR}
  COMMAND ${CMAKE_COMMAND} -E env
          "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
          $<TARGET_FILE:datagen> ${CRASHMOOR_DATA_DIR} ${CRASHMOOR_CONTACT_SHEET} ${CRASHMOOR_ICON}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/data.stamp
  DEPENDS datagen
  COMMENT "Generating the game's data")
add_custom_target(data ALL DEPENDS ${CMAKE_BINARY_DIR}/data.stamp)
add_dependencies(crashmoor data)
