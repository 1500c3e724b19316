#include "common/HexCipher.h"
#include <string>
#include <vector>

namespace {

bool IsHexDigit(wchar_t ch)
{
    return (ch >= L'0' && ch <= L'9') || (ch >= L'a' && ch <= L'f') || (ch >= L'A' && ch <= L'F');
}

bool IsHexText(const CString& s)
{
    for (int i = 0; i < s.GetLength(); ++i) {
        if (!IsHexDigit(s[i]))
            return false;
    }
    return true;
}

// rot: the first two and the last two digits of a half change places.
CString RotateHalf(const CString& half)
{
    return half.Mid(2, 2) + half.Left(2);
}

// The text in the ANSI code page, only when it converts back to exactly the same text: a
// character without an ANSI form would otherwise be stored as "?" or a look-alike.
bool ToAnsiExactly(const CString& text, std::string& out)
{
    int n = ::WideCharToMultiByte(CP_ACP, 0, text.GetString(), text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return false;
    out.assign(n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.GetString(), text.GetLength(), &out[0], n, nullptr, nullptr);
    return CString(out.data(), n) == text;
}

} // namespace

int HexDigitValue(wchar_t ch)
{
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    return ch - L'0';
}

CString HexDigitAdd(const CString& a, const CString& b)
{
    const int n = a.GetLength();
    const int offset = n - b.GetLength();
    CString out(L'0', n);
    int carry = 0;
    for (int i = n - 1; i >= 0; --i) {
        int bi = i - offset;
        int sum = HexDigitValue(a[i]) + (bi >= 0 ? HexDigitValue(b[bi]) : 0) + carry;
        carry = sum >= 16 ? 1 : 0;
        out.SetAt(i, L"0123456789abcdef"[sum & 15]);
    }
    return out;
}

CString HexDigitXor(const CString& a, const CString& b)
{
    const int n = a.GetLength();
    const int offset = n - b.GetLength();
    CString out(L'0', n);
    for (int i = 0; i < n; ++i) {
        int bi = i - offset;
        int v = HexDigitValue(a[i]) ^ (bi >= 0 ? HexDigitValue(b[bi]) : 0);
        out.SetAt(i, L"0123456789abcdef"[v & 15]);
    }
    return out;
}

BOOL BuildHexSubkeys(const CString& key, CString& k0, CString& k1, CString& k2, CString& k3)
{
    if (key.IsEmpty())
        return FALSE;
    CString eight = key;
    while (eight.GetLength() < 8)
        eight += key;
    eight = eight.Left(8);
    CString digits;
    for (int i = 0; i < 8; ++i)
        digits.AppendFormat(L"%x", static_cast<unsigned>(eight[i]));
    // Printable ASCII gives two digits a character; anything else would shift the subkeys.
    if (digits.GetLength() != 16)
        return FALSE;
    digits = digits.Mid(1) + digits.Left(1);
    k0 = digits.Mid(0, 4);
    k1 = digits.Mid(4, 4);
    k2 = digits.Mid(8, 4);
    k3 = digits.Mid(12, 4);
    return TRUE;
}

void HexRound(CString& left, CString& right, const CString& k1, const CString& k2)
{
    left = HexDigitXor(left, HexDigitAdd(right, k1));
    right = HexDigitXor(right, HexDigitAdd(left, k2));
}

BOOL HexCipherBlocks(CString& hexText, CString key)
{
    if (hexText.GetLength() % 8 != 0 || !IsHexText(hexText))
        return FALSE;
    CString k0, k1, k2, k3;
    if (!BuildHexSubkeys(key, k0, k1, k2, k3))
        return FALSE;
    CString out;
    for (int pos = 0; pos < hexText.GetLength(); pos += 8) {
        CString left = hexText.Mid(pos, 4);
        CString right = hexText.Mid(pos + 4, 4);
        auto swap = [&]() {
            CString l = RotateHalf(right);
            right = RotateHalf(left);
            left = l;
        };
        HexRound(left, right, k0, k1);
        swap();
        HexRound(left, right, k2, k3);
        swap();
        HexRound(left, right, k3, k2);
        swap();
        HexRound(left, right, k1, k0);
        out += right;
        out += left;
    }
    hexText = out;
    return TRUE;
}

void EncryptHexString(CString& text, CString key)
{
    if (text.IsEmpty())
        return;
    std::string bytes;
    if (!ToAnsiExactly(text, bytes) || bytes.size() > static_cast<size_t>(kHexCipherMaxBytes)) {
        text.Empty();
        return;
    }
    const int n = static_cast<int>(bytes.size());
    while (bytes.size() % 4 != 0)
        bytes += '0';
    CString hex;
    for (unsigned char b : bytes)
        hex.AppendFormat(L"%02x", b);
    if (!HexCipherBlocks(hex, key)) {
        text.Empty();
        return;
    }
    hex.AppendFormat(L"%02d", n);
    text = hex;
}

void DecryptHexString(CString& text, CString key)
{
    if (text.IsEmpty())
        return;
    const int len = text.GetLength();
    CString count = text.Right(2);
    CString hex = text.Left(len - 2);
    text.Empty();
    if (len < 2 || count[0] < L'0' || count[0] > L'9' || count[1] < L'0' || count[1] > L'9')
        return;
    const int n = (count[0] - L'0') * 10 + (count[1] - L'0');
    if (!HexCipherBlocks(hex, key) || hex.GetLength() < 2 * n)
        return;
    std::vector<char> bytes(n);
    for (int i = 0; i < n; ++i)
        bytes[i] = static_cast<char>(HexDigitValue(hex[2 * i]) * 16 + HexDigitValue(hex[2 * i + 1]));
    text = CString(bytes.data(), n);
}
