// The file-transfer library stand-in: the RS.Dat store over SQLite and GUID texts.
#include "platform/FileTransfer/FileTransferTestHooks.h"
#include "platform/FileTransfer/RSDatabaseHelper.h"
#include "platform/FileTransfer/Utilities.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

std::string ToUtf8(const std::wstring& w)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    return s;
}

const GUID kGuid = { 0x0A1B2C3D, 0x4E5F, 0x6071, { 0x82, 0x93, 0xA4, 0xB5, 0xC6, 0xD7, 0xE8, 0xF9 } };

} // namespace

TEST(FileTransfer, GuidTextsRoundTrip)
{
    CString text = Utilities::GuidToStr(kGuid);
    EXPECT_EQ(text, L"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
    GUID back;
    ASSERT_TRUE(Utilities::StrToGuid(text, back));
    EXPECT_TRUE(IsEqualGUID(back, kGuid));
    EXPECT_TRUE(IsEqualGUID(Utilities::StrToGuid(L"0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9"), kGuid));

    for (const wchar_t* bad : { L"", L"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F}", L"0A1B2C3D4E5F607182939A4B5C6D7E8F9",
                                L"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FG}", L"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9",
                                L"not a guid at all, but 38 characters.." }) {
        GUID g = kGuid;
        EXPECT_FALSE(Utilities::StrToGuid(bad, g)) << bad;
        EXPECT_TRUE(IsEqualGUID(g, GUID_NULL)) << bad;
    }
    EXPECT_TRUE(IsEqualGUID(Utilities::StrToGuid(nullptr), GUID_NULL));
}

TEST(FileTransfer, StoreOpensFromAUtf8PathAndKeepsTransfers)
{
    // The store lies beside the resource module, whose folder may carry any letters.
    std::wstring dir = testsupport::TempDir(L"rsdat-\x4F60\x597D");
    std::string path = ToUtf8(dir + L"\\RS.Dat");
    RSDatabaseHelper* helper = RSDatabaseHelper::GetInstance();
    ASSERT_EQ(helper, RSDatabaseHelper::GetInstance());
    ASSERT_TRUE(helper->Init(path.c_str()));
    EXPECT_TRUE(helper->IsOpen());
    EXPECT_EQ(helper->GetPath(), path);
    EXPECT_NE(::GetFileAttributesW((dir + L"\\RS.Dat").c_str()), INVALID_FILE_ATTRIBUTES);

    RSTransferRecord rec;
    rec.strLocalPath = L"C:\\Downloads\\\x62A5\x544A.doc";
    rec.strFileName = L"\x62A5\x544A.doc";
    rec.nState = 2;
    rec.llBytesDone = 5000000000LL;
    rec.llTotalSize = 6000000000LL;
    ASSERT_TRUE(helper->SaveTransfer(kGuid, rec));
    rec.nState = 3;
    ASSERT_TRUE(helper->SaveTransfer(kGuid, rec)); // replaces
    EXPECT_EQ(helper->GetTransferCount(), 1);

    // Closed and opened again: the record is still there.
    ASSERT_TRUE(helper->Init(path.c_str()));
    RSTransferRecord loaded;
    ASSERT_TRUE(helper->LoadTransfer(kGuid, loaded));
    EXPECT_EQ(loaded.strLocalPath, rec.strLocalPath);
    EXPECT_EQ(loaded.strFileName, rec.strFileName);
    EXPECT_EQ(loaded.nState, 3);
    EXPECT_EQ(loaded.llBytesDone, 5000000000LL);
    EXPECT_EQ(loaded.llTotalSize, 6000000000LL);
    EXPECT_FALSE(helper->LoadTransfer(GUID_NULL, loaded));
    EXPECT_TRUE(helper->RemoveTransfer(kGuid));
    EXPECT_FALSE(helper->RemoveTransfer(kGuid));
    EXPECT_EQ(helper->GetTransferCount(), 0);

    helper->Close();
    EXPECT_FALSE(helper->IsOpen());
    EXPECT_FALSE(helper->SaveTransfer(kGuid, rec));
    testsupport::RemoveTree(dir);
}

TEST(FileTransfer, StoreInitFailsAreValues)
{
    std::wstring dir = testsupport::TempDir(L"rsdat-bad");
    RSDatabaseHelper* helper = RSDatabaseHelper::GetInstance();
    EXPECT_FALSE(helper->Init(nullptr));
    EXPECT_FALSE(helper->Init(""));
    EXPECT_FALSE(helper->Init(ToUtf8(dir).c_str())) << "a folder is no database";
    EXPECT_FALSE(helper->IsOpen());
    FileTransferTest_RefuseInit(true);
    EXPECT_FALSE(helper->Init(ToUtf8(dir + L"\\RS.Dat").c_str()));
    FileTransferTest_RefuseInit(false);
    EXPECT_TRUE(helper->Init(ToUtf8(dir + L"\\RS.Dat").c_str()));
    helper->Close();
    testsupport::RemoveTree(dir);
}
