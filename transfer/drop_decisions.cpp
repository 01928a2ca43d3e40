#include "drop_decisions.h"

#include "ascii_text.h"
#include "file_system.h"
#include "transfer_paths.h"

unsigned DragOverEffect(DropKeys keys, bool overScreenSaverItem) {
  if (overScreenSaverItem) return keys.control ? kDropLink : kDropCopy;
  if (keys.control && keys.shift) return kDropLink;
  return keys.control || keys.shift ? kDropCopy : kDropMove;
}

FileDropAction DecideFileDrop(DropKeys keys, bool onScreenSaverItem) {
  if (onScreenSaverItem || keys.control != keys.shift) return FileDropAction::kCopy;
  return keys.control ? FileDropAction::kShortcuts : FileDropAction::kMove;
}

FolderDropAction DecideFolderDrop(const std::string& folder, const std::string& destination, DropKeys keys) {
  const std::string parent = folder.substr(0, folder.size() - platform::FileNameOf(folder).size());
  if (IsSameFolder(destination, parent) || IsSameFolder(destination, folder)) return FolderDropAction::kNothing;
  if (keys.control && keys.shift) return FolderDropAction::kShortcut;
  if (IsSameOrInside(folder, destination)) return FolderDropAction::kRefuseIntoItself;
  if (keys.control || keys.shift) return FolderDropAction::kCopy;
  const bool sameVolume =
      !folder.empty() && !destination.empty() && platform::AsciiUpper(folder[0]) == platform::AsciiUpper(destination[0]);
  return sameVolume ? FolderDropAction::kMove : FolderDropAction::kAskCopyAcrossVolumes;
}
