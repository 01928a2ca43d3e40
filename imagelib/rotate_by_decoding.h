#pragma once
#include <string>

namespace ravelight {

// What a file turn does when the lossless way cannot: decode the file at full size, turn the
// picture, save it with the library settings to the temporary name (whose extension picks the
// format). False when the file does not load or save, and for an animated GIF, whose other
// frames the save would lose.
bool TurnByDecoding(const std::string& path, const std::string& temporary, int operation);

}  // namespace ravelight
