#include "open_picture_dlg.h"

#include "picture_file_dialog.h"

namespace {

const char kOpenPictureFilter[] =
    "Image Files|*.jpg;*.jpeg;*.gif;*.tif;*.png;*.bmp;*.psd;*.pcx|JPEG Files (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF Files "
    "(*.gif)|*.gif|BMP Files (*.bmp)|*.bmp|TIF Files (*.tif)|*.tif|PNG Files (*.png)|*.png|Photoshop Files "
    "(*.psd)|*.psd|PCX Files (*.pcx)|*.pcx||";

}  // namespace

bool AskPictureToOpen(HWND owner, std::string& path) {
  return AskPictureFile(owner, false, kOpenPictureFilter, std::string(),
                        OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES, path);
}
