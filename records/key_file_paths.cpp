#include "key_file_paths.h"

#include "ascii_text.h"
#include "path_separators.h"
#include "shortcut.h"

FileInFolder SplitFilePath(const std::string& path) {
  FileInFolder split;
  split.name = platform::FileNameOf(path);
  split.folder = platform::WithoutTrailingSeparators(path.substr(0, path.size() - split.name.size()));
  return split;
}

std::string KeyedFilePath(const std::string& path) {
  constexpr char kShortcutExtension[] = ".LNK";
  const size_t length = sizeof kShortcutExtension - 1;
  if (path.size() <= length || platform::AsciiUpper(path.substr(path.size() - length)) != kShortcutExtension)
    return path;
  std::string target = path;
  // The long form: the key is kept under the name the folder listing shows.
  return platform::ResolveShortcutTarget(target, platform::TargetForm::kLong) ? target : path;
}
