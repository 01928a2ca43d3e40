#pragma once
// Decoding an image file at thumbnail size: the loader's one call into the image library's
// decoders. Tests put their own decoder in its place to count decodes or to hold one up.
#include <string>

class Cimage;

using ThumbDecoder = void (*)(const std::string& path, int edge, Cimage& image);

// Loads path into image fitted into an edge x edge box; the outcome is in the image's flags.
void DecodeThumbnail(const std::string& path, int edge, Cimage& image);

// Makes decoder the one DecodeThumbnail uses (null: the image library's); returns the one before.
ThumbDecoder ReplaceThumbDecoder(ThumbDecoder decoder);
