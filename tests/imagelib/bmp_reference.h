#pragma once
// A plain 24-bit bottom-up Windows BMP written by the test itself, independent of the library.
#include <cstdint>
#include <vector>

#include "jpeg_reference.h"

std::vector<uint8_t> EncodeReferenceBmp(const ReferencePicture& rgb);
