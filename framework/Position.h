#pragma once
// POSITION: the opaque place of an element in a framework list or map. It is handed out by
// GetHeadPosition, GetStartPosition and friends and is only meaningful to the collection that
// gave it; nullptr means "no element" (before the head, past the tail, end of iteration).
struct __POSITION {};
typedef __POSITION* POSITION;

// A position that lies before any element, as the second argument of Find means "from the head".
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1L))
