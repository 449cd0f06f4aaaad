#pragma once
// Resource ids of the framework test program.
#define IDD_TEST_DIALOG 100
#define IDD_TEST_PAGE1 201
