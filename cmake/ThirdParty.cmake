# Third-party libraries, cross-built from Debian's sources that tools/setup fetched.

# GoogleTest, built for the target (only the tests use it).
if(NOT KORVEL_PRODUCT_ONLY)
  set(gtest_src /usr/src/googletest/googletest)
  add_library(gtest STATIC ${gtest_src}/src/gtest-all.cc)
  target_include_directories(gtest SYSTEM PUBLIC ${gtest_src}/include PRIVATE ${gtest_src})
  target_compile_options(gtest PRIVATE -w)
  set(gmock_src /usr/src/googletest/googlemock)
  add_library(gmock STATIC ${gmock_src}/src/gmock-all.cc)
  target_include_directories(gmock SYSTEM PUBLIC ${gmock_src}/include PRIVATE ${gmock_src})
  target_link_libraries(gmock PUBLIC gtest)
  target_compile_options(gmock PRIVATE -w)
endif()

file(GLOB tinyxml_dir LIST_DIRECTORIES true ${KORVEL_THIRD_PARTY}/src/tinyxml-*)
file(GLOB zlib_dir LIST_DIRECTORIES true ${KORVEL_THIRD_PARTY}/src/zlib-*)
file(GLOB expat_dir LIST_DIRECTORIES true ${KORVEL_THIRD_PARTY}/src/expat-*)
set(sqlite_dir ${KORVEL_THIRD_PARTY}/sqlite-amalgamation)
if(NOT tinyxml_dir OR NOT zlib_dir OR NOT expat_dir OR NOT EXISTS ${sqlite_dir}/sqlite3.c)
  message(FATAL_ERROR "Third-party sources are missing: run tools/setup first.")
endif()
list(GET tinyxml_dir 0 tinyxml_dir)
list(GET zlib_dir 0 zlib_dir)
list(GET expat_dir 0 expat_dir)

# TinyXML (STL flavour, as Debian builds it).
add_library(tinyxml STATIC ${tinyxml_dir}/tinyxml.cpp ${tinyxml_dir}/tinystr.cpp
            ${tinyxml_dir}/tinyxmlerror.cpp ${tinyxml_dir}/tinyxmlparser.cpp)
target_include_directories(tinyxml SYSTEM PUBLIC ${tinyxml_dir})
target_compile_definitions(tinyxml PUBLIC TIXML_USE_STL)
target_compile_options(tinyxml PRIVATE -w)

# SQLite from its amalgamation.
add_library(sqlite3 STATIC ${sqlite_dir}/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${sqlite_dir})
target_compile_definitions(sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(sqlite3 PRIVATE -w)

# minizip over the mingw-w64 zlib.
find_library(ZLIB_LIB NAMES z libz PATHS /usr/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32/lib REQUIRED)
set(mz ${zlib_dir}/contrib/minizip)
add_library(minizip STATIC ${mz}/ioapi.c ${mz}/unzip.c ${mz}/zip.c ${mz}/iowin32.c)
target_include_directories(minizip SYSTEM PUBLIC ${mz})
target_compile_definitions(minizip PUBLIC NOCRYPT NOUNCRYPT)
target_compile_options(minizip PRIVATE -w)
target_link_libraries(minizip PUBLIC ${ZLIB_LIB})

# expat, the XML stream parser under the core component's XMPP layer. Built from its three
# sources with a configuration header of our own instead of its CMake project. XML_DTD must be
# 1, not merely defined: Debian's patches test "XML_DTD == 1".
set(expat_lib ${expat_dir}/expat/lib)
set(expat_config_dir ${CMAKE_BINARY_DIR}/expat-config)
file(WRITE ${expat_config_dir}/expat_config.h.in
"#ifndef EXPAT_CONFIG_H\n#define EXPAT_CONFIG_H 1\n#define BYTEORDER 1234\n#define HAVE_STDLIB_H 1\n#define HAVE_STRING_H 1\n#define HAVE_STDINT_H 1\n#define XML_NS 1\n#define XML_DTD 1\n#define XML_CONTEXT_BYTES 1024\n#endif\n")
configure_file(${expat_config_dir}/expat_config.h.in ${expat_config_dir}/expat_config.h COPYONLY)
add_library(expat STATIC ${expat_lib}/xmlparse.c ${expat_lib}/xmlrole.c ${expat_lib}/xmltok.c)
target_include_directories(expat SYSTEM PUBLIC ${expat_lib} PRIVATE ${expat_config_dir})
target_compile_definitions(expat PUBLIC XML_STATIC PRIVATE HAVE_EXPAT_CONFIG_H)
target_compile_options(expat PRIVATE -w)
