#pragma once
// Private messages between the shell folder tree control and its owner.
#include <windows.h>

// Posted by the tree to its parent when Tab is typed (wParam 9, lParam 0).
constexpr UINT WM_TREE_TAB = 0x433;
// To the tree: wParam the parent item, lParam the full path (const char*) of a folder just made
// under it.
constexpr UINT WM_TREE_ADDFOLDER = 0x434;
// To the tree: wParam the parent item, lParam the child item to remove.
constexpr UINT WM_TREE_DELETECHILD = 0x435;
// To the tree: wParam the parent item, lParam the full path (const char*) of a folder to insert.
constexpr UINT WM_TREE_INSERTFOLDER = 0x436;
