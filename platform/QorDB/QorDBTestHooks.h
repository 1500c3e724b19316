#pragma once
// Recording and scripting of the database library for tests: the statements that went
// through CYqRecordset::Open and CYqConnect::Execute, and statements made to fail.
#include "framework/CString.h"
#include <vector>

// Every statement since the last clear, oldest first (bounded to the last 2000).
std::vector<CString> QorDBTest_GetStatements();
void QorDBTest_ClearStatements();
// Statements containing this text fail (Open and Execute return false) until cleared with
// an empty or null text.
void QorDBTest_FailStatementsContaining(LPCWSTR pszText);
