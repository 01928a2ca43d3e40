#include "shared_reading.h"

namespace platform {

// POSIX never lets an open file stand in the way of a rename or an unlink.
std::FILE* OpenForSharedReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

}  // namespace platform
