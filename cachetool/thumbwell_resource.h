#pragma once
// Thumbwell's resource and control numbers.
#define IDD_THUMBWELL_ABOUT 100
#define IDS_ABOUT_THUMBWELL 101
#define IDD_THUMBWELL 102
#define IDI_THUMBWELL 128
#define IDM_ABOUT_THUMBWELL 16
#define IDC_BUILD_CACHE 1000
#define IDC_FOLDER_TREE 1002
#define IDC_BUILD_PATH 1010
#define IDC_BUILD_FILE 1011
#define IDC_BUILD_PREVIEW 1012
