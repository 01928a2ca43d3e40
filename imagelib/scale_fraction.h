#pragma once
// The picture's scale, m_scaleNum / m_scaleDen, as filters enlarge and reduce it.
namespace ravelight {

// Multiplies term by factor. The fraction term / other is reduced first when the product would not
// fit, and halved as a last resort, so repeated resampling never overflows it.
void MultiplyScale(int& term, int& other, int factor);

}  // namespace ravelight
