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

using testsupport::ReadRegText;
using testsupport::ResourceModuleScope;
using testsupport::RegKeyExists;

} // namespace apptest
