// Ids of the framework tests' resource module (test_framework_res.dll), shared by the resource
// script and the tests.
#pragma once

#define IDD_TEST_FORM 2001
#define IDD_TEST_MODAL 2002

#define IDC_TEST_NAME 1001
#define IDC_TEST_CHECK 1002
#define IDC_TEST_RADIO1 1003
#define IDC_TEST_RADIO2 1004
#define IDC_TEST_RADIO3 1005
#define IDC_TEST_COMBO 1006
#define IDC_TEST_LIST 1007
#define IDC_TEST_COUNT 1008
#define IDC_TEST_SIZE 1009
#define IDC_TEST_AFTER 1010

#define IDS_TEST_GREETING 3001
#define IDS_TEST_SINGLE 3002
#define IDS_TEST_PERCENT 3003
