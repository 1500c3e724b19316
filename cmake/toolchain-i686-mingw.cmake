# The product's 32-bit Windows build.
set(KORVEL_ARCH i686 CACHE STRING "Windows target: i686 or x86_64" FORCE)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
