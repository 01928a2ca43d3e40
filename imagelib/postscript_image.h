#pragma once
// A picture as PostScript of its own, for printer drivers that take PostScript passed through:
// Wine's driver writes a bitmap handed to StretchDIBits in lines of 60 characters, each one a
// write of its own, so a photograph of a few hundred thousand pixels costs tens of thousands of
// writes; passed through, the same picture goes in a handful of blocks.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace ravelight {

// The picture's rows, top row first, blue, green, red per pixel, rows stride bytes apart.
struct BgrRows {
  const uint8_t* pixels = nullptr;
  int width = 0, height = 0, stride = 0;
};

// Receives the PostScript in blocks of at most the block size given; false stops the writing.
using PostScriptSink = std::function<bool(const char* data, size_t size)>;

// Writes the PostScript that paints the picture into the rectangle x, y, width × height of the
// driver's device space (device pixels, y growing downwards, as a PostScript driver sets up a
// page for what is passed through): gsave, the image operator on ASCII85 data of the pixels in
// red, green, blue order, grestore. No line is longer than 76 characters and none starts with
// "%", which a spooler could take for a comment of its own. Returns false when the sink refused a
// block (nothing more was written) or the picture or the block size is unusable.
bool WritePostScriptImage(const BgrRows& rows, int x, int y, int width, int height, size_t blockSize,
                          const PostScriptSink& sink);

}  // namespace ravelight
