#pragma once
// Recording of the utility library for tests: buffers handed out by ToUTF8 that were not
// yet given back to FreeDst (a leak check).
int QorUtilsTest_GetOutstandingBuffers();
