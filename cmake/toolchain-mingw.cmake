# Windows with mingw-w64 and the posix thread model. Every program named here comes from a
# package of tools/packages; the set-up check (tools/check-setup) holds this file to that list.
# KORVEL_ARCH picks the target:
#   i686   - the product's 32-bit Windows build;
#   x86_64 - the same sources for 64-bit Windows.
# Without a choice, the build targets what Wine can run on this machine at native speed:
# i686 where the kernel runs 32-bit programs (Wine's 32-bit loader is one), else x86_64.
if(NOT KORVEL_ARCH)
  if(DEFINED ENV{KORVEL_ARCH})
    set(KORVEL_ARCH $ENV{KORVEL_ARCH})
  else()
    execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tools/host-arch
                    OUTPUT_VARIABLE KORVEL_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
endif()
set(KORVEL_ARCH ${KORVEL_ARCH} CACHE STRING "Windows target: i686 or x86_64" FORCE)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KORVEL_ARCH})
set(triple ${KORVEL_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER   ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${triple}-windres)
set(KORVEL_IDL_COMPILER ${triple}-widl)   # cmake/Idl.cmake
set(KORVEL_STRIP ${triple}-strip)         # the C++ runtime copied beside the programs
set(KORVEL_NM ${triple}-nm)               # the system libraries that load late (cmake/DelayLoad.cmake)
set(KORVEL_DLLTOOL ${triple}-dlltool)
# The build's scripts run under Debian's own Python, whatever other one stands first on the PATH.
set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "Python for the build's scripts")
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and programs run under Wine through our wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
