#pragma once
// Squeezing a cache file: dropping the entries whose image files are gone or changed.
#include <string>

#include "tnc_stream.h"

enum class TncSqueezeOutcome { kSkipped, kSqueezed, kDeleted, kFailed };

// Rewrites the cache file open in stream with only the entries whose image files (in folder) are
// still there with the same size and time, each with its JPEG, packed from offset 12 in chain
// order, with no stale entries and the current version (an old-layout file's creation times
// become last-write times). The new file is written beside the cache and then replaces it in one
// step, so that an interrupted squeeze leaves the cache as it was; a cache left without entries
// is deleted. The file gets the hidden attribute when hide is set.
// kSkipped, with the stream as it was, when the file is too short to hold an entry or has no
// readable header; after any other outcome the stream is closed.
TncSqueezeOutcome SqueezeTncFile(TncStream& stream, const std::string& folder, bool hide);

namespace tnc_testing {
// Called with a running number before every write of a squeeze and before the replacing step,
// so that a test can end the process at each of them. Null outside such tests.
extern void (*beforeSqueezeStep)(int step);
}  // namespace tnc_testing
