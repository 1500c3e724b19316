#include "signin/CKorvelLoginByNameDlg.h"
#include "common/CWqStrCode.h"
#include "controls/CWqMemDC.h"
#include "controls/ScaleByDpi.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/FormatString.h"
#include "platform/QorResource/ResourceIds.h"
#include "signin/ILoginByNameOwner.h"
#include "signin/CUserDeptsLookup.h"
#include "signin/LoginStore.h"

namespace {

// A department query's answer has arrived (wParam the query's number).
const UINT WM_BYNAME_DEPTS_REPLY = WM_USER + 1503;

// The department line of an account without a department.
const wchar_t kNoDepartment[] = L"\u65E0\u90E8\u95E8";

} // namespace

BEGIN_MESSAGE_MAP(CKorvelLoginByNameDlg, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_CBN_DROPDOWN(IDC_BYNAME_DEPT, &CKorvelLoginByNameDlg::OnDeptDropDown)
    ON_CBN_SELCHANGE(IDC_BYNAME_DEPT, &CKorvelLoginByNameDlg::OnDeptSelChange)
    ON_CBN_SELCHANGE(IDC_BYNAME_NAME, &CKorvelLoginByNameDlg::OnNameSelChange)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_BYNAME_DEPTS_REPLY, &CKorvelLoginByNameDlg::OnDeptsReply)
END_MESSAGE_MAP()

CKorvelLoginByNameDlg::CKorvelLoginByNameDlg(CWnd* pMainWnd, ILoginByNameOwner* pOwner)
    : CDialog(IDD_LOGIN_BYNAME), m_pMainWnd(pMainWnd), m_pOwner(pOwner)
{
}

CKorvelLoginByNameDlg::~CKorvelLoginByNameDlg() = default;

void CKorvelLoginByNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BYNAME_NAME, m_cbName);
    DDX_Control(pDX, IDC_BYNAME_DEPT, m_cbDept);
    DDX_Control(pDX, IDC_BYNAME_PASSWORD, m_edPassword);
    DDX_Control(pDX, IDC_BYNAME_ACCOUNT, m_lblAccount);
    DDX_Control(pDX, IDC_BYNAME_PASSWORD_CAPTION, m_lblPassword);
    DDX_Control(pDX, IDC_BYNAME_NAME_CAPTION, m_lblName);
    DDX_Text(pDX, IDC_BYNAME_NAME, m_strQueriedName);
    DDX_Text(pDX, IDC_BYNAME_PASSWORD, m_strPassword);
}

BOOL CKorvelLoginByNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_BkHelper._Init(this);
    m_pLookup.reset(new CUserDeptsLookup(m_hWnd, WM_BYNAME_DEPTS_REPLY));
    m_edPassword.SetLimitText(18);
    for (CxLabel* pLabel : {&m_lblAccount, &m_lblPassword, &m_lblName}) {
        pLabel->SetTextAlign(17);
        pLabel->SetTextColor(L"c.font.normal");
    }
    for (CFlatComboBox* pBox : {&m_cbName, &m_cbDept})
        pBox->SetBorderColor(RGB(255, 255, 255), RGB(255, 255, 255), static_cast<COLORREF>(0xBE6E29));
    UpdateData(FALSE);
    // The department box only offers the lines the server gave.
    if (HWND hEdit = ::GetWindow(m_cbDept.GetSafeHwnd(), GW_CHILD))
        ::SendMessageW(hEdit, EM_SETREADONLY, TRUE, 0);
    if (m_strQueriedName.IsEmpty())
        m_cbName.SetFocus();
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// The server of the sign-in panel

CString CKorvelLoginByNameDlg::GetServerAddress() const { return m_pOwner ? m_pOwner->GetServerAddress() : CString(); }

int CKorvelLoginByNameDlg::GetServerPort() const { return m_pOwner ? m_pOwner->GetServerPort() : 0; }

CString CKorvelLoginByNameDlg::GetServerKey() const { return MakeServerKey(GetServerAddress(), GetServerPort()); }

// ---------------------------------------------------------------------------------------------
// Names and queries

void CKorvelLoginByNameDlg::FillNameList(const CStringArray& arNames)
{
    if (!m_cbName.GetSafeHwnd())
        return;
    m_cbName.ResetContent();
    for (INT_PTR i = 0; i < arNames.GetSize(); ++i)
        m_cbName.AddString(arNames[i]);
}

void CKorvelLoginByNameDlg::ChooseName(int nLine)
{
    m_cbName.SetCurSel(nLine);
    OnNameSelChange();
}

CString CKorvelLoginByNameDlg::GetNameText() const
{
    CString text;
    if (m_cbName.GetSafeHwnd())
        m_cbName.GetWindowText(text);
    return text;
}

CString CKorvelLoginByNameDlg::GetDeptText() const
{
    CString text;
    if (m_cbDept.GetSafeHwnd())
        m_cbDept.GetWindowText(text);
    return text;
}

void CKorvelLoginByNameDlg::FocusName() { m_cbName.SetFocus(); }

