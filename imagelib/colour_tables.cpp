// The JFIF colour-conversion tables that the YCbCr operations and the decoders share.
#include "Cimage.h"

int Cimage::initstatus = 0;
int Cimage::ry_tab[256];
int Cimage::gy_tab[256];
int Cimage::by_tab[256];
int Cimage::rcb_tab[256];
int Cimage::gcb_tab[256];
int Cimage::bcb_tab[256];
int Cimage::gcr_tab[256];
int Cimage::bcr_tab[256];
int Cimage::Cr_r_tab[256];
int Cimage::Cb_b_tab[256];
int Cimage::Cr_g_tab[256];
int Cimage::Cb_g_tab[256];

namespace {
constexpr int kHalf = 1 << 15;
// 128 in the Cb/Cr offset plus rounding just below one half; it doubles as the red-to-Cr term.
constexpr int kChromaOffset = (128 << 16) + kHalf - 1;
}  // namespace

int Cimage::S_Init_Tables() {
  for (int i = 0; i < 256; ++i) {
    ry_tab[i] = 19595 * i;
    gy_tab[i] = 38470 * i;
    by_tab[i] = 7471 * i + kHalf;
    rcb_tab[i] = -11059 * i;
    gcb_tab[i] = -21709 * i;
    bcb_tab[i] = 32768 * i + kChromaOffset;
    gcr_tab[i] = -27439 * i;
    bcr_tab[i] = -5329 * i;

    const int x = i - 128;
    Cr_r_tab[i] = (91881 * x + kHalf) >> 16;
    Cb_b_tab[i] = (116130 * x + kHalf) >> 16;
    Cr_g_tab[i] = -46802 * x;
    Cb_g_tab[i] = -22554 * x + kHalf;
  }
  initstatus = 1;
  return 0;
}

void Cimage::S_Initialize() {
  if (!initstatus) S_Init_Tables();
}

void Cimage::S_UnInitialize() {}
