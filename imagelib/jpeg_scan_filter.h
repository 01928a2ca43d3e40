#pragma once
// At 1/8 scale the decoder rebuilds a component from each block's DC coefficient alone unless
// the component is subsampled against another (then its 2 × 2 transform reads AC coefficients
// too). A progressive file sends DC and AC in separate scans, so a thumbnail can skip most of the
// file's entropy-coded data without decoding it.
#include <cstddef>
#include <cstdint>

namespace ravelight {

// Which components (by the id the frame header gives them) need their AC scans.
struct AcNeeded {
  bool byComponentId[256] = {};
};

// Rewrites a progressive JPEG held in memory, in place, into one with the same headers and only
// the scans the 1/8 decode uses: every DC scan (first pass and refinements) and the AC scans of
// the components marked. Returns the new length, or 0 when the file is not one the walk follows
// (sequential or arithmetic-coded, a scan spanning several components' AC, restart markers out of
// order, no end marker, damaged segments); the buffer is then spoilt and the caller decodes the
// file as it stands.
size_t KeepEighthScaleScans(uint8_t* file, size_t size, const AcNeeded& acNeeded);

}  // namespace ravelight
