#pragma once
// What a drop on the folder tree does, from the keys held, the kind of item under the mouse and
// what is dropped: the effect shown while dragging, and the transfer a drop starts.
#include <string>

// The OLE drop effects, by their values.
enum DropEffectValue : unsigned { kDropNone = 0, kDropCopy = 1, kDropMove = 2, kDropLink = 4 };

struct DropKeys {
  bool control = false;
  bool shift = false;
};

// The effect the cursor shows over an item.
unsigned DragOverEffect(DropKeys keys, bool overScreenSaverItem);

enum class FileDropAction { kShortcuts, kMove, kCopy };

// Files dropped from outside or from the thumbnail view. The screen-saver folder only ever gets
// copies.
FileDropAction DecideFileDrop(DropKeys keys, bool onScreenSaverItem);

enum class FolderDropAction {
  kNothing,           // dropped where it is already (its parent or itself)
  kRefuseIntoItself,  // the destination lies inside the folder
  kShortcut,
  kAskCopyAcrossVolumes,  // a folder cannot be moved to another drive
  kMove,
  kCopy,
};

// A folder of the tree dropped on another of its folders.
FolderDropAction DecideFolderDrop(const std::string& folder, const std::string& destination, DropKeys keys);

// A progress window is shown for batches of more names than this.
constexpr int kNamesWithoutProgress = 100;
