#pragma once
// Recording of the image library for tests.
// Images decoded successfully since the process started.
int CxImageTest_GetDecodeCount();
// Frame bitmaps currently held by CxImage objects (a leak check).
int CxImageTest_GetLiveBitmaps();
