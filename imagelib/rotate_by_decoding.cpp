#include "rotate_by_decoding.h"

#include "Cimage.h"

namespace ravelight {

bool TurnByDecoding(const std::string& path, const std::string& temporary, int operation) {
  Cimage picture;
  picture.LoadImageA(path.c_str(), 0, 0, 5);
  if (picture.m_loadError || !picture.m_pixels || picture.m_animated) return false;
  switch (operation) {
    case 1: picture.Rotate_Clockwise(); break;
    case 2: picture.Rotate_CounterClockwise(); break;
    case 3: picture.Rotate_180(); break;
    case 4: picture.Flip_Vertical(); break;
    default: picture.Flip_Horizontal(); break;
  }
  picture.SaveImage(temporary.c_str());
  return !picture.m_saveError;
}

}  // namespace ravelight
