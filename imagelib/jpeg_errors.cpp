#include "jpeg_errors.h"

#include <jerror.h>

namespace ravelight {
namespace {

void JumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrorTrap*>(cinfo->err)->jump, 1);
}

// Warnings never stop a decode; the one that says the file ended is remembered.
void NoteWarning(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
    reinterpret_cast<JpegErrorTrap*>(cinfo->err)->sourceEnded = true;
}

void Ignore(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* ArmSilentErrors(JpegErrorTrap* trap) {
  jpeg_error_mgr* manager = jpeg_std_error(&trap->manager);
  manager->error_exit = JumpBack;
  manager->emit_message = NoteWarning;
  manager->output_message = Ignore;
  trap->sourceEnded = false;
  return manager;
}

}  // namespace ravelight
