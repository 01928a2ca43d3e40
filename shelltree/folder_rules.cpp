#include "folder_rules.h"

#include <vector>

#include "ascii_text.h"

const char kNotAFolderItemMessage[] = "Unable to rename.\nThis is not a folder item.";
const char kCannotDeleteMessage[] =
    "Drives, the Desktop, the Recycle Bin and items that are not folders on a disk can't be deleted.";
const char kBadFolderNameMessage[] =
    "A folder name can't be empty, \".\" or \"..\", end in a dot, or contain any of these characters:\n"
    "\\ / : * ? \" < > |";

namespace {

using platform::IsAsciiLetter;

// Where the part below the volume starts ("C:\" is 3 long, "\\server\share\" as long as it is);
// 0 when the path does not start with a volume.
size_t VolumeRootLength(const std::string& path) {
  if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\') return 3;
  if (path.size() < 5 || path[0] != '\\' || path[1] != '\\') return 0;
  const size_t serverEnd = path.find('\\', 2);
  if (serverEnd == std::string::npos || serverEnd == 2) return 0;
  const size_t shareEnd = path.find('\\', serverEnd + 1);
  if (shareEnd == serverEnd + 1) return 0;
  return shareEnd == std::string::npos ? path.size() : shareEnd + 1;
}

std::vector<std::string> ComponentsBelowRoot(const std::string& path, size_t rootLength) {
  std::vector<std::string> components;
  size_t start = rootLength;
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    components.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return components;
}

// A drive path written without its root backslash ("C:") is the drive itself.
std::string AsFolderPath(const std::string& path) {
  return path.size() == 2 && IsAsciiLetter(path[0]) && path[1] == ':' ? path + '\\' : path;
}

}  // namespace

bool IsAbsolutePath(const std::string& path) {
  const size_t root = VolumeRootLength(path);
  if (root == 0 || path.find_first_of("*?/") != std::string::npos) return false;
  std::vector<std::string> components = ComponentsBelowRoot(path, root);
  if (!components.empty() && components.back().empty()) components.pop_back();  // one trailing backslash
  for (const std::string& component : components)
    if (component.empty() || component == "." || component == "..") return false;
  return true;
}

bool IsBelowVolumeRoot(const std::string& path) {
  if (!IsAbsolutePath(path)) return false;
  const std::vector<std::string> components = ComponentsBelowRoot(path, VolumeRootLength(path));
  return !components.empty() && !components.front().empty();
}

bool CanMakeChildFolder(const FolderItemKind& item) {
  return (item.fileSystem || item.driveRoot) && !item.recycleBin && !item.screenSaver &&
         IsAbsolutePath(AsFolderPath(item.path));
}

bool CanMakeSiblingFolder(const FolderItemKind& item) {
  return item.fileSystem && !item.root && !item.driveRoot && !item.recycleBin && !item.screenSaver &&
         (item.link || IsBelowVolumeRoot(item.path));
}

bool CanStartRename(const FolderItemKind& item) { return item.fileSystem; }

bool CanRenameWithKey(const FolderItemKind& item) { return !item.driveRoot && !item.screenSaver; }

bool CanRenameInPlace(const FolderItemKind& item) {
  // A shortcut's path is its target's: renaming "it" would rename a folder elsewhere.
  return item.fileSystem && !item.root && !item.driveRoot && !item.recycleBin && !item.screenSaver && !item.link &&
         IsBelowVolumeRoot(item.path);
}

bool CanDeleteFolder(const FolderItemKind& item) {
  if (item.link) return IsBelowVolumeRoot(item.linkFile);
  return item.fileSystem && !item.root && !item.driveRoot && !item.recycleBin && !item.screenSaver &&
         IsBelowVolumeRoot(item.path);
}

bool CanShowProperties(const FolderItemKind& item) {
  return !item.recycleBin && !item.screenSaver && IsAbsolutePath(AsFolderPath(item.path));
}

bool CleanFolderLabel(const std::string& label, std::string& name) {
  const size_t first = label.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  name = label.substr(first, label.find_last_not_of(' ') - first + 1);
  // A date typed as "12/2001" is meant as a name, not as a folder inside another.
  for (char& c : name)
    if (c == '/') c = '_';
  // The system drops a name's trailing dots, so the folder would not get the name asked for.
  if (name == "." || name == ".." || name.back() == '.') return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (std::string("\\:*?\"<>|").find(c) != std::string::npos) return false;
  }
  return true;
}

std::string SiblingPath(const std::string& path, const std::string& name) {
  const size_t slash = path.find_last_of('\\');
  return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + name;
}

std::string DoubleNulList(const std::string& path) { return path + std::string(2, '\0'); }

bool DeleteNeedsConfirmation(const FolderCounts& counts, int nonnest, int nested, int allsize) {
  const uint64_t megabytes = counts.bytes / 1048576;
  return nonnest || (nested && counts.folders > 0) || (allsize < 0 || megabytes > uint64_t(allsize));
}

std::string PermanentDeleteQuestion(const std::string& path) {
  return "The drive of\n" + path +
         "\nhas no Recycle Bin: the folder and everything in it will be deleted permanently.\n\nDelete it anyway?";
}

std::string VolumeRootOf(const std::string& path) {
  const std::string folder = AsFolderPath(path);
  const size_t root = VolumeRootLength(folder);
  if (root == 0) return std::string();
  std::string volume = folder.substr(0, root);
  if (volume.back() != '\\') volume += '\\';
  return volume;
}
