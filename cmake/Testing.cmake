include(CTest)
include(GoogleTest)

# One GoogleTest program per group of related cases. Natively each case is its own CTest test;
# under Wine a program is one test, since every start of a Windows program costs a Wine start.
function(vireldan_add_gtest target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
