// The content builders of the notification manager: what each kind of tip shows and where.
// Lengths are written for 96 dpi and scaled with ScaleByDpi; L is one text row.
#include "app/CTipMgr.h"
#include "platform/QorResource/TipResourceIds.h"
#include "common/CWqStringMgr.h"
#include "controls/ScaleByDpi.h"
#include "controls/popup/CTkFontDC.h"
#include "controls/popup/CTkPopupItem.h"
#include "controls/popup/CTkPopupPaintManager.h"
#include "framework/CClientDC.h"
#include "framework/CTextFit.h"
#include "framework/FormatString.h"
#include "framework/ModuleState.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/xDUI/CResourceManager.h"
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

int S(int n)
{
    return ScaleByDpi(n);
}

CString FormatInt(int n)
{
    CString s;
    s.Format(L"%d", n);
    return s;
}

} // namespace

CRect CTipMgr::GetContentRect() const
{
    CRect rc(0, 0, m_nTipWidth, m_nTipHeight);
    rc.DeflateRect(S(11), S(11));
    rc.top += S(24);
    return rc;
}

void CTipMgr::StartTip()
{
    m_wndTip.RemoveAllItems(); // also clears the picture flag
    m_pCaptionItem = nullptr;
    auto* pBar = new CTkPopupItem(CRect(0, 0, m_nTipWidth, S(23)));
    if (xDuiLib::CResourceManager* pRes = xDuiLib::UIGetResourceManager())
        pBar->SetSkinImage(pRes->GetString(L"xPopupCaption"));
    pBar->SetHyperLink(FALSE);
    pBar->SetTextAlignment(DT_WORDBREAK);
    m_wndTip.AddItem(pBar);
}

CTkPopupItem* CTipMgr::AddTextRow(const CRect& rc, const CString& strText)
{
    auto* pItem = new CTkPopupItem(rc, strText);
    pItem->SetHyperLink(FALSE);
    pItem->SetTextAlignment(0);
    m_wndTip.AddItem(pItem);
    return pItem;
}

void CTipMgr::AddCornerItem(BOOL bBox)
{
    const CRect rc = bBox ? CRect(S(4), S(4), S(22), S(22)) : CRect(S(4), S(2), S(22), S(20));
    m_wndTip.AddItem(new CTkPopupItem(rc));
}

void CTipMgr::AddPictureOrIcon(const CString& strPicture, UINT nIcon)
{
    CTkPopupPaintManager* pPaint = m_wndTip.GetPaintManager();
    if (!strPicture.IsEmpty() && pPaint) {
        pPaint->m_bShowPicture = 1;
        pPaint->m_picture.Load(strPicture);
        return;
    }
    if (pPaint)
        pPaint->m_bShowPicture = 0;
    const CRect rcContent = GetContentRect();
    const int y = rcContent.top + (rcContent.Height() - S(32)) / 2;
    auto* pIcon = new CTkPopupItem(CRect(S(13), y, S(45), y + S(32)));
    m_wndTip.AddItem(pIcon);
    pIcon->SetIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIcon)), 1);
}

void CTipMgr::AddCloseButton()
{
    auto* pClose = new CTkPopupItem(CRect(m_nTipWidth - S(22), S(4), m_nTipWidth - S(4), S(22)));
    m_wndTip.AddItem(pClose);
    pClose->SetIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_TIP_CLOSE)), 1);
    pClose->SetButton(TRUE);
    pClose->SetID(ID_TIP_CLOSE);
}

