#include "standin/QorDB/UnicodeLike.h"
#include "framework/Platform.h"
#include <sqlite3.h>
#include <string>

namespace {

std::wstring Folded(const unsigned char* utf8, int bytes)
{
    std::wstring w;
    if (!utf8 || bytes <= 0)
        return w;
    int n = ::MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(utf8), bytes, nullptr, 0);
    w.resize(static_cast<size_t>(n));
    ::MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(utf8), bytes, &w[0], n);
    if (n > 0)
        ::CharLowerBuffW(&w[0], static_cast<DWORD>(n));
    return w;
}

void LikeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    const unsigned char* pattern = sqlite3_value_text(argv[0]);
    const unsigned char* text = sqlite3_value_text(argv[1]);
    if (!pattern || !text) {
        sqlite3_result_null(ctx);
        return;
    }
    wchar_t escape = 0;
    if (argc == 3) {
        std::wstring e = Folded(sqlite3_value_text(argv[2]), sqlite3_value_bytes(argv[2]));
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e[0];
    }
    std::wstring p = Folded(pattern, sqlite3_value_bytes(argv[0]));
    std::wstring t = Folded(text, sqlite3_value_bytes(argv[1]));
    sqlite3_result_int(ctx, UnicodeLikeMatch(p.c_str(), t.c_str(), escape) ? 1 : 0);
}

} // namespace

bool UnicodeLikeMatch(const wchar_t* pattern, const wchar_t* text, wchar_t nEscape)
{
    // Glob matching with one backtrack point: the last "%" seen and where the text stood then.
    const wchar_t* starPattern = nullptr;
    const wchar_t* starText = nullptr;
    while (*text) {
        wchar_t pc = *pattern;
        bool literal = false;
        if (nEscape && pc == nEscape && pattern[1]) {
            pc = pattern[1];
            literal = true;
        }
        if (!literal && pc == L'%') {
            starPattern = ++pattern;
            starText = text;
            continue;
        }
        if (pc && (pc == *text || (!literal && pc == L'_'))) {
            pattern += literal ? 2 : 1;
            ++text;
            continue;
        }
        if (!starPattern)
            return false;
        pattern = starPattern;
        text = ++starText;
    }
    while (*pattern == L'%')
        ++pattern;
    return *pattern == 0;
}

bool RegisterUnicodeLike(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(db, "like", 2, flags, nullptr, LikeFunction, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function(db, "like", 3, flags, nullptr, LikeFunction, nullptr, nullptr) == SQLITE_OK;
}
