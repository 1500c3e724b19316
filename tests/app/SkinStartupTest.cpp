// Start-up's resource steps: the resource module, and the skin archive with its fallbacks (copy
// from the program folder, extraction to qor_res.dat, a refused provider).
#include "tests/app/AppTestSupport.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "platform/xDUI/CResourceManager.h"
#include "platform/xDUI/CxQorResourceProvider.h"
#include "platform/xDUI/xDUITestHooks.h"
#include <gtest/gtest.h>

namespace {

bool FileExists(const std::wstring& path)
{
    DWORD a = ::GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// An application whose in-memory read of the skin stream fails, as on a machine short of memory
// or with a damaged archive entry that can still be extracted.
class CUnreadableSkinApp : public CKorvelApp {
protected:
    bool ReadSkinStream(xDuiLib::CxQorResourceProvider&, void*, DWORD) override
    {
        ++m_nReads;
        return false;
    }

public:
    int m_nReads = 0;
};

class SkinStartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        xDuiLib::UIGetResourceManager()->Reset();
        xDuiLib::xDuiTest_ResetCounters();
        xDuiLib::xDuiTest_RefuseProviders(0);
        qorview_test::ClearCalls();
        qorview_test::ClearMessageBoxAnswers();
        m_programDir = testsupport::TempDir(L"korvel_skin_program");
        m_skinDir = testsupport::TempDir(L"korvel_skin_folder");
    }
    void TearDown() override
    {
        // The manager keeps the providers by pointer: none may outlive the application object.
        xDuiLib::UIGetResourceManager()->Reset();
        xDuiLib::xDuiTest_RefuseProviders(0);
        qorview_test::ClearMessageBoxAnswers();
        testsupport::RemoveTree(m_programDir);
        testsupport::RemoveTree(m_skinDir);
    }
    void PutArchiveInProgramDir()
    {
        ASSERT_TRUE(::CopyFileW((testsupport::ExeDir() + L"\\res.adat").c_str(),
                                (m_programDir + L"\\res.adat").c_str(), FALSE));
    }

    std::wstring m_programDir;
    std::wstring m_skinDir;
};

} // namespace

TEST_F(SkinStartupTest, MissingArchiveIsCopiedFromTheProgramFolderAndReadFromMemory)
{
    PutArchiveInProgramDir();
    CKorvelApp app;
    app.m_strProgramDir = m_programDir.c_str();
    ASSERT_TRUE(app.PrepareSkin(m_skinDir.c_str()));
    EXPECT_TRUE(FileExists(m_skinDir + L"\\res.adat"));
    EXPECT_FALSE(FileExists(m_programDir + L"\\qor_res.dat"));
    EXPECT_TRUE(app.m_ZipResourceProvider.IsReady());
    EXPECT_GT(app.m_ZipResourceProvider.GetEntryCount(), 0);
    EXPECT_EQ(xDuiLib::UIGetResourceManager()->GetProviderCount(), 1);
    // The view library was asked to clear an old archive first.
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewBaseFun::DeleteSkin"), m_skinDir + L"\\res.adat");
}

TEST_F(SkinStartupTest, ArchiveThatCannotBeFoundOrCopiedEndsTheStart)
{
    CKorvelApp app;
    app.m_strProgramDir = m_programDir.c_str(); // no res.adat here either
    EXPECT_FALSE(app.PrepareSkin(m_skinDir.c_str()));
    EXPECT_EQ(xDuiLib::xDuiTest_GetRegistrationCount(), 0);
    EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 0); // silently
}

TEST_F(SkinStartupTest, StreamThatCannotBeReadIntoMemoryIsUsedThroughQorResDat)
{
    PutArchiveInProgramDir();
    ASSERT_TRUE(::CopyFileW((m_programDir + L"\\res.adat").c_str(), (m_skinDir + L"\\res.adat").c_str(), FALSE));
    CUnreadableSkinApp app;
    app.m_strProgramDir = m_programDir.c_str();
    ASSERT_TRUE(app.PrepareSkin(m_skinDir.c_str()));
    EXPECT_EQ(app.m_nReads, 1);
    EXPECT_TRUE(FileExists(m_programDir + L"\\qor_res.dat"));
    EXPECT_TRUE(app.m_ZipResourceProvider.IsReady());
    // The skin description is readable through the extracted file.
    std::string data;
    EXPECT_TRUE(xDuiLib::UIGetResourceManager()->GetResourceData(L"skin.xml", data));
    EXPECT_FALSE(data.empty());
}

TEST_F(SkinStartupTest, RefusedProviderShowsLoadResourceFailedAndEndsTheStart)
{
    PutArchiveInProgramDir();
    xDuiLib::xDuiTest_RefuseProviders(1);
    qorview_test::PushMessageBoxAnswer(IDOK);
    CKorvelApp app;
    app.m_strProgramDir = m_programDir.c_str();
    EXPECT_FALSE(app.PrepareSkin(m_skinDir.c_str()));
    ASSERT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 1);
    std::wstring args = qorview_test::LastArgs(L"QorMessageBox");
    EXPECT_EQ(args.rfind(L"Load resource failed|", 0), 0u) << args;
    EXPECT_NE(args.find(L"|48"), std::wstring::npos) << args; // MB_ICONWARNING (0x30)
}

TEST_F(SkinStartupTest, MissingResourceModuleEndsTheStartWithAClearMessage)
{
    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", L"1");
    CKorvelApp app;
    app.m_strProgramDir = m_programDir.c_str(); // no QorResource.dll here
    HINSTANCE before = AfxGetResourceHandle();
    EXPECT_FALSE(app.LoadResourceModule());
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_NE(app.m_strStartupError.Find(L"QorResource.dll"), -1);
    ::SetEnvironmentVariableW(L"KORVEL_NO_STARTUP_BOX", nullptr);
}

TEST_F(SkinStartupTest, ResourceModuleBesideTheProgramBecomesTheResourceHandle)
{
    CKorvelApp app;
    app.m_strProgramDir = testsupport::ExeDir().c_str();
    HINSTANCE before = AfxGetResourceHandle();
    ASSERT_TRUE(app.LoadResourceModule());
    HINSTANCE loaded = AfxGetResourceHandle();
    EXPECT_EQ(loaded, ::GetModuleHandleW(L"QorResource.dll"));
    EXPECT_TRUE(app.m_strStartupError.IsEmpty());
    AfxSetResourceHandle(before);
    ::FreeLibrary(loaded);
}
