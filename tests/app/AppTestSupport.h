#pragma once
// What the application shell's tests share: the one application object of the test process and
// the resource module made current, as start-up would leave them.
#include "app/CKorvelApp.h"
#include "framework/CComObject.h"
#include "framework/CComPtr.h"
#include "framework/ModuleState.h"
#include "tests/support/TestSupport.h"
#include <string>

namespace apptest {

// The test process's application object (the program's is a global of Korvel.exe alone).
CKorvelApp& App();

// One of the program's COM objects, made in this process and asked for interface I (null when
// it cannot be made).
template <class T, class I>
CComPtr<I> Make()
{
    CComObject<T>* p = nullptr;
    CComPtr<I> itf;
    if (SUCCEEDED(CComObject<T>::CreateInstance(&p)) && p)
        p->QueryInterface(__uuidof(I), reinterpret_cast<void**>(&itf));
    return itf;
}

using testsupport::ReadRegText;
using testsupport::ResourceModuleScope;
using testsupport::RegKeyExists;

} // namespace apptest