// A line wider than its row would be cut with "..." and never read whole (the lost
// connection's one sentence was): it is broken at blanks into further rows, as many as the
// content rectangle holds, after which the last row keeps the rest and the cut. Every line of
// the text keeps at least its own row.
void CTipMgr::BreakLinesIntoRows(const CStringArray& arLines, int nTextWidth, int nRowsThatFit, CStringArray& arRows)
{
    arRows.RemoveAll();
    const int k = static_cast<int>(arLines.GetSize());
    const int budget = std::max(k, nRowsThatFit);
    CClientDC dc(nullptr);
    CTkFontDC font(dc.GetSafeHdc(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    for (int i = 0; i < k; ++i) {
        const int linesAfter = k - i - 1;
        const int room = std::max(1, budget - static_cast<int>(arRows.GetSize()) - linesAfter);
        CStringArray pieces;
        CTextFit::Wrap(dc.GetSafeHdc(), arLines[i], nTextWidth, room, pieces);
        if (pieces.GetSize() == 0)
            arRows.Add(arLines[i]);
        for (INT_PTR j = 0; j < pieces.GetSize(); ++j)
            arRows.Add(pieces[j]);
    }
}

CString CTipMgr::NewMessageCountText() const
{
    CString strText;
    AfxFormatCount(strText, IDS_TIP_NEW_COUNT, IDS_TIP_NEW_COUNT_MANY, CountNewMessageRecords());
    return strText;
}

void CTipMgr::BuildTextRowsTip(CUnreadMsg* pRecord)
{
    StartTip();
    CStringArray arLines;
    CWqStringMgr::TokenizeString(pRecord->strText, &arLines, L"\n");
    const CRect rcContent = GetContentRect();
    const int left = S(38), right = m_nTipWidth - S(10);
    CStringArray arRows;
    BreakLinesIntoRows(arLines, right - left - S(20), rcContent.Height() / std::max(1, m_nLineHeight), arRows);
    const int k = static_cast<int>(arRows.GetSize());
    int y = rcContent.top + (rcContent.Height() - k * m_nLineHeight) / 2;
    for (int i = 0; i < k; ++i, y += m_nLineHeight)
        AddTextRow(CRect(left, y, right, y + m_nLineHeight), arRows[i]);
    AddCornerItem(FALSE);
    AddPictureOrIcon(pRecord->strPicture, IDI_TIP_DEFAULT);
    if (pRecord->bClosable)
        AddCloseButton();
    m_wndTip.RedrawControl();
}

void CTipMgr::BuildMailTip(CUnreadMsg* pRecord)
{
    StartTip();
    AddCornerItem(FALSE);
    CStringArray arLines;
    CWqStringMgr::TokenizeString(pRecord->strText, &arLines, L"\n");
    const CRect rcContent = GetContentRect();
    const int k = static_cast<int>(arLines.GetSize());
    int y = rcContent.top + (rcContent.Height() - k * m_nLineHeight) / 2;
    for (int i = 0; i < k; ++i, y += m_nLineHeight) {
        CTkPopupItem* pRow = AddTextRow(CRect(0, y, m_nTipWidth - S(10), y + m_nLineHeight), arLines[i]);
        pRow->SetHyperLink(TRUE);
    }
    if (CTkPopupPaintManager* pPaint = m_wndTip.GetPaintManager())
        pPaint->m_bShowPicture = 0;
    if (pRecord->bClosable)
        AddCloseButton();
    m_wndTip.RedrawControl();
}

void CTipMgr::BuildNewMsgTip(CUnreadMsg* pRecord)
{
    StartTip();
    const CRect rcContent = GetContentRect();
    int y = rcContent.top + (rcContent.Height() - 3 * m_nLineHeight) / 2;
    const int right = m_nTipWidth - S(10);

    CTkPopupItem* pCount = AddTextRow(CRect(S(40), y, right, y + m_nLineHeight), NewMessageCountText());
    pCount->SetBold(TRUE);
    m_pCaptionItem = pCount;
    m_strCaption = pCount->GetCaption();
    y += m_nLineHeight;

    CString strSender;
    if (pRecord->nMsgType == CUnreadMsg::kTypeTalk)
        strSender = ResourceString(IDS_TIP_TALK_SENDER);
    else
        AfxFormatString1(strSender, IDS_TIP_SENDER, pRecord->strSenderName);
    CTkPopupItem* pSender = AddTextRow(CRect(S(40), y, right, y + m_nLineHeight), strSender);
    pSender->SetTextColor(RGB(0, 65, 200));
    y += m_nLineHeight;

    const CString strContent =
        (pRecord->nFlags & CUnreadMsg::kFlagProtected) ? ResourceString(IDS_TIP_PROTECTED) : pRecord->strContent;
    AddTextRow(CRect(S(40), y, right, y + m_nLineHeight), strContent);

    AddCornerItem(FALSE);
    AddPictureOrIcon(pRecord->strPicture, IDI_TIP_DEFAULT);
    if (pRecord->bClosable)
        AddCloseButton();
    m_wndTip.RedrawControl();
}

void CTipMgr::BuildGroupMsgTip(CUnreadMsg* pRecord)
{
    StartTip();
    const CRect rcContent = GetContentRect();
    const int y = rcContent.top + (rcContent.Height() - 3 * m_nLineHeight) / 2;
    const CString strName = pRecord->strContent.IsEmpty() ? ResourceString(IDS_TIP_NO_GROUP_NAME) : pRecord->strContent;
    CString strText;
    AfxFormatString2(strText, IDS_TIP_GROUP_COUNT, strName, FormatInt(CountGroupRecords(pRecord->strTalkId)));
    CTkPopupItem* pRow = AddTextRow(CRect(S(30), y, m_nTipWidth - S(10), y + 3 * m_nLineHeight), strText);
    m_pCaptionItem = pRow;
    m_strCaption = strText;
    AddCornerItem(FALSE);
    // Groups always show the group icon, never a member's picture.
    AddPictureOrIcon(CString(), IDI_TIP_DEFAULT);
    if (pRecord->bClosable)
        AddCloseButton();
    m_wndTip.RedrawControl();
}

void CTipMgr::BuildReceiptTip(CUnreadMsg* pRecord)
{
    StartTip();
    CStringArray arRows;
    int left;
    if (GetLanguage() == L"ENU") {
        arRows.Add(pRecord->strSenderName);
        arRows.Add(L"Open the message");
        arRows.Add(pRecord->strExtra);
        arRows.Add(pRecord->strContent);
        left = S(44);
    } else {
        arRows.Add(pRecord->strSenderName + L" \x6253\x5F00\x6D88\x606F");
        arRows.Add(pRecord->strExtra);
        arRows.Add(pRecord->strContent);
        left = S(40);
    }
    const CRect rcContent = GetContentRect();
    const int k = static_cast<int>(arRows.GetSize());
    int y = rcContent.top + (rcContent.Height() - k * m_nLineHeight) / 2;
    for (int i = 0; i < k; ++i, y += m_nLineHeight)
        AddTextRow(CRect(left, y, m_nTipWidth - S(10), y + m_nLineHeight), arRows[i]);
    AddCornerItem(FALSE);
    AddPictureOrIcon(pRecord->strPicture, IDI_TIP_RECEIPT);
    AddCloseButton();
    m_wndTip.RedrawControl();
}

void CTipMgr::BuildBoxTip(CUnreadMsgBox* pBox)
{
    StartTip();
    const CRect rcContent = GetContentRect();
    const int L = m_nLineHeight;
    int y = rcContent.top + (rcContent.Height() - (4 * L + 12)) / 2 + 2;
    int nRows = 0;
    for (POSITION pos = pBox->m_lstItems.GetHeadPosition(); pos && nRows < 3; ++nRows) {
        CUnreadMsgBoxItem* pEntry = pBox->m_lstItems.GetNext(pos);
        auto* pRow = new CTkPopupItem(CRect(S(20), y, m_nTipWidth - S(10), y + L), BuildBoxRowText(pEntry));
        pRow->SetHyperLink(TRUE);
        pRow->m_nBoxAction = 0;
        // The row names its entry by serial number: positions do not fit the item's field
        // on 64-bit builds, and a serial cannot point at a stranger once the entry is gone.
        pRow->m_nBoxPosition = pEntry->GetSerial();
        if (!pEntry->strPicture.IsEmpty()) {
            pRow->m_picture.Load(pEntry->strPicture);
            pRow->m_bHasPicture = pRow->m_picture.IsLoaded() ? 1 : 0;
        }
        m_wndTip.AddItem(pRow);
        if (pEntry->strPicture.IsEmpty()) {
            auto* pIcon = new CTkPopupItem(CRect(S(13), y - S(1), S(29), y + S(16) - S(1)));
            m_wndTip.AddItem(pIcon);
            const UINT nIcon = pEntry->strKey.Left(2) == L"g_" ? IDI_TIP_GROUP : IDI_TIP_PERSON;
            pIcon->SetIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIcon)), 1);
            pIcon->SetButton(TRUE);
            // A click on the icon opens the entry as its row does.
            pIcon->m_nBoxPosition = pEntry->GetSerial();
        }
        y += L + S(3);
    }
    AddCornerItem(TRUE);

    CString strOpenAll;
    AfxFormatString1(strOpenAll, IDS_TIP_OPEN_ALL, FormatInt(pBox->GetItemCount()));
    auto* pOpenAll = new CTkPopupItem(CRect(S(95), rcContent.bottom - L, m_nTipWidth - S(10), rcContent.bottom), strOpenAll);
    pOpenAll->SetHyperLink(TRUE);
    pOpenAll->SetTextColor(RGB(0, 0, 255));
    pOpenAll->m_nBoxAction = 2;
    m_wndTip.AddItem(pOpenAll);

    auto* pShowAll = new CTkPopupItem(CRect(S(5), rcContent.bottom - L, S(95), rcContent.bottom),
                                      ResourceString(IDS_TIP_SHOW_ALL));
    pShowAll->SetHyperLink(TRUE);
    pShowAll->SetTextColor(RGB(0, 0, 255));
    pShowAll->m_nBoxAction = 1;
    m_wndTip.AddItem(pShowAll);

    if (pBox->bClosable)
        AddCloseButton();
    m_wndTip.RedrawControl();
}

