#pragma once
// Text rules of the library's statements.
#include <string>

// The statement with every double-quoted token turned into a single-quoted string literal
// ("a""b" becomes 'a"b', a quote inside doubled), so that a value the callers put between
// double quotes never resolves to a column of the same name. Single-quoted literals,
// bracketed and back-quoted names and comments are left as they are.
std::wstring DoubleQuotesAsText(const wchar_t* pszSql);

// True when the text holds nothing but blanks and semicolons (the end of a batch).
bool IsBlankSql(const wchar_t* pszSql);
