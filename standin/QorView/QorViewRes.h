#pragma once
// Resource numbers of QorView.dll's own resources.

// Status texts: IDS_QORVIEW_STATUS_BASE + status (the base itself is "Offline").
#define IDS_QORVIEW_STATUS_BASE 100
#define IDS_QORVIEW_CORE_ERROR 130
// The core's texts of the error numbers it reports.
#define IDS_QORVIEW_ERR_LOGIN_NAME 131
#define IDS_QORVIEW_ERR_PASSWORD 132
#define IDS_QORVIEW_ERR_NEEDS_TLS 133
#define IDS_QORVIEW_ERR_NO_MECHANISM 134
#define IDS_QORVIEW_ERR_PROTOCOL 135
#define IDS_QORVIEW_ERR_UNREACHABLE 136
#define IDS_QORVIEW_ERR_NO_ANSWER 137

// The password prompt
#define IDD_QORVIEW_CHECK_PASSWORD 200
#define IDC_QORVIEW_PASSWORD 201

// The signed-in panel
#define IDD_QORVIEW_MAIN_PANEL 210
#define IDC_QORVIEW_MAIN_USER 211
#define IDC_QORVIEW_MAIN_STATUS 212
#define IDC_QORVIEW_MAIN_SERVER 213
#define IDC_QORVIEW_MAIN_EDIT 214
