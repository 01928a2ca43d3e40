// One batch run as the program makes it: every .jpg of a folder fitted inside 1024 x 1024 and
// saved as JPEG quality 85 into another folder, on one thread (the worker's own loop).
// Usage: batch_resize_bench INPUT_FOLDER OUTPUT_FOLDER
#include <cstdio>

#include "Cimage.h"
#include "batch_bench.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s INPUT_FOLDER OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  Cimage::S_Initialize();
  BatchRecipe recipe;
  recipe.originalSize = false;
  recipe.output = {1024, 1024};
  recipe.folder = argv[2];
  recipe.format = 1;
  recipe.quality = 85;
  recipe.originalQuality = 0;
  QuietHost host;
  return RunBatch(recipe, JpegsIn(argv[1]), host) ? 0 : 1;
}
