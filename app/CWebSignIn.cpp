#include "app/CWebSignIn.h"
#include "app/CWebRequest.h"
#include "common/CWqStrCode.h"
#include <process.h>
#include <tinyxml.h>

namespace {

struct CRequest {
    HWND hWnd;
    UINT uMsg;
    CWebLoginReply* pReply;
};

unsigned __stdcall RequestThread(void* pParam)
{
    CRequest* pRequest = static_cast<CRequest*>(pParam);
    CWebLoginReply* pReply = pRequest->pReply;
    pReply->bAnswered = CWebRequest::HttpGetString(pReply->strUrl, pReply->strReply);
    // A window gone meanwhile takes no message: the reply is then ours to free.
    if (!::PostMessageW(pRequest->hWnd, pRequest->uMsg, 0, reinterpret_cast<LPARAM>(pReply)))
        delete pReply;
    delete pRequest;
    return 0;
}

CString NodeText(const TiXmlNode* pNode)
{
    const TiXmlNode* pText = pNode ? pNode->FirstChild() : nullptr;
    if (!pText || !pText->Value())
        return CString();
    return CWqStrCode::Utf8ToString(pText->Value());
}

} // namespace

bool CWebSignIn::Start(HWND hWnd, UINT uMsg, const CString& strUrl, unsigned nAttempt)
{
    auto* pReply = new CWebLoginReply;
    pReply->nAttempt = nAttempt;
    pReply->strUrl = strUrl;
    auto* pRequest = new CRequest{hWnd, uMsg, pReply};
    uintptr_t hThread = _beginthreadex(nullptr, 0, &RequestThread, pRequest, 0, nullptr);
    if (!hThread) {
        delete pReply;
        delete pRequest;
        return false;
    }
    ::CloseHandle(reinterpret_cast<HANDLE>(hThread));
    return true;
}

void CWebSignIn::ParseReply(const CStringA& strReply, CString& strState, CString& strMessage)
{
    strState.Empty();
    strMessage = CWqStrCode::Utf8ToString(strReply.GetString(), strReply.GetLength());
    TiXmlDocument doc;
    doc.Parse(strReply.GetString(), nullptr, TIXML_ENCODING_UTF8);
    if (doc.Error())
        return;
    const TiXmlNode* pResult = doc.FirstChild("Result");
    const TiXmlNode* pState = pResult ? pResult->FirstChild("State") : nullptr;
    if (!pState)
        return;
    strState = NodeText(pState);
    if (const TiXmlNode* pMsg = pState->NextSibling("Msg"))
        strMessage = NodeText(pMsg);
}
