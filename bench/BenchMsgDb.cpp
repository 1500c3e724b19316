#include "bench/BenchMsgDb.h"
#include "bench/MsgDbGenerator.h"
#include <windows.h>
#include <cstdio>

std::string BenchNarrow(const CString& s)
{
    std::string r;
    for (int i = 0; i < s.GetLength(); ++i)
        r += s[i] < 0x80 ? static_cast<char>(s[i]) : '?';
    return r;
}

std::wstring BenchMsgDbStamp(const std::wstring& dbPath) { return dbPath + L".built"; }

std::wstring BenchMsgDbPath(const BenchOptions& options, BenchTable& table, double* pBuildMs)
{
    const std::wstring path = options.workDir + L"\\msgdb-" + std::to_wstring(options.messages) + L".db";
    const std::wstring stamp = BenchMsgDbStamp(path);
    double buildMs = -1;
    if (FILE* f = _wfopen(stamp.c_str(), L"r")) {
        if (std::fscanf(f, "%lf", &buildMs) != 1)
            buildMs = -1;
        std::fclose(f);
    }
    if (buildMs < 0) {
        ::DeleteFileW(stamp.c_str());
        MsgDbGenOptions gen;
        gen.messages = options.messages;
        MsgDbGenResult result;
        CString error;
        if (!GenerateMsgDb(path.c_str(), gen, &result, &error)) {
            table.Note("building the message database failed: " + BenchNarrow(error));
            return std::wstring();
        }
        buildMs = result.ms;
        if (FILE* f = _wfopen(stamp.c_str(), L"w")) {
            std::fprintf(f, "%.0f\n", buildMs);
            std::fclose(f);
        }
        char line[256];
        std::snprintf(line, sizeof line,
                      "built %d messages (%d received, %d sent, %d filed; %d attachments, %d receipts, %d talks)",
                      options.messages, result.received, result.sent, result.filed, result.attachments,
                      result.receipts, result.talks);
        table.Note(line);
    }
    if (pBuildMs)
        *pBuildMs = buildMs;
    return path;
}

std::wstring BenchMsgDbCopy(const BenchOptions& options, BenchTable& table, const wchar_t* pszName)
{
    const std::wstring shared = BenchMsgDbPath(options, table);
    if (shared.empty())
        return shared;
    const std::wstring copy = options.workDir + L"\\" + pszName + L"-" + std::to_wstring(options.messages) + L".db";
    if (!::CopyFileW(shared.c_str(), copy.c_str(), FALSE)) {
        table.Note("copying the message database failed");
        return std::wstring();
    }
    return copy;
}
