# Compiler and linker settings of each tree.
add_compile_options(-Wall -Wextra)

if(WIN32)
  # Fully static: only our own DLLs sit beside the programs, on Windows and on Wine alike.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(NOMINMAX WINVER=0x0501 _WIN32_WINNT=0x0501)
  # build/win32 is the product; build/win64 runs the same tests where no 32-bit code runs. The
  # scripts that start Wine read the tree's architecture from this file beside its prefixes.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VIRELDAN_WINDOWS_TREE win64)
  else()
    set(VIRELDAN_WINDOWS_TREE win32)
  endif()
  # windres runs the C preprocessor but CMake asks it for no dependency list, so a changed
  # resource header (new control ids) would leave the compiled resources stale.
  set(CMAKE_DEPFILE_FLAGS_RC "--preprocessor-arg=-MD --preprocessor-arg=-MT --preprocessor-arg=<DEP_TARGET> --preprocessor-arg=-MF --preprocessor-arg=<DEP_FILE>")
  file(WRITE ${CMAKE_BINARY_DIR}/wine-arch "${VIRELDAN_WINDOWS_TREE}\n")
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
