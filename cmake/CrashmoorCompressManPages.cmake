# Run by CPack on its staging folder before it builds the package: compresses
# the manual pages as Debian keeps them (gzip -9, no name or time stamp, so
# that the package is the same every time).
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man*/*.[0-9]")
foreach(page IN LISTS pages)
  execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress the manual page ${page}")
  endif()
endforeach()
