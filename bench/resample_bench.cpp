// Loads one JPEG file at full size, then resamples or zooms it once, so a script can time the whole
// process against peer tools run the same way. With "skip" the operation is left out, so the
// script can take the cost of loading off; with "time" the program prints how long the operation
// took, in milliseconds (process start-up and loading, large under Wine, blur the difference of
// two whole runs of a short operation).
//   resample_bench FILE do|skip|time fit WIDTH HEIGHT             ReSample into the box (mode 2)
//   resample_bench FILE do|skip|time zoom NUM DEN X Y WIDTH HEIGHT ZoomImage of the rectangle
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Cimage.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: resample_bench FILE do|skip|time fit WIDTH HEIGHT\n"
               "       resample_bench FILE do|skip|time zoom NUM DEN X Y WIDTH HEIGHT\n");
  return 2;
}

bool Load(Cimage& picture, const char* path) {
  picture.LoadImageA(path, 0, 0, 5);
  return picture.m_pixels && !picture.m_loadError;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Usage();
  const bool fit = std::strcmp(argv[3], "fit") == 0, zoom = std::strcmp(argv[3], "zoom") == 0;
  if ((!fit || argc != 6) && (!zoom || argc != 10)) return Usage();
  int n[7] = {};
  for (int i = 4; i < argc; ++i) n[i - 4] = std::atoi(argv[i]);

  Cimage picture;
  if (!Load(picture, argv[1])) {
    std::fprintf(stderr, "%s did not load\n", argv[1]);
    return 1;
  }
  if (std::strcmp(argv[2], "skip") == 0) return 0;
  const auto start = std::chrono::steady_clock::now();
  Cimage zoomed;
  if (fit)
    picture.ReSample(n[0], n[1], 2);
  else
    zoomed.ZoomImage(&picture, n[0], n[1], n[2], n[3], n[4], n[5], 0);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  if (std::strcmp(argv[2], "time") == 0) std::printf("%.2f\n", took.count());
  return (fit ? picture : zoomed).m_pixels ? 0 : 1;
}
