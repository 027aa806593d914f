# Writes OUT (a header defining CRASHMOOR_REVISION) from the source tree's
# version control state, rewriting it only when it changes. Run at every
# build, so that a replay names the build that recorded it.
execute_process(
  COMMAND git -C "${SRC}" describe --always --dirty --abbrev=12
  OUTPUT_VARIABLE revision
  OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_QUIET
  RESULT_VARIABLE failed)
if(failed OR revision STREQUAL "")
  set(revision "unknown")
endif()
set(text "#pragma once\n#define CRASHMOOR_REVISION \"${revision}\"\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
else()
  set(old "")
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
