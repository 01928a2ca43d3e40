#pragma once
// What the main frame asks of its three panes: the folder tree, the Key view and the thumbnail
// view. The frame reaches them only through these calls.
#include <windows.h>

#include <string>

#include "command_routing.h"

bool CreateFolderTreePane(HWND parent, UINT id);
bool CreateKeyPane(HWND parent, UINT id);
bool CreateThumbnailPane(HWND parent, UINT id);

// The folder tree.
void ApplyFolderTreeOptions(bool showHidden, bool showLinks);
std::string FolderTreeSelectedPath();
void SelectFolderInTree(const std::string& path);
void RefreshFolderTree();
HWND FolderTreeWindow();
// The folder tree's own commands (new folder, rename, delete, properties, screen saver), which
// reach it from the menus and accelerators wherever the focus is; false for other commands.
bool RunFolderTreeCommand(UINT id);
bool UpdateFolderTreeCommand(CommandState& state);

// The thumbnail view.
void ShowFolderInThumbnailPane(const std::string& folder);
void RefreshThumbnailPane();
void FocusThumbnailPane();
// Lets go of the folder shown, before that folder is renamed or deleted.
void ClearThumbnailPane();
