#pragma once
// What the main frame asks of its three panes: the folder tree, the Key view and the thumbnail
// view. The frame reaches them only through these calls.
#include <windows.h>

#include <string>

bool CreateFolderTreePane(HWND parent, UINT id);
bool CreateKeyPane(HWND parent, UINT id);
bool CreateThumbnailPane(HWND parent, UINT id);

// The folder tree.
void ApplyFolderTreeOptions(bool showHidden, bool showLinks);
std::string FolderTreeSelectedPath();
void SelectFolderInTree(const std::string& path);
void RefreshFolderTree();
HWND FolderTreeWindow();

// The thumbnail view.
void ShowFolderInThumbnailPane(const std::string& folder);
void RefreshThumbnailPane();
void FocusThumbnailPane();
