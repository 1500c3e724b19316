// Names that other people chose, made safe to write in a folder the user chose, and a free name
// beside files that are already there.
#include "common/CSafeFileName.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <fstream>

TEST(CSafeFileName, CleanLeavesANameThatStaysInItsFolderAndIsNoDevice)
{
    struct Case {
        const wchar_t* sent;
        const wchar_t* clean;
    } cases[] = {
        {L"report.pdf", L"report.pdf"},
        {L"Quarterly report 2026.xlsx", L"Quarterly report 2026.xlsx"},
        // Path parts: relative, absolute, network, the other slash.
        {L"..\\..\\x.exe", L"x.exe"},
        {L"C:\\Windows\\System32\\evil.dll", L"evil.dll"},
        {L"\\\\server\\share\\a.txt", L"a.txt"},
        {L"../../etc/passwd", L"passwd"},
        {L"C:evil.exe", L"C_evil.exe"},
        // Devices, with any extension and in any case.
        {L"CON", L"_CON"},
        {L"nul.txt", L"_nul.txt"},
        {L"COM1", L"_COM1"},
        {L"LPT1.txt", L"_LPT1.txt"},
        {L"lpt9.tar.gz", L"_lpt9.tar.gz"},
        {L"Aux", L"_Aux"},
        {L"PRN.", L"_PRN"},
        {L"CON .txt", L"_CON .txt"},
        {L"conin$", L"_conin$"},
        {L"COM\x00B9.log", L"_COM\x00B9.log"},
        {L"CONSOLE.txt", L"CONSOLE.txt"},
        {L"COM10", L"COM10"},
        // What Windows drops or reads otherwise.
        {L"x.exe.", L"x.exe"},
        {L"x.exe . . ", L"x.exe"},
        {L"  leading blanks.txt", L"leading blanks.txt"},
        {L"file.txt:Zone.Identifier", L"file.txt_Zone.Identifier"},
        {L"a<b>c|d?e*f\"g", L"a_b_c_d_e_f_g"},
        {L"tab\there\r\n.txt", L"tab_here__.txt"},
        {L"invoice\x202Etxt.exe", L"invoice_txt.exe"},
        // Nothing left.
        {L"", L"attachment"},
        {L"..", L"attachment"},
        {L" . ", L"attachment"},
        {L"C:\\", L"C_\\"},
        {L"\\", L"attachment\\"},
        // Folder attachments keep their mark.
        {L"docs\\", L"docs\\"},
        {L"..\\..\\evil\\", L"evil\\"},
        {L"con\\", L"_con\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::wstring(c.clean), CSafeFileName::Clean(c.sent).GetString()) << CStringA(c.sent).GetString();
}

TEST(CSafeFileName, ALongNameIsShortenedAndKeepsItsExtension)
{
    const CString longName = CString(L'a', 300) + L".txt";
    const CString clean = CSafeFileName::Clean(longName);
    EXPECT_EQ(CSafeFileName::kMaxLength, clean.GetLength());
    EXPECT_EQ(CString(L".txt"), clean.Right(4));

    // A surrogate pair at the cut is not split.
    CString pairs;
    for (int i = 0; i < 200; ++i)
        pairs += L"\xD83D\xDE00";
    const CString cleanPairs = CSafeFileName::Clean(pairs);
    ASSERT_LE(cleanPairs.GetLength(), CSafeFileName::kMaxLength);
    const wchar_t last = cleanPairs[cleanPairs.GetLength() - 1];
    EXPECT_TRUE(last == 0xDE00) << "ends with a whole pair";
}

TEST(CSafeFileName, FreePathNumbersANameThatIsTakenOrWhosePartialFileIs)
{
    const std::wstring dir = testsupport::TempDir(L"safe_file_name");
    const CString folder = dir.c_str();
    EXPECT_EQ(folder + L"\\budget.xls", CSafeFileName::FreePath(folder + L"\\", L"budget.xls"));
    std::ofstream((dir + L"\\budget.xls").c_str()) << "Alice's";
    EXPECT_EQ(folder + L"\\budget (2).xls", CSafeFileName::FreePath(folder, L"budget.xls"));
    std::ofstream((dir + L"\\budget (2).xls.part").c_str()) << "someone's partial file";
    EXPECT_EQ(folder + L"\\budget (2).xls", CSafeFileName::FreePath(folder, L"budget.xls"));
    EXPECT_EQ(folder + L"\\budget (3).xls", CSafeFileName::FreePath(folder, L"budget.xls", L".part"));
    std::ofstream((dir + L"\\notes").c_str()) << "no extension";
    EXPECT_EQ(folder + L"\\notes (2)", CSafeFileName::FreePath(folder, L"notes"));
    ::CreateDirectoryW((dir + L"\\docs").c_str(), nullptr);
    EXPECT_EQ(folder + L"\\docs (2)\\", CSafeFileName::FreePath(folder, L"docs\\"));
    testsupport::RemoveTree(dir);
}
