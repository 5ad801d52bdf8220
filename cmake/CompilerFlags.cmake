# Language level and warnings for every target of the project.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)

option(UMBRAFOLD_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(UMBRAFOLD_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# A locker is a target: the usual hardening of a distribution's programs.
if(NOT WIN32 AND NOT UMBRAFOLD_SANITIZE)
  add_compile_options(-fstack-protector-strong $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_link_options(-pie -Wl,-z,relro -Wl,-z,now)
endif()

# The Win32 program brings its own few runtime pieces instead of the
# toolchain's C and C++ runtime (src/platform/win32/Runtime.cpp), so what
# it compiles must not need the rest: no exceptions or RTTI, no guarded
# statics for a program with one thread, and code for the processors
# Windows 95 runs on. A throw, a typeid or a dynamic_cast does not compile;
# a library type that lives in libstdc++ (std::string, streams) fails to
# link.
if(WIN32)
  add_compile_options(
    $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>
    $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>
    $<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>
    $<$<COMPILE_LANGUAGE:C,CXX>:-fno-asynchronous-unwind-tables>
    $<$<COMPILE_LANGUAGE:C,CXX>:-march=i386>
  )
endif()
