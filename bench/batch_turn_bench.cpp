// The thumbnail view's lossless turn as its worker makes it: every .jpg of a folder turned
// clockwise in place, one after the other (the transform job's own loop, Yes to All).
// Usage: batch_turn_bench FOLDER
#include <cstdio>

#include "Cimage.h"
#include "batch_bench.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  Cimage::S_Initialize();
  constexpr int kClockwise = 1;
  QuietHost host;
  RunTransform(JpegsIn(argv[1]), kClockwise, host);
  return 0;
}
