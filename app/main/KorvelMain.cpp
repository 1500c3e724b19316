// The program's entry: the process-wide objects built before WinMain, in this order (the
// registered window messages follow in KorvelMessages.cpp), and the framework's entry points.
#include "app/CKorvelApp.h"
#include "app/CKorvelModule.h"
#include "framework/AfxEntry.h"

CKorvelApp theApp;
CKorvelModule _Module;
