#include "app/CKorvelModule.h"
#include "app/CConsole.h"
#include "app/CCoreCallBack.h"
#include "app/CMessage.h"
#include "app/CTheCallback.h"
#include "KorvelLib.h"

// {80BD9FA3-D45C-48B6-AB55-32A1976E8DD8}
const GUID APPID_Korvel = {0x80bd9fa3, 0xd45c, 0x48b6, {0xab, 0x55, 0x32, 0xa1, 0x97, 0x6e, 0x8d, 0xd8}};

namespace {

BEGIN_OBJECT_MAP(ObjectMap)
    OBJECT_ENTRY(CLSID_TheCallback, CTheCallback)
    OBJECT_ENTRY(CLSID_CoreCallBack, CCoreCallBack)
    OBJECT_ENTRY(CLSID_Console, CConsole)
    OBJECT_ENTRY(CLSID_Message, CMessage)
END_OBJECT_MAP()

} // namespace

CKorvelModule::CKorvelModule() = default;
CKorvelModule::~CKorvelModule() = default;

_COM_OBJMAP_ENTRY* CKorvelModule::GetObjectMap()
{
    return ObjectMap;
}

HRESULT CKorvelModule::InitServer(HINSTANCE hInstance)
{
    HRESULT hr = Init(ObjectMap, hInstance, &LIBID_KorvelLib);
    if (SUCCEEDED(hr))
        SetAppId(APPID_Korvel);
    return hr;
}