CString CKorvelLoginByNameDlg::GetAnswersName() const
{
    auto entry = m_Answers.find(GetServerKey());
    return entry != m_Answers.end() ? entry->second.strName : CString();
}

void CKorvelLoginByNameDlg::SetDeptText(const CString& strText)
{
    // The edit part of the box shows the text (the box itself only selects lines).
    if (HWND hEdit = ::GetWindow(m_cbDept.GetSafeHwnd(), GW_CHILD))
        ::SetWindowTextW(hEdit, strText);
}

void CKorvelLoginByNameDlg::ResetDepts()
{
    if (m_cbDept.GetSafeHwnd())
        m_cbDept.ResetContent();
}

void CKorvelLoginByNameDlg::QueryUserDepts()
{
    // Whatever an older query still brings is stale from now on.
    ++m_nQuery;
    if (m_strQueriedName.IsEmpty()) {
        ApplyChosenAccount(CString(), CString());
        SetDeptText(CString());
        return;
    }
    m_strLastQueryUrl.Format(L"http://%s:%d/open/user.html?op=get_user_depts&username=",
                             static_cast<LPCWSTR>(GetServerAddress()), kQueryPort);
    m_strLastQueryUrl += CWqStrCode::UrlEncode(m_strQueriedName, CWqStrCode::URL_UTF8);
    m_strQueryName = m_strQueriedName;
    m_strQueryServer = GetServerKey();
    if (m_pLookup)
        m_pLookup->Start(m_nQuery, m_strLastQueryUrl);
}

LRESULT CKorvelLoginByNameDlg::OnDeptsReply(WPARAM wParam, LPARAM)
{
    std::string reply;
    bool arrived = m_pLookup && m_pLookup->TakeReply(static_cast<int>(wParam), reply);
    // Only the newest query counts, and only while its name and server are still the ones shown.
    if (static_cast<int>(wParam) != m_nQuery || m_strQueryName.CompareNoCase(m_strQueriedName) != 0 ||
        m_strQueryServer != GetServerKey())
        return 0;
    // A failed request leaves the department box as it was.
    if (arrived)
        ParseUserDeptsXml(reply.c_str());
    return 0;
}

void CKorvelLoginByNameDlg::ParseUserDeptsXml(const char* pszReply)
{
    std::vector<UserDeptAnswer> answers;
    if (!ParseUserDeptsReply(pszReply, answers))
        return;
    for (const UserDeptAnswer& answer : answers)
        AddUserDept(answer);
    if (m_Answers.find(GetServerKey()) == m_Answers.end()) {
        CString text;
        AfxFormatString1(text, IDS_BYNAME_NOT_FOUND, m_strQueriedName);
        SetDeptText(text);
        ApplyChosenAccount(CString(), CString());
    }
}

bool CKorvelLoginByNameDlg::HasUserDeptEntry(const UserDeptAnswer& answer) const
{
    auto entry = m_Answers.find(GetServerKey());
    if (entry == m_Answers.end())
        return false;
    for (const UserDeptAnswer& known : entry->second.answers) {
        if (known.strUserName.CompareNoCase(answer.strUserName) == 0 &&
            known.strLoginName.CompareNoCase(answer.strLoginName) == 0 &&
            known.strPath.CompareNoCase(answer.strPath) == 0)
            return true;
    }
    return false;
}

void CKorvelLoginByNameDlg::AddUserDept(const UserDeptAnswer& answer)
{
    if (HasUserDeptEntry(answer))
        return;
    CString key = GetServerKey();
    auto entry = m_Answers.find(key);
    if (entry == m_Answers.end()) {
        entry = m_Answers.emplace(key, DeptEntry()).first;
        entry->second.strName = answer.strUserName;
    }
    entry->second.answers.push_back(answer);
    if (!m_cbDept.GetSafeHwnd())
        return;
    int line = m_cbDept.AddString(answer.strPath.IsEmpty() ? CString(kNoDepartment) : answer.strPath);
    // The first account found is applied at once.
    if (m_cbDept.GetCurSel() == CB_ERR && line >= 0) {
        m_cbDept.SetCurSel(line);
        ApplyChosenAccount(answer.strLoginName, CString());
    }
}

void CKorvelLoginByNameDlg::OnDeptDropDown()
{
    auto entry = m_Answers.find(GetServerKey());
    if (entry != m_Answers.end() && entry->second.strName.CompareNoCase(GetNameText()) == 0)
        return;
    // New answers join what the box holds.
    QueryUserDepts();
}

void CKorvelLoginByNameDlg::OnDeptSelChange()
{
    int line = m_cbDept.GetCurSel();
    auto entry = m_Answers.find(GetServerKey());
    if (entry == m_Answers.end() || line < 0 || line >= static_cast<int>(entry->second.answers.size())) {
        ApplyChosenAccount(CString(), CString());
        return;
    }
    ApplyChosenAccount(entry->second.answers[line].strLoginName, CString());
}

