include(CTest)
include(GoogleTest)

# Every Windows test program, whoever builds it, carries the watch that fails a test whose window
# nobody answers instead of letting it hang.
if(WIN32 AND TARGET GTest::gtest_main)
  set_property(TARGET GTest::gtest_main APPEND PROPERTY INTERFACE_SOURCES
               ${CMAKE_SOURCE_DIR}/tests/support/unanswered_window_watch.cpp)
endif()

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

# The program's test folders: each *_test.cpp of the folder is one GoogleTest program linking the
# program's library; *_win_test.cpp programs (and *_win.cpp helpers) only in the Windows tree,
# where every test program also gets the program's resources (dialog templates), which a static
# library would not carry.
function(vireldan_add_program_tests)
  if(NOT TARGET vireldan_app)
    return()
  endif()
  file(GLOB programs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(REMOVE_ITEM support ${programs})
  set(resources)
  if(WIN32)
    set(resources ${CMAKE_SOURCE_DIR}/app/vireldan.rc)
  else()
    list(FILTER programs EXCLUDE REGEX "_win_test\\.cpp$")
    list(FILTER support EXCLUDE REGEX "_win\\.cpp$")
  endif()
  foreach(source ${programs})
    get_filename_component(name ${source} NAME_WE)
    vireldan_add_gtest(${name} SOURCES ${source} ${support} ${RECORDS_TEST_SUPPORT} ${resources}
                       LIBRARIES vireldan_app $<$<BOOL:${WIN32}>:ui_test_support>)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/records)
  endforeach()
endfunction()

# The shared records' tests link the records library alone, which proves it stands without the
# programs. Their cache fixtures serve the program tests too.
set(RECORDS_TEST_SUPPORT ${CMAKE_SOURCE_DIR}/tests/records/tnc_test_support.cpp)
function(vireldan_add_records_tests)
  file(GLOB programs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(REMOVE_ITEM support ${programs})
  if(NOT WIN32)
    list(FILTER programs EXCLUDE REGEX "_win_test\\.cpp$")
    list(FILTER support EXCLUDE REGEX "_win\\.cpp$")
  endif()
  foreach(source ${programs})
    get_filename_component(name ${source} NAME_WE)
    vireldan_add_gtest(${name} SOURCES ${source} ${support} LIBRARIES vireldan_records)
  endforeach()
endfunction()

# Tests that run a second process of themselves and kill it in the middle of a write.
function(vireldan_use_killed_child target)
  if(WIN32)
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/records/killed_child_win.cpp)
  else()
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/records/killed_child_posix.cpp)
  endif()
endfunction()
