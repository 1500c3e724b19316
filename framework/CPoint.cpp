// CPoint is complete in its header; this file keeps the one-pair-per-class layout.
#include "framework/CPoint.h"
