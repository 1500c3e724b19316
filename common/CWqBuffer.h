#pragma once
// A growable array of raw bytes, reference counted. Texts are stored without terminator unless
// the caller appends one. GetAt, SetSize and AddSize trust their argument: callers keep
// indexes below the size and sizes within the capacity.
#include "common/CWqObj.h"
#include "framework/CString.h"

class CWqBuffer : public CWqObj {
public:
    // A new buffer holding one reference.
    static CWqBuffer* Create();

    CWqBuffer() = default;
    ~CWqBuffer() override;

    void Clear() { m_nSize = 0; }
    void SetSize(DWORD n) { m_nSize = n; }
    void AddSize(DWORD n) { m_nSize += n; }
    DWORD GetSize() const { return m_nSize; }
    DWORD GetCapacity() const { return m_nCapacity; }

    // Allocates exactly n bytes when n exceeds the capacity; a smaller n only lowers the
    // capacity (and the size with it), without reallocating.
    void Reserve(DWORD n);
    // Makes room for n bytes in all, in whole steps of 1024 beyond the present capacity, so
    // that byte-wise appends do not reallocate every time.
    void Grow(DWORD n);
    DWORD FreeSpace() const { return m_nCapacity - m_nSize; }

    void Append(const void* pBytes, DWORD count);
    void AppendByte(BYTE b) { Append(&b, 1); }
    void AppendWord(WORD w) { Append(&w, 2); }
    void AppendChar(BYTE b);
    // The UTF-16 units of the text, without terminator.
    void AppendString(const CString& text);
    void Assign(const CWqBuffer& other);
    void AppendBuffer(const CWqBuffer& other);
    void WriteAt(DWORD pos, const void* pBytes, DWORD count);
    void Remove(DWORD pos, DWORD count);
    // Copies up to count bytes from pos into pDest (count 0xFFFFFFFF: up to the end); returns
    // the number copied.
    DWORD Read(DWORD pos, void* pDest, DWORD count) const;
    BYTE GetAt(DWORD i) const { return m_pData[i]; }
    // First index >= start holding b, or -1.
    int FindByte(BYTE b, DWORD start = 0) const;
    BYTE* GetData() const { return m_pData; }

    // The bytes as a text in the ANSI code page; a zero byte ends the text.
    CString AsString() const;
    // size / 2 UTF-16 units.
    CString AsWideString() const;
    // XORs every byte with 42; returns the size.
    DWORD XorBytes();

private:
    BYTE* m_pData = nullptr;
    DWORD m_nSize = 0;
    DWORD m_nCapacity = 0;
};
