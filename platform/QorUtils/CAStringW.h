#pragma once
// The utility library's wide string. It is one pointer wide (records of the view library
// lay several of them out at fixed offsets), owns a zero-terminated copy of its text, and
// never holds a null text: an empty string reads as "".
#include "framework/Platform.h"

class CAStringW {
public:
    CAStringW();
    CAStringW(LPCWSTR psz);
    CAStringW(LPCWSTR pch, int nLength);
    CAStringW(const CAStringW& other);
    CAStringW(CAStringW&& other) noexcept;
    ~CAStringW();

    CAStringW& operator=(const CAStringW& other);
    CAStringW& operator=(CAStringW&& other) noexcept;
    CAStringW& operator=(LPCWSTR psz);
    CAStringW& operator+=(LPCWSTR psz);

    LPCWSTR GetString() const;
    operator LPCWSTR() const { return GetString(); }
    int GetLength() const;
    bool IsEmpty() const { return GetLength() == 0; }
    void Empty();

    bool operator==(LPCWSTR psz) const;
    bool operator!=(LPCWSTR psz) const { return !(*this == psz); }

private:
    void Assign(LPCWSTR pch, int nLength);

    wchar_t* m_pszData; // null for the empty string
};

static_assert(sizeof(CAStringW) == sizeof(void*), "CAStringW must stay one pointer wide");
