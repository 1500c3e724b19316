#pragma once
// OLE start-up for the framework's threads, and the ActiveX control container switch.
#include "framework/Platform.h"
#include <ole2.h>

// Initialises OLE (OleInitialize) for the calling thread, once: later calls on the same thread
// answer TRUE without initialising again. FALSE when OLE cannot be initialised (for example on a
// thread already in the multithreaded apartment). The program's user-interface thread calls it at
// start-up; AfxOleTerm undoes it.
BOOL AfxOleInit();
// Uninitialises OLE on the calling thread when AfxOleInit initialised it there, after flushing
// what the thread put on the clipboard (it stays there).
void AfxOleTerm();
// TRUE when AfxOleInit succeeded on the calling thread and AfxOleTerm has not run since.
BOOL AfxOleIsInitialized();

// Turns on hosting of ActiveX controls in framework windows for the process. It records the
// switch (see AfxIsControlContainerEnabled) and makes sure the calling thread can host controls
// (OLE initialised through AfxOleInit). Controls are then hosted with COleControlHost.
void AfxEnableControlContainer();
BOOL AfxIsControlContainerEnabled();
