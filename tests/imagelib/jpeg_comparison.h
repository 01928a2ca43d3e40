#pragma once
// Comparing JPEG files by what they hold rather than by their bytes.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

// Every DCT coefficient of the file, component by component, row of blocks by row of blocks;
// empty when the file does not read cleanly.
std::vector<int16_t> JpegCoefficients(const std::vector<uint8_t>& file);

// Both files decode (with the reference decoder) to pictures of the same size and samples.
::testing::AssertionResult DecodeAlike(const std::vector<uint8_t>& ours, const std::vector<uint8_t>& theirs);

// The component sampling factors of the frame header, horizontal × 16 + vertical each.
std::vector<int> SamplingFactors(const std::vector<uint8_t>& file);
