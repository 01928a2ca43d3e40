# The build's host tools run on the build machine while the Windows tree is made: each folder's
# host/ project is built with the host compiler as an external project, into <binary dir>/host.
# Usage: vireldan_add_host_tool(<target> <executable>...)
include(ExternalProject)
function(vireldan_add_host_tool target)
  list(TRANSFORM ARGN PREPEND ${CMAKE_CURRENT_BINARY_DIR}/host/ OUTPUT_VARIABLE executables)
  ExternalProject_Add(${target}
    SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/host
    BINARY_DIR ${CMAKE_CURRENT_BINARY_DIR}/host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${executables})
endfunction()