void CKorvelLoginByNameDlg::OnNameSelChange()
{
    // The box's text follows the selection only after this notification: read the line itself.
    CString name;
    int line = m_cbName.GetCurSel();
    if (line != CB_ERR)
        m_cbName.GetLBText(line, name);
    ResetDepts();
    m_strQueriedName = name;
    if (name.IsEmpty())
        return;
    m_Answers.erase(GetServerKey());
    QueryUserDepts();
}

void CKorvelLoginByNameDlg::PollName()
{
    CString text = GetNameText();
    if (text.CompareNoCase(m_strQueriedName) == 0)
        return;
    ResetDepts();
    m_strQueriedName = text;
    if (text.IsEmpty()) {
        ++m_nQuery;
        SetDeptText(CString());
        m_edPassword.SetWindowText(L"");
        ApplyChosenAccount(CString(), CString());
        return;
    }
    m_Answers.erase(GetServerKey());
    QueryUserDepts();
}

// ---------------------------------------------------------------------------------------------
// The chosen account

bool CKorvelLoginByNameDlg::LookUpSavedPassword(const CString& strLoginName, CString& strPassword) const
{
    return GetLoginStore().GetSavedPassword(GetServerAddress(), GetServerPort(), strLoginName, strPassword);
}

void CKorvelLoginByNameDlg::ApplyChosenAccount(const CString& strLoginName, const CString& strPassword)
{
    CString password = strPassword;
    bool found = false;
    if (password.IsEmpty())
        found = LookUpSavedPassword(strLoginName, password);
    m_strChosenLogin = strLoginName;
    m_strPassword = password;
    if (m_edPassword.GetSafeHwnd())
        m_edPassword.SetWindowText(password);
    // The label under the department box names the account the sign-in will use.
    if (m_lblAccount.GetSafeHwnd())
        m_lblAccount.SetWindowText(strLoginName);
    if (m_pOwner)
        m_pOwner->ApplyChosenAccount(strLoginName, password, found);
}

CString CKorvelLoginByNameDlg::ReadPassword()
{
    m_edPassword.GetWindowText(m_strPassword);
    return m_strPassword;
}

void CKorvelLoginByNameDlg::RestoreChoice(const CString& strLogin, const CString& strPassword, const CString& strName,
                                          const CString& strDepartment)
{
    m_strPassword = strPassword;
    m_strChosenLogin = strLogin;
    m_strQueriedName = strName;
    SetDeptText(strDepartment);
}

void CKorvelLoginByNameDlg::ForgetChoice()
{
    m_strQueriedName.Empty();
    SetDeptText(CString());
    m_strPassword.Empty();
}

// ---------------------------------------------------------------------------------------------
// Showing, polling, layout, painting

void CKorvelLoginByNameDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow && !m_bPollTimer) {
        SetTimer(kPollTimer, 1000, nullptr);
        m_bPollTimer = 1;
    }
}

void CKorvelLoginByNameDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kPollTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    if (!IsWindowVisible()) {
        KillTimer(kPollTimer);
        m_bPollTimer = 0;
        return;
    }
    PollName();
}

void CKorvelLoginByNameDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || (m_pMainWnd && ::IsIconic(m_pMainWnd->GetSafeHwnd())) ||
        !::GetDlgItem(m_hWnd, IDC_BYNAME_NAME))
        return;
    auto rectOf = [this](UINT nID) {
        RECT rc = {0, 0, 0, 0};
        HWND hCtrl = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
        ::GetWindowRect(hCtrl, &rc);
        ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    auto move = [this](UINT nID, int x, int y, int w, int h) {
        ::MoveWindow(::GetDlgItem(m_hWnd, static_cast<int>(nID)), x, y, w, h, FALSE);
    };
    // Combo boxes report their height with the list closed.
    RECT name = rectOf(IDC_BYNAME_NAME);
    int width = name.right - name.left;
    int height = name.bottom - name.top;
    int x0 = (cx - width) / 2;
    move(IDC_BYNAME_NAME, x0, name.top, width, height);
    for (UINT nID : {static_cast<UINT>(IDC_BYNAME_NAME_CAPTION), static_cast<UINT>(IDC_BYNAME_ACCOUNT),
                     static_cast<UINT>(IDC_BYNAME_PASSWORD_CAPTION)}) {
        RECT rc = rectOf(nID);
        move(nID, x0, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    }
    RECT dept = rectOf(IDC_BYNAME_DEPT);
    move(IDC_BYNAME_DEPT, x0, dept.top, width - ScaleByDpi(1), height);
    RECT password = rectOf(IDC_BYNAME_PASSWORD);
    move(IDC_BYNAME_PASSWORD, x0, password.top, width, height);
    Invalidate();
}

void CKorvelLoginByNameDlg::OnPaint()
{
    CPaintDC dc(this);
    CWqMemDC mem(&dc);
    m_BkHelper.DrawParentBackground(this, &mem);
}

BOOL CKorvelLoginByNameDlg::OnEraseBkgnd(CDC*) { return TRUE; }
