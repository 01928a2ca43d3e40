#pragma once
// The codec library reports problems through an error manager. Ours never prints or shows
// anything: warnings are ignored, and a fatal error jumps back to the codec entry point that set
// the trap, which then cleans up and sets the picture's error flag.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace ravelight {

struct JpegErrorTrap {
  jpeg_error_mgr manager;  // first, so the library's pointer to it is a pointer to the trap
  std::jmp_buf jump;
  bool sourceEnded;  // the file ran out: from here on the decoder only makes up data
};

jpeg_error_mgr* ArmSilentErrors(JpegErrorTrap* trap);

}  // namespace ravelight

namespace ravelight {

// Runs work() with the trap armed: true when it finished, false when the codec library reported
// a fatal error. The jump lands here, so the caller's own state stays well defined and the
// caller cleans up the same way on both paths.
template <typename Work>
bool RunTrapped(JpegErrorTrap* trap, Work&& work) {
  if (setjmp(trap->jump) != 0) return false;
  work();
  return true;
}

}  // namespace ravelight
