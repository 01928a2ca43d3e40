# What ships carries no debugging information, yet a crash on a user's machine must still be
# readable here: after linking, a shipped program or library keeps its debugging information in
# "<file>.debug" beside it, and the file itself is stripped and names that file (with its CRC) in
# a debug link, where debuggers look for it.
function(vireldan_ship_stripped target)
  if(NOT WIN32)
    return()
  endif()
  set(file $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${file} ${file}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${file}.debug ${file}
    VERBATIM)
endfunction()
