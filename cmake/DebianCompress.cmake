# Run by CPack on its staging tree before packing: Debian policy wants man
# pages and changelogs gzipped at maximum compression, without a timestamp
# or file name, so that the package is the same byte for byte on every build.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

find_program(UMBRAFOLD_GZIP gzip REQUIRED)
file(GLOB_RECURSE to_compress
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man*/*.[1-9]"
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/*/changelog"
)
foreach(file IN LISTS to_compress)
  execute_process(COMMAND ${UMBRAFOLD_GZIP} -9 -n -f ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
