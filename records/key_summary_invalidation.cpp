#include "file_system.h"
#include "key_index.h"
#include "key_index_file.h"
#include "path_separators.h"

void CKeyIndex::InvalidateSummaries(const std::string& folder) {
  std::string parent = platform::WithoutTrailingSeparators(folder);
  for (;;) {
    size_t at = parent.size();
    while (at > 0 && !platform::IsPathSeparator(parent[at - 1])) --at;
    // A separator at the very start is the POSIX root, which keeps no index of ours.
    if (at <= 1) return;
    parent.resize(at - 1);
    if (!ClearKeyIndexSummary(parent + platform::kPathSeparator + kKeyIndexFileName)) writeError_ = true;
  }
}
