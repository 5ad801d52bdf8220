# Run by CPack on its staging tree before packing the .deb, to do what
# Debian's own packaging tools would: drop the compiler's notes from the
# already stripped programs, and gzip man pages and changelogs at maximum
# compression without a timestamp or file name, so the same page always
# compresses to the same bytes.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

find_program(UMBRAFOLD_STRIP strip REQUIRED)
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
  execute_process(
    COMMAND ${UMBRAFOLD_STRIP} --remove-section=.comment --remove-section=.note ${program}
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

find_program(UMBRAFOLD_GZIP gzip REQUIRED)
file(GLOB_RECURSE to_compress
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man*/*.[1-9]"
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/*/changelog"
)
foreach(file IN LISTS to_compress)
  execute_process(COMMAND ${UMBRAFOLD_GZIP} -9 -n -f ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
