// Loads one JPEG file into a picture, once, so a script can time the whole process against a
// peer decoder run the same way: jpeg_load_bench FILE BOX MODE (BOX and MODE as the loader takes
// them; 0 5 is full size, 160 1 a thumbnail load).
#include <cstdio>
#include <cstdlib>

#include "Cimage.h"
#include "cimage_test_access.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: jpeg_load_bench FILE BOX MODE\n");
    return 2;
  }
  FILE* stream = std::fopen(argv[1], "rb");
  if (!stream) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 1;
  }
  const int box = std::atoi(argv[2]);
  Cimage picture;
  picture.m_valid = 1;
  picture.m_components = 3;
  CimageTestAccess::LoadJPEG(picture, stream, box, box, std::atoi(argv[3]));
  std::fclose(stream);
  if (picture.m_loadError) {
    std::fprintf(stderr, "%s did not load\n", argv[1]);
    return 1;
  }
  return 0;
}
