# Prints the programs that the toolchain file names, for each target ("<target> <program>", one
# a line, on the error stream as cmake's script mode prints), so that the set-up check can hold
# them against tools/packages:
#   cmake -P cmake/ToolchainTools.cmake
foreach(arch i686 x86_64)
  set(KORVEL_ARCH ${arch})
  include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
  foreach(tool ${CMAKE_C_COMPILER} ${CMAKE_CXX_COMPILER} ${CMAKE_RC_COMPILER} ${KORVEL_IDL_COMPILER} ${KORVEL_STRIP}
              ${KORVEL_NM} ${KORVEL_DLLTOOL} ${Python3_EXECUTABLE})
    message("${arch} ${tool}")
  endforeach()
endforeach()
