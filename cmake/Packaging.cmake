# Install rules and packages: a Debian package of the X11 program, a zip of the Win32 one.
include(GNUInstallDirs)

set(UMBRAFOLD_DATA_DIR ${PROJECT_SOURCE_DIR}/data)

set(CPACK_PACKAGE_NAME umbrafold)
set(CPACK_PACKAGE_VENDOR "The Umbrafold developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen locker that blacks out the display")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

if(WIN32)
  # One folder with the program, a short README and the licence, both with
  # the line ends Notepad needs.
  if(TARGET Umbrafold)
    install(TARGETS Umbrafold RUNTIME DESTINATION .)
  endif()
  configure_file(${UMBRAFOLD_DATA_DIR}/README-win32.txt.in ${PROJECT_BINARY_DIR}/data/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/data/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/data/README.txt ${PROJECT_BINARY_DIR}/data/LICENSE.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Umbrafold-${PROJECT_VERSION}-win32")
  include(CPack)
  return()
endif()

install(TARGETS umbrafold RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Started by umbrafold in a Wayland session, never by hand.
install(TARGETS umbrafold-wayland RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/umbrafold)
install(TARGETS umbrafold-pointer umbrafold-text LIBRARY DESTINATION ${UMBRAFOLD_MODULE_DIR})

configure_file(${UMBRAFOLD_DATA_DIR}/umbrafold.1.in ${PROJECT_BINARY_DIR}/data/umbrafold.1 @ONLY)
set(UMBRAFOLD_MAN_PAGE ${PROJECT_BINARY_DIR}/data/umbrafold.1)
install(FILES ${UMBRAFOLD_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${UMBRAFOLD_DATA_DIR}/umbrafold.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The theme icons are made from the same XPM files the program shows, by a
# small generator built with the program (resources/), so no image tool is
# needed at build time.
set(UMBRAFOLD_ICONS "")
foreach(size 16 32)
  set(png ${PROJECT_BINARY_DIR}/data/icons/${size}x${size}/umbrafold.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/data/icons/${size}x${size}
    COMMAND umbrafold_xpm2png ${PROJECT_SOURCE_DIR}/resources/umbrafold-${size}.xpm ${png}
    DEPENDS umbrafold_xpm2png ${PROJECT_SOURCE_DIR}/resources/umbrafold-${size}.xpm
    COMMENT "Generating the ${size}x${size} theme icon"
    VERBATIM
  )
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND UMBRAFOLD_ICONS ${png})
endforeach()
add_custom_target(umbrafold_icons ALL DEPENDS ${UMBRAFOLD_ICONS})

# Debian looks for these under the package's own name, whatever the project is called.
install(FILES ${UMBRAFOLD_DATA_DIR}/copyright ${UMBRAFOLD_DATA_DIR}/changelog
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/umbrafold)

set(UMBRAFOLD_DEB_MAINTAINER "Umbrafold developers <developers@umbrafold.invalid>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME umbrafold)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${UMBRAFOLD_DEB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The dialog's text is set in Arial; Liberation Sans has the same metrics.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary above these lines as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Umbrafold covers every monitor of an X11 desktop with black and shows a
small dialog in which the user types a password chosen on the spot. Until
the same password is typed again, keyboard and pointer are held, so no
other program or desktop shortcut can be reached. The password lives only
in memory.
.
In a Wayland session it locks through the compositor's session lock
(ext-session-lock-v1), offered by sway, Hyprland, river, niri, labwc,
Wayfire and COSMIC among others: the session stays locked even if the
program dies.")
# The package gets Debian's finishing touches; a plain install keeps its files as they are.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianTidy.cmake)
include(CPack)
