#pragma once
// The database library's record of statements (see QorDBTestHooks.h).
#include "framework/Platform.h"

// Records the statement; true when a test asked for statements like it to fail.
bool QorDBRecordStatement(LPCWSTR pszSql);
// Counts a build of kept row positions (QorDBTest_GetPageIndexBuilds).
void QorDBNotePageIndexBuild();
// Counts a failed statement (CYqConnect::Fail).
void QorDBRecordFailure();
