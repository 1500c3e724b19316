#include "platform/QorUtils/CAStringW.h"
#include <cwchar>
#include <new>

CAStringW::CAStringW() : m_pszData(nullptr) {}

CAStringW::CAStringW(LPCWSTR psz) : m_pszData(nullptr)
{
    Assign(psz, psz ? static_cast<int>(wcslen(psz)) : 0);
}

CAStringW::CAStringW(LPCWSTR pch, int nLength) : m_pszData(nullptr)
{
    Assign(pch, nLength);
}

CAStringW::CAStringW(const CAStringW& other) : m_pszData(nullptr)
{
    Assign(other.m_pszData, other.GetLength());
}

CAStringW::CAStringW(CAStringW&& other) noexcept : m_pszData(other.m_pszData)
{
    other.m_pszData = nullptr;
}

CAStringW::~CAStringW()
{
    delete[] m_pszData;
}

CAStringW& CAStringW::operator=(const CAStringW& other)
{
    if (this != &other)
        Assign(other.m_pszData, other.GetLength());
    return *this;
}

CAStringW& CAStringW::operator=(CAStringW&& other) noexcept
{
    if (this != &other) {
        delete[] m_pszData;
        m_pszData = other.m_pszData;
        other.m_pszData = nullptr;
    }
    return *this;
}

CAStringW& CAStringW::operator=(LPCWSTR psz)
{
    Assign(psz, psz ? static_cast<int>(wcslen(psz)) : 0);
    return *this;
}

CAStringW& CAStringW::operator+=(LPCWSTR psz)
{
    if (!psz || !*psz)
        return *this;
    int a = GetLength(), b = static_cast<int>(wcslen(psz));
    wchar_t* p = new (std::nothrow) wchar_t[a + b + 1];
    if (!p)
        return *this; // keep the old text rather than lose it
    if (a)
        wmemcpy(p, m_pszData, a);
    wmemcpy(p + a, psz, b);
    p[a + b] = 0;
    delete[] m_pszData;
    m_pszData = p;
    return *this;
}

void CAStringW::Assign(LPCWSTR pch, int nLength)
{
    wchar_t* p = nullptr;
    if (pch && nLength > 0) {
        p = new (std::nothrow) wchar_t[nLength + 1];
        if (p) {
            wmemcpy(p, pch, nLength); // pch may be our own text: copy before freeing
            p[nLength] = 0;
        }
    }
    delete[] m_pszData;
    m_pszData = p;
}

LPCWSTR CAStringW::GetString() const
{
    return m_pszData ? m_pszData : L"";
}

int CAStringW::GetLength() const
{
    return m_pszData ? static_cast<int>(wcslen(m_pszData)) : 0;
}

void CAStringW::Empty()
{
    delete[] m_pszData;
    m_pszData = nullptr;
}

bool CAStringW::operator==(LPCWSTR psz) const
{
    return wcscmp(GetString(), psz ? psz : L"") == 0;
}
