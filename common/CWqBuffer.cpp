#include "common/CWqBuffer.h"
#include <cstring>

CWqBuffer* CWqBuffer::Create()
{
    CWqBuffer* p = new CWqBuffer;
    p->AddRef();
    return p;
}

CWqBuffer::~CWqBuffer()
{
    delete[] m_pData;
}

void CWqBuffer::Reserve(DWORD n)
{
    if (n <= m_nCapacity) {
        // The array keeps its real length; only the usable part shrinks.
        m_nCapacity = n;
        if (m_nSize > n)
            m_nSize = n;
        return;
    }
    BYTE* p = new BYTE[n];
    if (m_pData && m_nSize)
        std::memcpy(p, m_pData, m_nSize);
    delete[] m_pData;
    m_pData = p;
    m_nCapacity = n;
}

void CWqBuffer::Grow(DWORD n)
{
    if (m_nCapacity >= n)
        return;
    DWORD more = n - m_nCapacity;
    more = (more + 1023) / 1024 * 1024;
    Reserve(m_nCapacity + more);
}

void CWqBuffer::Append(const void* pBytes, DWORD count)
{
    if (count == 0)
        return;
    if (count > FreeSpace())
        Grow(m_nSize + count);
    std::memcpy(m_pData + m_nSize, pBytes, count);
    m_nSize += count;
}

void CWqBuffer::AppendChar(BYTE b)
{
    if (m_nSize >= m_nCapacity)
        Reserve(m_nCapacity + 1024);
    m_pData[m_nSize++] = b;
}

void CWqBuffer::AppendString(const CString& text)
{
    Append(text.GetString(), static_cast<DWORD>(text.GetLength()) * sizeof(wchar_t));
}

void CWqBuffer::Assign(const CWqBuffer& other)
{
    if (&other == this)
        return;
    m_nSize = 0;
    Append(other.m_pData, other.m_nSize);
}

void CWqBuffer::AppendBuffer(const CWqBuffer& other)
{
    // Appending a buffer to itself: the source may move when the array grows.
    if (&other == this) {
        Grow(m_nSize * 2);
        std::memcpy(m_pData + m_nSize, m_pData, m_nSize);
        m_nSize *= 2;
        return;
    }
    Append(other.m_pData, other.m_nSize);
}

void CWqBuffer::WriteAt(DWORD pos, const void* pBytes, DWORD count)
{
    if (count == 0)
        return;
    if (pos + count > m_nCapacity)
        Grow(pos + count);
    std::memcpy(m_pData + pos, pBytes, count);
    if (pos + count > m_nSize)
        m_nSize = pos + count;
}

void CWqBuffer::Remove(DWORD pos, DWORD count)
{
    if (pos >= m_nSize)
        return;
    if (count >= m_nSize - pos) {
        m_nSize = pos;
        return;
    }
    std::memmove(m_pData + pos, m_pData + pos + count, m_nSize - pos - count);
    m_nSize -= count;
}

DWORD CWqBuffer::Read(DWORD pos, void* pDest, DWORD count) const
{
    if (m_nSize == 0 || count == 0 || pos >= m_nSize || !pDest)
        return 0;
    if (count > m_nSize - pos)
        count = m_nSize - pos;
    std::memcpy(pDest, m_pData + pos, count);
    return count;
}

int CWqBuffer::FindByte(BYTE b, DWORD start) const
{
    for (DWORD i = start; i < m_nSize; ++i) {
        if (m_pData[i] == b)
            return static_cast<int>(i);
    }
    return -1;
}

CString CWqBuffer::AsString() const
{
    // Converted from the bytes in use only: no terminator is written into the array, which
    // may be full.
    if (m_nSize == 0)
        return CString();
    const void* zero = std::memchr(m_pData, 0, m_nSize);
    int n = zero ? static_cast<int>(static_cast<const BYTE*>(zero) - m_pData) : static_cast<int>(m_nSize);
    return CString(reinterpret_cast<const char*>(m_pData), n);
}

CString CWqBuffer::AsWideString() const
{
    return CString(reinterpret_cast<const wchar_t*>(m_pData), static_cast<int>(m_nSize / 2));
}

DWORD CWqBuffer::XorBytes()
{
    for (DWORD i = 0; i < m_nSize; ++i)
        m_pData[i] ^= 42;
    return m_nSize;
}
