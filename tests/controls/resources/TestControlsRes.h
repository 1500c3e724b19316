#pragma once
// HTML pages of the controls tests' resource module (type 23), one per way a page is stored.
#define IDH_TEST_WIDE_BOM 101    // UTF-16 after a byte-order mark
#define IDH_TEST_WIDE_TAG 102    // UTF-16 that starts with "<hTmL"
#define IDH_TEST_NARROW 103      // the local code page
#define IDH_TEST_WIDE_ODD 104    // UTF-16 after a byte-order mark, one stray byte at the end
#define IDH_TEST_MISSING 199     // no such page
