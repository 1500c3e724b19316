#pragma once
// LIKE for every language: SQLite's own LIKE folds only ASCII letters, so "Ä" would not find
// "ä" while a count and the rows the user sees may be built differently. The connection
// replaces like(pattern, text) and like(pattern, text, escape) with this one, which folds
// both sides the same way (the system's Unicode lower case) and knows "%", "_" and an
// ESCAPE character.
struct sqlite3;

// Registers the two forms on a connection; false when SQLite refuses them.
bool RegisterUnicodeLike(sqlite3* db);

// The match itself, on UTF-16 text (for tests of the library): nEscape 0 means none.
bool UnicodeLikeMatch(const wchar_t* pattern, const wchar_t* text, wchar_t nEscape);
