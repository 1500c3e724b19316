#pragma once
// Resource numbers of QorView.dll's own resources.

// Status texts: IDS_QORVIEW_STATUS_BASE + status (the base itself is "Offline").
#define IDS_QORVIEW_STATUS_BASE 100
#define IDS_QORVIEW_CORE_ERROR 130

// The password prompt
#define IDD_QORVIEW_CHECK_PASSWORD 200
#define IDC_QORVIEW_PASSWORD 201
