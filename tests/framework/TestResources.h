#pragma once
// Resource ids of the framework test program.
#define IDD_TEST_DIALOG 100
#define IDD_TEST_PAGE1 201
#define IDC_TEST_EDIT 1001
#define IDC_TEST_CHECK 1002
#define IDC_PAGE_EDIT 1010
