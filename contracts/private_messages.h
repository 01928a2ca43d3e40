#pragma once
// The program's private window messages (WM_USER is 0x400).
#include <windows.h>

#include "shell_tree_messages.h"  // 0x433 to 0x436, between the folder tree and its owners

constexpr UINT WM_DIR_CHANGED = 0x419;          // to the main frame: lParam a path or none
constexpr UINT WM_BATCH_DONE = 0x41B;
constexpr UINT WM_BATCH_PROGRESS = 0x41C;
constexpr UINT WM_THUMB_LOAD = 0x41D;           // view to loader
constexpr UINT WM_THUMB_READY = 0x41E;          // loader to main frame to view
constexpr UINT WM_THUMB_SET_EDGE = 0x41F;
constexpr UINT WM_THUMB_DELETE_CACHE = 0x422;
constexpr UINT WM_THUMB_LOCK_CACHE = 0x423;
constexpr UINT WM_THUMB_QUIT = 0x424;
constexpr UINT WM_THUMB_CLOSE_CACHE = 0x425;
constexpr UINT WM_THUMB_INVALIDATE = 0x426;
constexpr UINT WM_PROGRESS_REFRESH = 0x427;
constexpr UINT WM_PROGRESS_CLOSE = 0x429;
constexpr UINT WM_BATCHPRINT_CLOSED = 0x42A;
constexpr UINT WM_BATCHPRINT_START = 0x42B;
constexpr UINT WM_BATCHSHEET_CLOSED = 0x42C;
constexpr UINT WM_BATCH_START = 0x42D;
constexpr UINT WM_BATCHPRINT_SETUP = 0x42E;
constexpr UINT WM_BATCHPRINT_FONT = 0x42F;
constexpr UINT WM_COLOR_CHANGED = 0x430;
constexpr UINT WM_QUICKWEB_DONE = 0x431;
constexpr UINT WM_TREE_ENSUREVISIBLE = 0x432;        // to the folder tree pane
constexpr UINT WM_TREE_STARTFOLDER = 0x437;          // to the folder tree pane, at the first idle time
constexpr UINT WM_FILE_CHANGED = 0x438;             // a worker to the thumbnail view: wParam the path of a rewritten file
constexpr UINT WM_SELECT_ADJACENT = 0x43B;
constexpr UINT WM_MODELESS_OPENED = 0x43C;
constexpr UINT WM_MODELESS_CLOSED = 0x43D;
constexpr UINT WM_IMAGE_LOADED = 0x446;
constexpr UINT WM_SHOW_STARTUP_TIP = 0x447;
constexpr UINT WM_PRINT_QUEUED = 0x448;  // to the main frame: print the files queued for printing
