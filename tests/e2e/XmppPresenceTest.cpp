// What alice's contacts see of her, end to end through Prosody and the peer bob: invisible takes
// her out of their sight while she stays signed in (chosen while signed in, and from the sign-in
// on), and showing herself again brings her back.
#include "tests/e2e/XmppRoad.h"
#include <string>

namespace {

TEST_F(XmppRoad, InvisibleHidesAliceFromHerContactsWhileSheStaysSignedIn)
{
    ASSERT_TRUE(Server().Ok("peer-start bob"));
    ASSERT_TRUE(SignIn());
    EXPECT_EQ(Server().Command("wait-presence alice@localhost available 30"), "ok");
    ChooseStatus(ID_STATUS_INVISIBLE);
    EXPECT_EQ(Server().Command("wait-presence alice@localhost unavailable 30"), "ok");
    // Still signed in: what she sends goes out on the same session.
    SendToBob(L"still here");
    EXPECT_EQ(Server().Command("wait-message alice@localhost 30"), "ok still here");
    EXPECT_TRUE(m_pDlg->IsSignedIn());

    // Signed in as invisible from the start: bob never sees her come online. Her message after
    // the sign-in reaches him after anything her sign-in told the server, so what he knows of
    // her then is all there is.
    ::PostMessageW(Wnd(), WM_LOGIN_CANCEL, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !m_pDlg->IsSignedIn() && m_pDlg->GetPanels().GetLoginPanel(); }));
    ASSERT_TRUE(SignIn(6));
    SendToBob(L"hidden from the start");
    EXPECT_EQ(Server().Command("wait-message alice@localhost 30"), "ok hidden from the start");
    EXPECT_EQ(Server().Command("presence-of alice@localhost"), "ok unavailable");

    // Shown again: bob sees her.
    ChooseStatus(ID_STATUS_ONLINE);
    EXPECT_EQ(Server().Command("wait-presence alice@localhost available 30"), "ok");
}

} // namespace
