// Key search over a folder tree with complete folder summaries against the same tree without
// any, in one run. The tree: ROOT\plain and ROOT\compiled, each 10 group folders of 100 folders
// of 100 picture files (made by key_search.sh). The first run keys every file of both trees with
// two of 20 keys (five under each of four parents), the same in both, and compiles the summaries
// of ROOT\compiled. Each run then searches both trees for one key, alternating; the best time of
// each is printed with the folders opened and the hits found.
// key_search_bench ROOT [RUNS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "key_index.h"
#include "key_tree.h"
#include "name_node.h"

namespace {

constexpr int kGroups = 10, kFoldersPerGroup = 100, kFilesPerFolder = 100, kKeys = 20;
const char kSearchedKey[] = "Topic1\\Key6";

std::string KeyPath(int key) { return "Topic" + std::to_string(key / 5) + "\\Key" + std::to_string(key); }

std::string Numbered(const char* prefix, int number, int digits) {
  std::string text = std::to_string(number);
  return prefix + std::string(digits - text.size(), '0') + text;
}

// The master key of path, bound to an item the way the Key view binds it (the node stands in).
CKeyIndex::TreeItem Item(CKeyIndex& index, const std::string& path) {
  CKeyNode* node = FindOrInsertPath(index.MasterTree(), path);
  node->treeItem = node;
  return node;
}

bool KeyEveryFile(CKeyIndex& index, const std::string& tree) {
  for (int group = 0; group < kGroups; ++group)
    for (int folder = 0; folder < kFoldersPerGroup; ++folder) {
      const std::string path = tree + "\\" + Numbered("g", group, 1) + "\\" + Numbered("f", folder, 2);
      const int seed = group * kFoldersPerGroup + folder;
      for (int file = 0; file < kFilesPerFolder; ++file) {
        const std::string name = path + "\\" + Numbered("img", file, 3) + ".jpg";
        index.SetFileKey(Item(index, KeyPath((file + seed) % kKeys)), name, true);
        index.SetFileKey(Item(index, KeyPath((file * 7 + seed * 3 + 1) % kKeys)), name, true);
      }
      if (!index.SaveFolder()) return false;
    }
  return true;
}

class FolderCount : public KeyWalkObserver {
 public:
  void SearchReached(const std::string&) override { ++folders; }
  int folders = 0;
};

struct Search {
  double seconds = 1e9;
  int folders = 0;
  int hits = 0;
};

double Now() {
  LARGE_INTEGER count, frequency;
  ::QueryPerformanceCounter(&count);
  ::QueryPerformanceFrequency(&frequency);
  return double(count.QuadPart) / double(frequency.QuadPart);
}

void Time(CKeyIndex& index, const std::string& tree, Search& best) {
  FolderCount count;
  const double start = Now();
  index.SearchKey(tree, Item(index, kSearchedKey), count);
  const double seconds = Now() - start;
  int hits = 0;
  for (const CNameNode* hit = index.Results(); hit; hit = hit->next) ++hits;
  index.FreeResults();
  if (seconds < best.seconds) best.seconds = seconds;
  best.folders = count.folders;
  best.hits = hits;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: key_search_bench ROOT [RUNS]\n");
    return 2;
  }
  const std::string root = argv[1];
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::string plain = root + "\\plain", compiled = root + "\\compiled";
  CKeyIndex index;
  if (::GetFileAttributesA((compiled + "\\g0\\vireldan.iif").c_str()) == INVALID_FILE_ATTRIBUTES) {
    KeyWalkObserver quiet;
    if (!KeyEveryFile(index, plain) || !KeyEveryFile(index, compiled)) {
      std::fprintf(stderr, "the trees could not be keyed\n");
      return 1;
    }
    index.Compile(compiled, quiet);
  }
  Search without, with;
  for (int run = 0; run < runs; ++run) {
    Time(index, plain, without);
    Time(index, compiled, with);
  }
  if (without.hits != with.hits) {
    std::fprintf(stderr, "the searches disagree: %d hits without summaries, %d with\n", without.hits, with.hits);
    return 1;
  }
  std::printf("without seconds %.4f folders %d hits %d with seconds %.4f folders %d hits %d ratio %.4f\n",
              without.seconds, without.folders, without.hits, with.seconds, with.folders, with.hits,
              with.seconds / without.seconds);
  return 0;
}
