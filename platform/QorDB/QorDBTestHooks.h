#pragma once
// Recording and scripting of the database library for tests: the statements that went
// through CYqRecordset::Open and CYqConnect::Execute, and statements made to fail.
#include "framework/CString.h"
#include <vector>

// Every statement since the last clear, oldest first (bounded to the last 2000).
std::vector<CString> QorDBTest_GetStatements();
void QorDBTest_ClearStatements();
// Statements containing this text fail (Open and Execute return false) until cleared with
// an empty or null text; the first nLetThrough of them still run.
void QorDBTest_FailStatementsContaining(LPCWSTR pszText, int nLetThrough = 0);
// The next statement containing this text, after nLetThrough of them have run, waits where it
// is (the connection stays taken) until QorDBTest_ReleaseHeld; QorDBTest_IsHolding tells when a
// statement waits. Only one statement is held; a null or empty text asks for none.
void QorDBTest_HoldStatementContaining(LPCWSTR pszText, int nLetThrough = 0);
bool QorDBTest_IsHolding();
void QorDBTest_ReleaseHeld();
// Statements of any connection that failed (refused, unprepared, or failed while running, a
// failed commit included) since the last clear.
long QorDBTest_FailureCount();
void QorDBTest_ClearFailureCount();
// How many times the library has (re)built kept row positions for deep pages since the process
// began: an unchanged database serves every later page of the same list without a rebuild.
int QorDBTest_GetPageIndexBuilds();
