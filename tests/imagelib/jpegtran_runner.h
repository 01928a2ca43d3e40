#pragma once
// An independent lossless transformer to compare against: libjpeg-turbo's jpegtran. Natively the
// system's; in the Windows tree the jpegtran.exe cross-built beside our codec library
// (.deps/win32/bin), started as a child process.
#include <string>
#include <vector>

// Runs jpegtran with the options on input, writing output (both paths as the test program sees
// them). False, with the reason in why, when the tool is missing or fails.
bool RunJpegtran(const std::vector<std::string>& options, const std::string& input, const std::string& output,
                 std::string* why);

// jpegtran's option for a transform code 1 to 7 (flip horizontal, flip vertical, transpose,
// transverse, rotate 90, 180, 270), followed by -trim.
std::vector<std::string> JpegtranOptions(int transform);
