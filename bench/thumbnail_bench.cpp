// The thumbnail path as the cache builder and the loader thread run it: each file loaded as a
// 180 × 180 thumbnail and appended to one open cache file as a JPEG.
// thumbnail_bench CACHE FILE...
#include <cstdio>

#include "Cimage.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: thumbnail_bench CACHE FILE...\n");
    return 2;
  }
  if (!Cimage::OpenTNC(argv[1], "wb")) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  int failed = 0;
  for (int i = 2; i < argc; ++i) {
    Cimage thumbnail;
    thumbnail.LoadImageA(argv[i], 180, 180, 1);
    if (thumbnail.m_loadError || !thumbnail.m_pixels) {
      std::fprintf(stderr, "%s did not load\n", argv[i]);
      ++failed;
      continue;
    }
    thumbnail.SaveTNC(75);
    failed += thumbnail.m_saveError;
  }
  Cimage::CloseTNC();
  return failed ? 1 : 0;
}
