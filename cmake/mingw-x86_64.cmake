# Cross-compiles the same sources for 64-bit Windows: the test tree of machines that run no 32-bit
# code. The deliverables stay 32-bit.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VIRELDAN_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
