#pragma once
// Every public header of the framework, for sources that use many of its classes.
#include "framework/Platform.h"
#include "framework/ModuleState.h"
#include "framework/CException.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
