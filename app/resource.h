#pragma once
// Resource identifiers of Vireldan.exe.
#include "command_ids.h"

#define IDR_MAINFRAME 128
#define IDR_CONTEXT_MENUS 154
#define IDR_KEYMENU 164
#define IDR_KEYTOOLBAR 182
#define IDR_TIPS 293
#define IDC_CURSOR_DRAG 148
#define IDC_CURSOR_ZOOM 185

// The Key view's pictures: a plain key, a key the file carries, a key above one it carries, the
// folder item.
#define IDB_KEY_PLAIN 242
#define IDB_KEY_KEYED 253
#define IDB_KEY_PARENT 254
#define IDB_KEY_FOLDER 194

#define IDD_SHELL_OPTIONS 208
#define IDC_SHELL_JPG 1300
#define IDC_SHELL_GIF 1301
#define IDC_SHELL_TIF 1302
#define IDC_SHELL_BMP 1303
#define IDC_SHELL_PNG 1304
#define IDC_SHELL_PCX 1305
#define IDC_SHELL_FOLDER 1306

#define IDD_ABOUTBOX 100
#define IDD_LOWCOLOR 179
#define IDD_TIP 202
#define IDD_PROGRESS 314
#define IDD_CONFIRM_DELETE 184
#define IDD_DIR_PROPERTIES 223

#define IDC_DONTWARN 1199
#define IDC_PROGRESS_CANCEL 1086
#define IDC_VERSION 1133
#define IDC_TIPSTRING 1137
#define IDC_PROGRESS_LINE1 1266
#define IDC_PROGRESS_LINE2 1267
#define IDC_PROGRESS_BAR 1268
#define IDC_STARTUP 1273

// Confirm delete and Directory Properties.
#define IDC_DELETE_FILES 1113
#define IDC_DELETE_FOLDERS 1114
#define IDC_DELETE_KILOBYTES 1115
#define IDC_FOLDER_PATH 1116
#define IDC_DELETE_BUTTON 1117
#define IDC_PROPERTIES_FOLDERS 1178
#define IDC_PROPERTIES_FILES 1179
#define IDC_PROPERTIES_TOTAL 1180
#define IDC_PROPERTIES_AVAILABLE 1181
#define IDC_PROPERTIES_FREE 1182
