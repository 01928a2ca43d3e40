#pragma once
// What the main frame and the image windows ask of the three panes: the folder tree, the Key view
// and the thumbnail view. They reach the panes only through these calls.
#include <windows.h>

#include <string>
#include <vector>

#include "Cimage.h"
#include "command_routing.h"
#include "key_index.h"

// A contact sheet's cell, of the output features; the pane hands the sheet its files.
struct ContactSheetItem;

bool CreateFolderTreePane(HWND parent, UINT id);
bool CreateKeyPane(HWND parent, UINT id);
// notify receives the thumbnail loader's results (WM_THUMB_READY).
bool CreateThumbnailPane(HWND parent, UINT id, HWND notify);

// The folder tree.
void ApplyFolderTreeOptions(bool showHidden, bool showLinks);
std::string FolderTreeSelectedPath();
bool FolderTreeOnScreenSaverItem();
void SelectFolderInTree(const std::string& path);
void RefreshFolderTree();
// Opens the selected folder's branch, so its subfolders show.
void ExpandFolderTreeSelection();
// A drive's medium came or went: the tree forgets the folders of the drive of the mask's lowest
// bit.
void RefreshFolderTreeDrive(DWORD unitMask);
HWND FolderTreeWindow();
// The files the thumbnail view starts to drag out, or none when its drag is over.
void SetFolderTreeDraggedFiles(const std::vector<std::string>& paths);
// The folder tree's own commands (new folder, rename, delete, properties, screen saver), which
// reach it from the menus and accelerators wherever the focus is; false for other commands.
bool RunFolderTreeCommand(UINT id);
bool UpdateFolderTreeCommand(CommandState& state);

// The Key view. Its selected key, none while its folder item is selected: the Key menu's AND and
// AND NOT filter the thumbnail view by it.
CKeyIndex::TreeItem KeyPaneSelection();
// The Key view's commands (the Key menu and its context menu), wherever the focus is.
bool KeyPaneCommand(UINT id);
bool UpdateKeyPaneCommand(CommandState& state);
// Shows the keys learnt since, under the folder now shown.
void RefreshKeyPane();

// The thumbnail view.
// Its window, none before the pane is made: the image windows post it their steps through its
// files (WM_SELECT_ADJACENT).
HWND ThumbnailPaneWindow();
void ShowFolderInThumbnailPane(const std::string& folder);
// False while it shows search hits, a subfolder listing or a key filter.
bool ThumbnailPaneShowsPlainFolder();
void RefreshThumbnailPane();
// Moves each series of the folder shown into a subfolder of its own.
void AutoSortThumbnailPane();
// The thumbnail size of the settings, laid out anew.
void ApplyThumbnailSizeInPane();
void FocusThumbnailPane();
// The slide show's marks in the view; nothing before the pane is made.
void DeselectAllInThumbnailPane();
void SelectInThumbnailPane(int id);
// Lets go of the folder shown (its cache file and change notification), before that folder is
// renamed or deleted.
void ClearThumbnailPane();
// Keeps the files that carry the key (exclude: those that do not).
void FilterThumbnailPaneByKey(CKeyIndex::TreeItem key, bool exclude);
void ThumbnailReadyInPane();
void StopThumbnailLoader();
// Returns once the loader has let go of the files of the folder shown, before they are moved.
void WaitForThumbnailLoaderIdle();
void ClearThumbnailOpenQueue();
// Opens the next queued file at idle; true when it opened one.
bool ProcessThumbnailOpenQueue();
// The thumbnail view's commands, whichever pane has the focus.
bool ThumbnailPaneCommand(UINT id);
// The paths of the view's files in its order: all of them, or the selected ones.
std::vector<std::string> ThumbnailPanePaths(bool selectedOnly);
// A copy of the thumbnail the view holds for a path; false when it holds none.
bool CopyPaneThumbnail(const std::string& path, Cimage& copy);
// The view's files for a contact sheet, all or the selected ones; composed is set when the view
// shows a composed list (subfolder contents, key-search or key-filter results), not one folder.
std::vector<ContactSheetItem> ThumbnailPaneSheetItems(bool selectedOnly, bool* composed = nullptr);
// The path of the one selected file; false unless exactly one is selected.
bool SingleSelectedThumbnailPath(std::string& path);
bool UpdateThumbnailPaneCommand(CommandState& state);
