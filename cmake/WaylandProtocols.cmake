# Client code for Wayland protocols, generated from their XML at build
# time with wayland-scanner: a header and a C file per protocol in dir.
#   umbrafold_wayland_protocols(SOURCES_VAR DIR XML...)
# sets SOURCES_VAR to the C files; DIR holds the headers.
find_package(PkgConfig REQUIRED)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT WAYLAND_SCANNER)
  find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
endif()

function(umbrafold_wayland_protocols sources_var dir)
  set(sources "")
  foreach(xml IN LISTS ARGN)
    get_filename_component(name ${xml} NAME_WE)
    add_custom_command(
      OUTPUT ${dir}/${name}-protocol.h ${dir}/${name}-protocol.c
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${dir}/${name}-protocol.h
      COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${dir}/${name}-protocol.c
      DEPENDS ${xml}
      COMMENT "Generating the ${name} protocol code"
      VERBATIM
    )
    list(APPEND sources ${dir}/${name}-protocol.c)
  endforeach()
  set(${sources_var} ${sources} PARENT_SCOPE)
endfunction()
