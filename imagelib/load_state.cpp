#include "load_state.h"

namespace ravelight {

void BeginFreshLoad(Cimage& picture) {
  picture.DeleteImage();
  picture.m_valid = 1;
  picture.m_scaleNum = 1;
  picture.m_scaleDen = 1;
  picture.m_components = 3;
  picture.m_loadError = 0;
  picture.m_saveError = 0;
  picture.m_fileSize = 0;
}

void FailLoad(Cimage& picture) {
  picture.DeleteImage();
  picture.m_valid = 1;
  picture.m_loadError = 1;
}

}  // namespace ravelight
