#pragma once
// What the Key view's parts share: the folders it works below, the Escape test of its long walks,
// the main window held still while they run, and its texts.
#include <windows.h>

#include <string>

#include "current_folders.h"
#include "disabled_window.h"
#include "key_walk_observer.h"

// A walk over folders stops when Escape is held or a progress window's Cancel was pressed. Made
// just before the walk: an earlier walk's cancel does not carry over.
class KeyWalkEscape : public KeyWalkObserver {
 public:
  KeyWalkEscape();
  bool CancelRequested() override;
};

constexpr char kDuplicateKeyNameMessage[] = "Duplicate key name";
// A key name is a path component: it cannot be empty or hold the separator of key paths.
constexpr char kBadKeyNameMessage[] = "A key name cannot be empty or contain \\";
// Followed by the key's path.
constexpr char kDeleteKeyQuestion[] = "Are you sure you want to delete the key \n\n";
constexpr char kExportFileName[] = "keyexport.htm";
constexpr char kExportOpenError[] = "Error opening output file";
constexpr char kExportWriteError[] = "Error writing output file";
