#pragma once
#define IDD_EXCHANGE 500
#define IDC_NUMBER 501
#define IDC_NAME 502
#define IDC_ENABLED 503
#define IDC_FIRST 504
#define IDC_SECOND 505
#define IDC_THIRD 506
