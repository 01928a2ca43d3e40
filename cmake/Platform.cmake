# Compiler and linker settings of each tree.
add_compile_options(-Wall -Wextra)

if(WIN32)
  # Fully static: only our own DLLs sit beside the programs, on Windows and on Wine alike.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(NOMINMAX WINVER=0x0501 _WIN32_WINNT=0x0501)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
elseif(VIRELDAN_FUZZ)
  set(VIRELDAN_SANITIZERS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
  add_compile_options(${VIRELDAN_SANITIZERS} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(VIRELDAN_SANITIZE)
  set(VIRELDAN_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
  add_compile_options(${VIRELDAN_SANITIZERS} -fno-omit-frame-pointer)
  add_link_options(${VIRELDAN_SANITIZERS})
endif()
