#include "app/CSendMsgRequest.h"
#include "app/CKorvelApp.h"
#include "common/CWqStringMgr.h"
#include "framework/CStringArray.h"

const wchar_t CSendMsgRequest::kMappingName[] = L"QorProcotol_SendMsg";

CSendMsgRequest CSendMsgRequest::Parse(const CString& strText)
{
    CSendMsgRequest request;
    CStringArray items;
    CWqStringMgr::TokenizeString(strText, &items, L"&");
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
        CString key, value;
        if (!CKorvelApp::SplitStartupItem(items[i], key, value))
            continue;
        if (key.CompareNoCase(L"loginname") == 0)
            request.m_strLoginName = value;
        else if (key.CompareNoCase(L"receiver") == 0)
            request.m_strReceiver = value;
        else if (key.CompareNoCase(L"viewid") == 0)
            request.m_strViewId = value;
    }
    return request;
}

CString CSendMsgRequest::TextFromBlock(const void* pBlock, size_t cbBlock)
{
    if (!pBlock)
        return CString();
    // The writer is another program: nothing says it ended its text, so the copy stops at the
    // limit on its own and is terminated here.
    const size_t blockBytes = kBlockBytes, maxText = kMaxChars;
    const size_t maxChars = (cbBlock < blockBytes ? cbBlock : blockBytes) / sizeof(wchar_t);
    const size_t limit = maxChars < maxText ? maxChars : maxText;
    const wchar_t* p = static_cast<const wchar_t*>(pBlock);
    size_t n = 0;
    while (n < limit && p[n])
        ++n;
    return CString(p, static_cast<int>(n));
}

BOOL CSendMsgRequest::ReadShared(CString& strText)
{
    strText.Empty();
    HANDLE hMapping = ::OpenFileMappingW(FILE_MAP_READ, FALSE, kMappingName);
    if (!hMapping)
        return FALSE;
    // The whole block is mapped and its real size asked, so that a block smaller than the text
    // area is read only as far as it goes.
    const void* pView = ::MapViewOfFile(hMapping, FILE_MAP_READ, 0, 0, 0);
    BOOL bRead = FALSE;
    if (pView) {
        MEMORY_BASIC_INFORMATION info = {};
        const size_t cb = ::VirtualQuery(pView, &info, sizeof(info)) ? info.RegionSize : 0;
        strText = TextFromBlock(pView, cb);
        ::UnmapViewOfFile(pView);
        bRead = TRUE;
    }
    ::CloseHandle(hMapping);
    return bRead;
}
