# COM interface definitions compiled with widl.
#
#   korvel_idl(<target> <file.idl> [TLB_ID <n>] [NO_TYPELIB])
#
# Runs widl (the toolchain file's KORVEL_IDL_COMPILER, after the target) on the IDL file and adds to <target>:
#   - <name>.h      the C/C++ interface declarations (with __uuidof support),
#   - <name>_i.c    the IIDs, CLSIDs and LIBID as linkable constants,
#   - <name>.tlb    the type library, embedded in the target as resource TYPELIB <n> (default 1,
#                   where LoadTypeLib on the module file and CComModule look for it) unless
#                   NO_TYPELIB is given.
# The generated folder is added to the target's include path, so sources include "<name>.h".
#
# mingw-w64 ships the system headers but not the system IDL files, so cmake/idl/ holds small
# stand-ins for "unknwn.idl", "oaidl.idl" and "ocidl.idl" that declare just what our interfaces
# derive from; the generated header still includes the real <unknwn.h>/<oaidl.h>/<ocidl.h>.
# The type library imports IDispatch from Wine's stdole2.tlb (importlib("stdole2.tlb")).

# widl and Wine's stdole2.tlb of the target's architecture (i686 or x86_64): the type library
# records its pointer size, and a 64-bit process registers and loads the "win64" flavour.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(korvel_idl_wine x86_64-linux-gnu/wine/x86_64-windows)
  set(korvel_idl_win64 --win64)
else()
  set(korvel_idl_wine i386-linux-gnu/wine/i386-windows)
  set(korvel_idl_win64 --win32)
endif()
find_program(KORVEL_WIDL NAMES ${KORVEL_IDL_COMPILER})
find_path(KORVEL_STDOLE2_DIR stdole2.tlb
          PATHS /usr/lib/${korvel_idl_wine}
          NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
set(KORVEL_IDL_IMPORTS ${CMAKE_CURRENT_LIST_DIR}/idl)

function(korvel_idl target idl)
  cmake_parse_arguments(I "NO_TYPELIB" "TLB_ID" "" ${ARGN})
  if(NOT KORVEL_WIDL)
    message(FATAL_ERROR "korvel_idl: ${KORVEL_IDL_COMPILER} was not found (run tools/setup)")
  endif()
  if(NOT I_TLB_ID)
    set(I_TLB_ID 1)
  endif()
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  get_filename_component(idl_dir ${idl_abs} DIRECTORY)
  get_filename_component(name ${idl_abs} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/idl_${target})
  file(MAKE_DIRECTORY ${out})

  set(flags ${korvel_idl_win64} -I ${KORVEL_IDL_IMPORTS} -I ${idl_dir})
  if(KORVEL_STDOLE2_DIR)
    list(APPEND flags -L ${KORVEL_STDOLE2_DIR})
  endif()
  file(GLOB imports ${KORVEL_IDL_IMPORTS}/*.idl)
  add_custom_command(
    OUTPUT ${out}/${name}.h ${out}/${name}_i.c ${out}/${name}.tlb
    COMMAND ${KORVEL_WIDL} ${flags} -h -o ${out}/${name}.h ${idl_abs}
    COMMAND ${KORVEL_WIDL} ${flags} -u -o ${out}/${name}_i.c ${idl_abs}
    COMMAND ${KORVEL_WIDL} ${flags} -t -o ${out}/${name}.tlb ${idl_abs}
    DEPENDS ${idl_abs} ${imports}
    COMMENT "widl ${name}.idl"
    VERBATIM)
  target_sources(${target} PRIVATE ${out}/${name}.h ${out}/${name}_i.c)
  if(NOT I_NO_TYPELIB)
    set(rc ${out}/${name}_tlb.rc)
    file(WRITE ${rc} "${I_TLB_ID} TYPELIB \"${out}/${name}.tlb\"\n")
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${out}/${name}.tlb)
    target_sources(${target} PRIVATE ${rc} ${out}/${name}.tlb)
  endif()
  target_include_directories(${target} PUBLIC ${out})
endfunction()
