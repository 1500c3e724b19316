#include "common/CWqStringMgr.h"
#include "common/CNoCaseString.h"
#include <cstdlib>

BOOL CWqStringMgr::SplitFirst(CString& text, CString& head, CString delimiter)
{
    if (text.IsEmpty() || delimiter.IsEmpty())
        return FALSE;
    int p = text.Find(delimiter);
    if (p < 0) {
        head = text;
        text.Empty();
    } else {
        head = text.Left(p);
        text = text.Right(text.GetLength() - p - delimiter.GetLength());
    }
    return TRUE;
}

BOOL CWqStringMgr::SplitKeyValue(CString& text, CString& key, CString& value, CString delimiter)
{
    if (text.IsEmpty() || delimiter.IsEmpty())
        return FALSE;
    int p = text.Find(delimiter);
    if (p < 0)
        return FALSE;
    CString newKey = text.Left(p);
    CString rest = text.Mid(p + delimiter.GetLength());
    int q = rest.Find(delimiter);
    if (q < 0) {
        value = rest;
        text.Empty();
    } else {
        value = rest.Left(q);
        text = rest.Mid(q + delimiter.GetLength());
    }
    key = newKey;
    key.Trim();
    value.Trim();
    return TRUE;
}

void CWqStringMgr::TokenizeString(CString text, CStringArray* pArray, CString delimiter)
{
    if (!pArray)
        return;
    pArray->RemoveAll();
    CString head;
    while (SplitFirst(text, head, delimiter))
        pArray->Add(head);
}

std::unique_ptr<char[]> CWqStringMgr::WideToAnsiTemp(const wchar_t* pszWide)
{
    if (!pszWide)
        return nullptr;
    // Room for two bytes per character, terminator included.
    const int size = (lstrlenW(pszWide) + 1) * 2;
    std::unique_ptr<char[]> out(new char[size]);
    int n = ::WideCharToMultiByte(CP_THREAD_ACP, 0, pszWide, -1, out.get(), size, nullptr, nullptr);
    if (n <= 0)
        return nullptr;
    return out;
}

BOOL CWqStringMgr::IsEqual(const CString& left, const char* pszNarrow)
{
    return left == CString(pszNarrow);
}

BOOL CWqStringMgr::SplitFirst(CString text, CString& head, CString& rest, CString delimiter)
{
    if (!SplitFirst(text, head, delimiter))
        return FALSE;
    rest = text;
    return TRUE;
}

BOOL CWqStringMgr::SplitFirstChar(CString& text, CString& head, wchar_t delimiter)
{
    return SplitFirst(text, head, CString(delimiter));
}

