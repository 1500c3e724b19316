#pragma once
// The view library's plain label: a skinned label without a skin of its own (its text colour
// and alignment as CxLabel's).
#include "platform/QorView/CxLabel.h"

class CLabel : public CxLabel {};
