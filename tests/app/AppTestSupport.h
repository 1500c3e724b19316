#pragma once
// What the application shell's tests share: the one application object of the test process and
// the resource module made current, as start-up would leave them.
#include "app/CKorvelApp.h"
#include "framework/ModuleState.h"
#include "tests/support/TestSupport.h"
#include <string>

namespace apptest {

// The test process's application object (the program's is a global of Korvel.exe alone).
CKorvelApp& App();

// Loads QorResource.dll beside the test program and makes it the resource module; the previous
// resource handle comes back when the object ends.
class ResourceModuleScope {
public:
    ResourceModuleScope();
    ~ResourceModuleScope();
    bool IsLoaded() const { return m_hModule != nullptr; }

private:
    HMODULE m_hModule = nullptr;
    HINSTANCE m_hSaved = nullptr;
};

using testsupport::ReadRegText;
using testsupport::RegKeyExists;

} // namespace apptest
