#pragma once
// CWebPageAddress: the few facts about a page address that the web dialog needs: whether it is
// the blank page, how a relative address reads against the page that opened the dialog, and
// which origin (scheme, host and port) a page belongs to.
#include "framework/CString.h"

class CWebPageAddress {
public:
    CWebPageAddress() = delete;

    // An empty address and "about:blank" (any case) both stand for the blank page.
    static BOOL IsBlank(const CString& url);
    // An address without ":" read against a base address: one that starts with "/" behind the
    // base's root, any other behind the base's folder. Absolute addresses, an empty base and a
    // base with no root or folder leave the address as it is. A "/" is never doubled where the
    // two meet, and a base that names only a host is its own folder.
    static CString Resolve(const CString& url, const CString& base);
    // "scheme://host[:port]" in lower case ("file://" for a local path such as C:\dir\page.html);
    // empty for an address without "://".
    static CString GetOrigin(const CString& url);
};
