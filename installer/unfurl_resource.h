#pragma once
// Resource numbers of the installer's dialogs and their controls.
#define IDD_OPTIONS 129
#define IDD_HELP 131
#define IDD_COMPLETE 132
#define IDD_REPLACE 133
#define IDD_AGREEMENT 134
#define IDD_CHECKSUM 145
#define IDR_AGREEMENT_TEXT 144

#define IDC_START_MENU_LINK 1000
#define IDC_PROGRAM_GROUP 1001
#define IDC_DESKTOP_LINK 1002
#define IDC_TARGET 1003
#define IDC_OPTIONS_HELP 1004
#define IDC_AGREEMENT_TEXT 1006
