# Codec libraries: in a Windows tree the static builds in .deps/win32 (or .deps/win64) that
# tools/build-deps.sh makes from Debian's sources; in the native tree Debian's own -dev packages.
if(WIN32)
  set(VIRELDAN_DEPS_PREFIX ${CMAKE_SOURCE_DIR}/.deps/${VIRELDAN_WINDOWS_TREE} CACHE PATH "Cross-built codec libraries")
  list(APPEND CMAKE_FIND_ROOT_PATH ${VIRELDAN_DEPS_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${VIRELDAN_DEPS_PREFIX})
  set(ZLIB_USE_STATIC_LIBS ON)
  set(PNG_USE_STATIC_LIBS ON)
endif()

find_package(ZLIB REQUIRED)
find_package(JPEG REQUIRED)
find_package(PNG REQUIRED)
find_package(TIFF REQUIRED)
if(NOT VIRELDAN_FUZZ)
  find_package(GTest REQUIRED)
endif()
