#include "app/CHotKeys.h"
#include "common/CWqStringMgr.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {

struct HotKeyDef {
    int nId;
    const wchar_t* pszName;
    CHotKeys::HotKey defaultKey;
};

const HotKeyDef kHotKeys[] = {
    {CHotKeys::kShowMainId, L"ShowMain", {MOD_CONTROL | MOD_ALT, 'S'}},
    {CHotKeys::kRecvMsgId, L"RecvMsg", {MOD_CONTROL | MOD_ALT, 'U'}},
};

} // namespace

bool CHotKeys::Parse(const CString& strStored, const HotKey& defaultKey, HotKey& key)
{
    if (strStored.IsEmpty()) {
        key = defaultKey;
        return true;
    }
    CString text = strStored, modifiers, virtualKey;
    CWqStringMgr::SplitKeyValue(text, modifiers, virtualKey, L";");
    key.nModifiers = static_cast<UINT>(_wtoi(modifiers)) & 0xFFFF;
    key.nVirtualKey = static_cast<UINT>(_wtoi(virtualKey));
    // Registering key 0 would take the modifiers alone from every other program.
    return key.nVirtualKey != 0;
}

CString CHotKeys::StoredText(const CString& strName)
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    return CQorViewBaseFun::GetHotKeys(strName, pMgr->m_strAccount, pMgr->m_strIdentity);
}

void CHotKeys::RegisterAll(HWND hWnd)
{
    UnregisterAll(hWnd);
    for (const HotKeyDef& def : kHotKeys) {
        HotKey key;
        if (Parse(StoredText(def.pszName), def.defaultKey, key))
            ::RegisterHotKey(hWnd, def.nId, key.nModifiers, key.nVirtualKey);
    }
}

void CHotKeys::UnregisterAll(HWND hWnd)
{
    for (const HotKeyDef& def : kHotKeys)
        ::UnregisterHotKey(hWnd, def.nId);
}
