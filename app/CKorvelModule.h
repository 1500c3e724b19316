#pragma once
// The program's COM server module: the one CComModule of the process, with the object map of
// the four classes it serves (the two callback sinks, the console and the message object).
// It is a global built before the application object starts (see KorvelMain.cpp).
#include "framework/CComModule.h"

// Resource numbers of the registry scripts in the program file.
enum KorvelRegistryScript : UINT {
    IDR_KORVEL = 103,       // the application id
    IDR_THECALLBACK = 104,
    IDR_CONSOLE = 109,
    IDR_MSG = 110,          // kept, never run
    IDR_CORECALLBACK = 108,
    IDR_MESSAGE = 111,
    IDR_SPACECON = 115,     // kept, never run
};

class CKorvelModule : public CComModule {
public:
    CKorvelModule();
    ~CKorvelModule() override;

    // The object map, in registration order: CTheCallback, CCoreCallBack, CConsole, CMessage.
    static _COM_OBJMAP_ENTRY* GetObjectMap();
    // Init with the object map, the program's instance and the type library KorvelLib.
    HRESULT InitServer(HINSTANCE hInstance);
};

// The application id of the program's server.
extern const GUID APPID_Korvel;