CString CTipMgr::BuildBoxRowText(CUnreadMsgBoxItem* pItem) const
{
    if (!pItem || pItem->m_lstRecords.IsEmpty())
        return CString();
    const CUnreadMsg* pNewest = pItem->m_lstRecords.GetHead();

    // The when-text: days ago, or the time of day. Send times come in UTC (group operations
    // already carry the user's own clock); a send time that does not read as a date leaves
    // the row without one.
    CString strTime = pNewest->strSendTime;
    if (pNewest->nMsgType != CUnreadMsg::kTypeGroupOpt)
        CQorViewBaseFun::UTCTimeToLocalTime(strTime);
    CString strWhen;
    int yr = 0, mo = 0, dy = 0, hh = 0, mi = 0, ss = 0;
    if (swscanf(strTime.GetString(), L"%d-%d-%d %d:%d:%d", &yr, &mo, &dy, &hh, &mi, &ss) == 6 &&
        yr >= 1970 && mo >= 1 && mo <= 12 && dy >= 1 && dy <= 31 && hh >= 0 && hh < 24 && mi >= 0 && mi < 60 &&
        ss >= 0 && ss < 62) {
        std::tm t = {};
        t.tm_year = yr - 1900;
        t.tm_mon = mo - 1;
        t.tm_mday = dy;
        t.tm_hour = hh;
        t.tm_min = mi;
        t.tm_sec = ss;
        t.tm_isdst = -1;
        const std::tm shown = t;
        const std::time_t sent = std::mktime(&t);
        if (sent != static_cast<std::time_t>(-1)) {
            const long long nAge = static_cast<long long>(std::difftime(std::time(nullptr), sent) + 0.5);
            const long long nDays = nAge / 86400;
            if (nDays > 0) {
                AfxFormatCount(strWhen, IDS_TIP_DAYS_AGO_ONE, IDS_TIP_DAYS_AGO, static_cast<int>(nDays));
            } else {
                wchar_t buf[32] = {};
                wcsftime(buf, 32, L"%H:%M:%S", &shown);
                strWhen = buf;
            }
        }
    }

    CString strName;
    if (pNewest->nMsgType == CUnreadMsg::kTypeTalk) {
        strName = ResourceString(IDS_TIP_TALK_SENDER);
    } else if (pNewest->IsGroupMessage()) {
        strName = pNewest->strContent.IsEmpty() ? ResourceString(IDS_TIP_NO_GROUP_NAME) : pNewest->strContent;
        if (strName.GetLength() > 5) {
            const CString strFirst4 = strName.Left(4);
            // The view library's test decides whether the cut keeps four characters or three.
            strName = (CQorViewBaseFun::IsHalfWideChar(strFirst4) ? strName.Left(3) : strFirst4) + L"...";
        }
    } else {
        strName = pNewest->strSenderName;
    }

    CString strHead;
    if (strWhen.IsEmpty())
        strHead = strName;
    else
        strHead.Format(L"%s(%s)", strName.GetString(), strWhen.GetString());
    CString strTail;
    strTail.Format(L"  (%d)", pItem->GetMessageCount());

    // Pad with spaces so that the counts of the rows line up; bounded, in case the font
    // measures a space as nothing.
    HDC hdc = ::GetDC(nullptr);
    if (hdc) {
        HGDIOBJ hOld = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE szSpace = {};
        ::GetTextExtentPoint32W(hdc, L" ", 1, &szSpace);
        const CString strWhole = strHead + strTail;
        SIZE szText = {};
        ::GetTextExtentPoint32W(hdc, strWhole.GetString(), strWhole.GetLength(), &szText);
        int nWidth = szText.cx;
        if (szSpace.cx > 0) {
            for (int i = 0; nWidth < 144 && i < 144; ++i) {
                strHead += L" ";
                nWidth += szSpace.cx;
            }
        }
        ::SelectObject(hdc, hOld);
        ::ReleaseDC(nullptr, hdc);
    }
    return strHead + strTail;
}
