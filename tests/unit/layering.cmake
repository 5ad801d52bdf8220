# Keeps the layers apart: the lock rules include the standard library and
# themselves only, the windows add nothing but the seam header, a window
# system's headers appear in its own backend and nowhere else, and the
# shared pieces below the seam (the dialog engine, POSIX, fonts, keyboard)
# know no window system.
# Usage: cmake -DSRC=<src directory> -P layering.cmake
file(GLOB_RECURSE sources "${SRC}/*.h" "${SRC}/*.cpp")
set(faults "")
foreach(path IN LISTS sources)
  file(RELATIVE_PATH file "${SRC}" "${path}")
  file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*" "" header "${line}")
    string(TOLOWER "${header}" lower)
    set(bad FALSE)
    if(NOT file MATCHES "^platform/x11/" AND lower MATCHES "^<(x11/|xcb/|xft)")
      set(bad TRUE)
    endif()
    # Fonts: the backends that draw text, and the set-up they share.
    if(NOT file MATCHES "^platform/(x11|wayland|fonts)/" AND lower MATCHES "^<(fontconfig/|ft2build|freetype)")
      set(bad TRUE)
    endif()
    if(NOT file MATCHES "^platform/wayland/" AND lower MATCHES "^[<\"](wayland-|cairo|pixman|.*-protocol\\.h)")
      set(bad TRUE)
    endif()
    if(NOT file MATCHES "^platform/win32/" AND lower MATCHES "^<(windows|winuser|commctrl|shellapi)\\.h>")
      set(bad TRUE)
    endif()
    # The keyboard library: the backends that read keys, the keyboard code
    # they share, and the keysym numbers (macros only) in the dialog engine.
    if(lower MATCHES "^<xkbcommon/" AND NOT file MATCHES "^platform/(x11|wayland|xkb)/"
       AND NOT (file MATCHES "^platform/dialog/" AND lower STREQUAL "<xkbcommon/xkbcommon-keysyms.h>"))
      set(bad TRUE)
    endif()
    # Below the seam, the shared parts reach no backend.
    if(file MATCHES "^platform/(dialog|host|posix|fonts|xkb)/" AND header MATCHES "^\"platform/(x11|wayland|win32)/")
      set(bad TRUE)
    endif()
    # Standard headers carry no extension and no directory.
    if(file MATCHES "^lock/" AND NOT header MATCHES "^(<[a-z_]+>|\"lock/[A-Za-z]+\\.h\")")
      set(bad TRUE)
    endif()
    if(file MATCHES "^windows/" AND NOT header MATCHES "^(<[a-z_]+>|\"(lock|windows)/[A-Za-z]+\\.h\"|\"platform/ui\\.h\")")
      set(bad TRUE)
    endif()
    if(bad)
      list(APPEND faults "${file}: ${header}")
    endif()
  endforeach()
endforeach()
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "no sources under ${SRC}")
endif()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "includes across the layers:\n  ${text}")
endif()
