#pragma once
// CHtmlResource: the text of an HTML page stored as a resource of type HTML (23) in the current
// resource module, as the browser windows show it.
//
// The bytes are wide text (UTF-16) when they begin with the byte-order mark 0xFEFF (which is
// dropped) or when their first five wide characters are "<" and the letters HTML in any case;
// any other page is text in the local code page. The resource's size bounds every read: a page
// need not end in a terminator (one that it ends in is dropped), and an odd byte count in wide
// text leaves its last byte out.
#include "framework/CString.h"

class CHtmlResource {
public:
    CHtmlResource() = delete;

    // The page with that id in the current resource module; empty when there is none.
    static CString Load(UINT nResourceId);
    // The text of size bytes of a page.
    static CString Decode(const BYTE* pBytes, DWORD size);

private:
    static CString DecodeAll(const BYTE* pBytes, DWORD size);
};