CString CWqStringMgr::Repeat(const CString& text, int count)
{
    CString out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

CString CWqStringMgr::Repeat(wchar_t ch, int count)
{
    return count < 1 ? CString() : CString(ch, count);
}

void CWqStringMgr::DropFromEnd(CString& text, int count)
{
    if (count <= 0)
        return;
    text = text.Left(text.GetLength() - count);
}

CString CWqStringMgr::XmlEscape(CString text)
{
    // The ampersand first, so that the entities added below are not escaped again.
    text.Replace(L"&", L"&amp;");
    text.Replace(L"<", L"&lt;");
    text.Replace(L">", L"&gt;");
    text.Replace(L"'", L"&apos;");
    text.Replace(L"\"", L"&quot;");
    return text;
}

CString CWqStringMgr::SqlQuote(CString text)
{
    text.Replace(L"'", L"''");
    return text;
}

CString CWqStringMgr::FormatNumber(double value, int digits, BOOL bFixed)
{
    CString fmt, out;
    fmt.Format(bFixed ? L"%%.%df" : L"%%.%dg", digits);
    out.Format(fmt, value);
    return out;
}

BOOL CWqStringMgr::GetField(CString text, int index, CString& field, CString delimiter)
{
    if (index < 0)
        return FALSE;
    CString head;
    for (int i = 0; SplitFirst(text, head, delimiter); ++i) {
        if (i == index) {
            field = head;
            return TRUE;
        }
    }
    return FALSE;
}

int CWqStringMgr::GetFieldCount(CString text, CString delimiter)
{
    int count = 0;
    CString head;
    while (SplitFirst(text, head, delimiter))
        ++count;
    return count;
}

BOOL CWqStringMgr::RemoveField(CString& text, const CString& field, CString delimiter)
{
    if (field.IsEmpty())
        return FALSE;
    CStringArray fields;
    TokenizeString(text, &fields, delimiter);
    for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
        if (fields[i] == field) {
            fields.RemoveAt(i);
            text = Join(fields, delimiter);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWqStringMgr::ContainsField(CString text, const CString& field, CString delimiter)
{
    return FieldIndex(text, field, delimiter) >= 0;
}

int CWqStringMgr::FieldIndex(CString text, const CString& field, CString delimiter)
{
    CString head;
    for (int i = 0; SplitFirst(text, head, delimiter); ++i) {
        if (head == field)
            return i;
    }
    return -1;
}

CString CWqStringMgr::Join(const CStringArray& items, const CString& separator)
{
    CString out;
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
        AppendField(out, items[i], separator);
    return out;
}

void CWqStringMgr::AppendField(CString& text, const CString& field, const CString& separator)
{
    if (text.IsEmpty())
        text = field;
    else
        text += separator + field;
}

void CWqStringMgr::AppendKeyValue(CString& text, const CString& key, const CString& value, const CString& separator)
{
    if (text.IsEmpty())
        text = key + separator + value;
    else
        text += separator + key + separator + value;
}

BOOL CWqStringMgr::FindKeyValue(CString text, const CString& key, const CString& value, CString delimiter)
{
    CString k, v;
    while (SplitKeyValue(text, k, v, delimiter)) {
        if ((key.IsEmpty() || k == key) && (value.IsEmpty() || v == value))
            return TRUE;
    }
    return FALSE;
}

void CWqStringMgr::RemoveRange(CString& text, int start, int end)
{
    if (end < 0)
        end = start;
    if (start < 0 || start > end)
        return;
    text = text.Left(start) + text.Mid(end);
}

void CWqStringMgr::InsertAt(CString& text, int position, const CString& insert)
{
    if (position < 0 || position > text.GetLength())
        return;
    text.Insert(position, insert);
}

int CWqStringMgr::RemoveAll(CString& text, const CString& sub)
{
    return text.Replace(sub, L"");
}

int CWqStringMgr::RemoveAll(CString& text, wchar_t ch)
{
    return text.Remove(ch);
}

double CWqStringMgr::ToNumber(const CString& text)
{
    auto narrow = WideToAnsiTemp(text);
    return narrow ? std::atof(narrow.get()) : 0.0;
}

BOOL CWqStringMgr::IsIntegerText(const CString& text)
{
    CString again;
    again.Format(L"%d", _wtoi(text));
    return again == text;
}

void CWqStringMgr::TrimTrailingZeros(CString& text)
{
    if (text.Find(L'.') <= 0)
        return;
    text.TrimRight(L'0');
    if (text.Right(1) == L".")
        text = text.Left(text.GetLength() - 1);
}

BOOL CWqStringMgr::GetListValue(CString list, const CString& key, CString& value, CString itemSeparator)
{
    CString item, k, v;
    while (SplitFirst(list, item, itemSeparator)) {
        if (SplitKeyValue(item, k, v, L"=") && k == key) {
            value = v;
            return TRUE;
        }
    }
    return FALSE;
}

CString CWqStringMgr::GetListValueOr(CString list, const CString& key, const CString& defaultValue,
                                     CString itemSeparator)
{
    CString value;
    return GetListValue(list, key, value, itemSeparator) ? value : defaultValue;
}

void CWqStringMgr::ListToArrays(CString list, CStringArray& keys, CStringArray& values, CString itemSeparator)
{
    keys.RemoveAll();
    values.RemoveAll();
    CString item, k, v;
    while (SplitFirst(list, item, itemSeparator)) {
        if (SplitKeyValue(item, k, v, L"=")) {
            keys.Add(k);
            values.Add(v);
        }
    }
}

void CWqStringMgr::ListToMap(CString list, std::map<CNoCaseString, CString>& map, CString itemSeparator)
{
    map.clear();
    CString item, k, v;
    while (SplitFirst(list, item, itemSeparator)) {
        if (SplitKeyValue(item, k, v, L"="))
            map[CNoCaseString(k)] = v;
    }
}

BOOL CWqStringMgr::SetListValue(CString& list, const CString& key, const CString& value)
{
    CStringArray items;
    TokenizeString(list, &items, L";");
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
        CString item = items[i], k, v;
        if (SplitKeyValue(item, k, v, L"=") && k == key) {
            items[i].Format(L"%s = %s", key.GetString(), value.GetString());
            list = Join(items, L";");
            return TRUE;
        }
    }
    return FALSE;
}

CString CWqStringMgr::LookupInArrays(const CStringArray& keys, const CStringArray& values, const CString& key)
{
    for (INT_PTR i = 0; i < keys.GetSize(); ++i) {
        if (keys[i].CompareNoCase(key) == 0)
            return i < values.GetSize() ? values[i] : CString();
    }
    return CString();
}

void CWqStringMgr::GetBracketedNames(CString text, CStringArray& names)
{
    names.RemoveAll();
    for (;;) {
        int open = text.Find(L'[');
        int close = text.Find(L']');
        if (open < 0 || close < 0)
            break;
        CString name = text.Mid(open + 1, close - open - 1);
        if (close <= open + 1)
            break;
        bool seen = false;
        for (INT_PTR i = 0; i < names.GetSize() && !seen; ++i)
            seen = names[i] == name;
        if (!seen)
            names.Add(name);
        text = text.Mid(close + 1);
    }
}

CString CWqStringMgr::FormatDecimals(const CString& number, int decimals, BOOL bTrimZeros)
{
    CString out = FormatNumber(ToNumber(number), decimals, TRUE);
    if (bTrimZeros)
        TrimTrailingZeros(out);
    return out;
}

BOOL CWqStringMgr::IsNumericText(const CString& text)
{
    const int n = text.GetLength();
    if (n == 0)
        return FALSE;
    if (text == L"0")
        return TRUE;
    int dots = 0;
    for (int i = 0; i < n; ++i) {
        wchar_t c = text[i];
        if (c == L'-') {
            if (i != 0)
                return FALSE;
        } else if (c == L'.') {
            if (++dots > 1)
                return FALSE;
        } else if (c < L'0' || c > L'9') {
            return FALSE;
        }
    }
    if (text[n - 1] == L'.')
        return FALSE;
    if (text[0] == L'0' && dots == 0)
        return FALSE;
    return TRUE;
}

char* CWqStringMgr::WideToMultiByte(const wchar_t* pszWide, char* buffer, int bufferSize, UINT codePage)
{
    if (!pszWide || !buffer || bufferSize <= 0)
        return nullptr;
    int n = ::WideCharToMultiByte(codePage, 0, pszWide, -1, buffer, bufferSize, nullptr, nullptr);
    if (n <= 0) {
        buffer[0] = '\0';
        return nullptr;
    }
    return buffer;
}

BOOL CWqStringMgr::IsNotEqual(const CString& a, const CString& b)
{
    return a != b;
}

BOOL CWqStringMgr::IsOneChar(const CString& text, wchar_t ch)
{
    return text.GetLength() == 1 && text[0] == ch;
}
