#pragma once
// A small GIF reader written for the tests from the format's description, independent of
// Ravelight: it takes the first image of a file apart and reports how it was encoded.
#include <cstdint>
#include <string>
#include <vector>

struct ReferenceGif {
  std::string error;  // empty when the file decoded cleanly
  std::string signature;
  int width = 0;
  int height = 0;
  int screenFlags = 0;
  int background = 0;
  int aspect = 0;
  std::vector<uint8_t> globalTable;  // 3 bytes per entry: red, green, blue
  int imageLeft = 0;
  int imageTop = 0;
  int imageFlags = 0;
  int codeSize = 0;                  // the initial code size byte
  std::vector<int> blockSizes;       // data sub-blocks in order, without the ending empty one
  int clearCodes = 0;                // every clear code in the data, the leading one included
  bool endCode = false;              // the data ended with the end code
  bool trailer = false;              // ';' follows the image data
  std::vector<uint8_t> indices;      // width × height, rows top first
};

ReferenceGif DecodeReferenceGif(const std::vector<uint8_t>& file);
