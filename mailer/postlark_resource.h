#pragma once
// Postlark's own resources: dialogs, menu and control ids.

#define IDD_SETTINGS 102
#define IDD_MESSAGE 104
#define IDM_MESSAGE 107
#define IDD_CONTACTS 108
#define IDD_CONTACT 109
#define IDD_ATTACHMENTS 110

// Message window.
#define IDC_PROGRESS 1001
#define IDC_TEXT 1003
#define IDC_TO 1004
#define IDC_SUBJECT 1005
#define IDC_SETTINGS_COMMAND 1008
#define IDC_TO_LABEL 1009
#define IDC_SUBJECT_LABEL 1010
#define IDC_CC 1011
#define IDC_CC_LABEL 1012
#define IDC_SEND 1013
#define IDC_STOP 1014
#define IDC_STATUS 1016

// Settings.
#define IDC_SMTP_HOST 1000
#define IDC_REPLY_TO 1001
#define IDC_DO_RESIZE 1029
#define IDC_RESIZE_WIDTH 1031
#define IDC_RESIZE_HEIGHT 1032
#define IDC_RESIZE_QUALITY 1033

// Contacts and attachments.
#define IDC_NEW 1022
#define IDC_DELETE 1023
#define IDC_CONTACT_LIST 1024
#define IDC_CONTACT_NAME 1025
#define IDC_CONTACT_ADDRESS 1026
#define IDC_ATTACHMENT_LIST 1034

// Menu commands.
#define ID_MAIL_SAVE 40002
#define ID_MAIL_OPEN 40004
#define ID_MAIL_CONTACTS 40008
#define ID_MAIL_SETTINGS 40009
#define ID_MAIL_ATTACHMENTS 40010
