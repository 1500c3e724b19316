// Run-time class information (RUNTIME_CLASS, IsKindOf, dynamic creation) across the DLL
// boundary, and the reference count of CCmdTarget.
#include "framework/CCmdTarget.h"
#include "framework/CDialog.h"
#include "framework/CWnd.h"
#include <gtest/gtest.h>

namespace {

class CTestPanel : public CWnd {
    DECLARE_DYNCREATE(CTestPanel)
};
IMPLEMENT_DYNCREATE(CTestPanel, CWnd)

class CTestSubPanel : public CTestPanel {
    DECLARE_DYNAMIC(CTestSubPanel)
};
IMPLEMENT_DYNAMIC(CTestSubPanel, CTestPanel)

TEST(RuntimeClassTest, ClassesKnowTheirNamesAndBases)
{
    CTestSubPanel sub;
    CObject* pObject = &sub;
    EXPECT_STREQ(pObject->GetRuntimeClass()->m_lpszClassName, "CTestSubPanel");
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestSubPanel)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTestPanel)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_FALSE(pObject->IsKindOf(nullptr));

    CDialog dlg;
    EXPECT_STREQ(dlg.GetRuntimeClass()->m_lpszClassName, "CDialog");
    EXPECT_FALSE(dlg.IsKindOf(RUNTIME_CLASS(CTestPanel)));
}

TEST(RuntimeClassTest, DynamicallyCreatableClassesAreMadeByDescription)
{
    CObject* pObject = RUNTIME_CLASS(CTestPanel)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    EXPECT_STREQ(pObject->GetRuntimeClass()->m_lpszClassName, "CTestPanel");
    delete pObject;
    EXPECT_EQ(RUNTIME_CLASS(CTestSubPanel)->CreateObject(), nullptr) << "DECLARE_DYNAMIC only";
}

class CCountedTarget : public CCmdTarget {
public:
    static int s_deleted;
    int finalReleases = 0;
    bool deleteOnFinal = true;
    ~CCountedTarget() override { ++s_deleted; }
    void OnFinalRelease() override
    {
        ++finalReleases;
        if (deleteOnFinal)
            CCmdTarget::OnFinalRelease();
    }
};
int CCountedTarget::s_deleted = 0;

TEST(CmdTargetTest, TheLastReleaseDeletesTheObjectOnce)
{
    CCountedTarget::s_deleted = 0;
    auto* p = new CCountedTarget;
    EXPECT_EQ(p->InternalAddRef(), 2u);
    EXPECT_EQ(p->ExternalAddRef(), 3u);
    EXPECT_EQ(p->ExternalRelease(), 2u);
    EXPECT_EQ(p->InternalRelease(), 1u);
    EXPECT_EQ(CCountedTarget::s_deleted, 0);
    EXPECT_EQ(p->InternalRelease(), 0u);
    EXPECT_EQ(CCountedTarget::s_deleted, 1);

    // An unbalanced extra release does not finalise a second time.
    CCountedTarget kept;
    kept.deleteOnFinal = false;
    EXPECT_EQ(kept.InternalRelease(), 0u);
    EXPECT_EQ(kept.InternalRelease(), 0u);
    EXPECT_EQ(kept.finalReleases, 1);
}

} // namespace
