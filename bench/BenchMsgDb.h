#pragma once
// The generated message database the benchmarks share: one per size, kept in the work folder and
// reused while its stamp says it is whole (building a million messages takes minutes).
#include "bench/Bench.h"
#include "framework/CString.h"
#include <string>

// ASCII of a text for the table ("?" for anything else).
std::string BenchNarrow(const CString& s);

// The database of options.messages messages, built when it is missing or spoilt; the build time
// goes to *pBuildMs. Empty (with a note in the table) when it could not be built.
std::wstring BenchMsgDbPath(const BenchOptions& options, BenchTable& table, double* pBuildMs = nullptr);
// The stamp file that marks the database whole; a benchmark that changes the database removes it.
std::wstring BenchMsgDbStamp(const std::wstring& dbPath);
// A private copy of the shared database for a benchmark that changes it; empty when the copy failed.
std::wstring BenchMsgDbCopy(const BenchOptions& options, BenchTable& table, const wchar_t* pszName);
