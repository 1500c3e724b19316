#pragma once
// Text-splitting helpers on the program's wide string: lists of key=value items joined by "&",
// plain lists joined by ";" or ",", lines joined by "\n". A field never contains its delimiter:
// there is no quoting. Every helper that splits at a delimiter refuses an empty delimiter
// (it would be found at position 0 and cut nothing, so a split loop would never end).
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include <map>
#include <memory>

class CNoCaseString;

class CWqStringMgr {
public:
    virtual ~CWqStringMgr() = default;

    // Cuts the first field off text into head. FALSE when text was empty on entry (head and
    // text then stay as they are). Without a delimiter, head takes the whole text.
    static BOOL SplitFirst(CString& text, CString& head, CString delimiter);
    // Cuts "key<d>value<d>" off text; key and value are trimmed of white space. FALSE when text
    // is empty or holds no delimiter (nothing changes). The value ends at the next delimiter.
    static BOOL SplitKeyValue(CString& text, CString& key, CString& value, CString delimiter);
    // All fields of text, in order; a trailing delimiter adds no empty last field.
    static void TokenizeString(CString text, CStringArray* pArray, CString delimiter);
    // The text in the thread's ANSI code page, owned by the caller; null for a null input or a
    // failed conversion.
    static std::unique_ptr<char[]> WideToAnsiTemp(const wchar_t* pszWide);
    // Case-sensitive equality with a narrow (ANSI code page) text.
    static BOOL IsEqual(const CString& left, const char* pszNarrow);

    // The helpers below are offered for any caller.
    static BOOL SplitFirst(CString text, CString& head, CString& rest, CString delimiter);
    static BOOL SplitFirstChar(CString& text, CString& head, wchar_t delimiter);
    static CString Repeat(const CString& text, int count);
    static CString Repeat(wchar_t ch, int count);
    static void DropFromEnd(CString& text, int count);
    static CString XmlEscape(CString text);
    static CString SqlQuote(CString text);
    // A double as text with `digits` digits, fixed-point when bFixed, else general notation.
    static CString FormatNumber(double value, int digits, BOOL bFixed);
    static BOOL GetField(CString text, int index, CString& field, CString delimiter);
    static int GetFieldCount(CString text, CString delimiter);
    static BOOL RemoveField(CString& text, const CString& field, CString delimiter);
    static BOOL ContainsField(CString text, const CString& field, CString delimiter);
    static int FieldIndex(CString text, const CString& field, CString delimiter);
    static CString Join(const CStringArray& items, const CString& separator);
    static void AppendField(CString& text, const CString& field, const CString& separator);
    static void AppendKeyValue(CString& text, const CString& key, const CString& value,
                               const CString& separator);
    // Repeated SplitKeyValue until key and value equal the given ones; an empty given key or
    // value matches anything.
    static BOOL FindKeyValue(CString text, const CString& key, const CString& value, CString delimiter);
    static void RemoveRange(CString& text, int start, int end);
    static void InsertAt(CString& text, int position, const CString& insert);
    static int RemoveAll(CString& text, const CString& sub);
    static int RemoveAll(CString& text, wchar_t ch);
    static double ToNumber(const CString& text);
    static BOOL IsIntegerText(const CString& text);
    static void TrimTrailingZeros(CString& text);
    // In a list of key=value items joined by itemSeparator: the trimmed value of the first item
    // whose trimmed key equals key (case-sensitive).
    static BOOL GetListValue(CString list, const CString& key, CString& value, CString itemSeparator);
    static CString GetListValueOr(CString list, const CString& key, const CString& defaultValue,
                                  CString itemSeparator);
    static void ListToArrays(CString list, CStringArray& keys, CStringArray& values, CString itemSeparator);
    static void ListToMap(CString list, std::map<CNoCaseString, CString>& map, CString itemSeparator);
    // In a ";"-joined list, rewrites the first item whose trimmed key equals key as "key = value".
    static BOOL SetListValue(CString& list, const CString& key, const CString& value);
    static CString LookupInArrays(const CStringArray& keys, const CStringArray& values, const CString& key);
    static void GetBracketedNames(CString text, CStringArray& names);
    static CString FormatDecimals(const CString& number, int decimals, BOOL bTrimZeros);
    static BOOL IsNumericText(const CString& text);
    static char* WideToMultiByte(const wchar_t* pszWide, char* buffer, int bufferSize, UINT codePage);
    static BOOL IsNotEqual(const CString& a, const CString& b);
    static BOOL IsOneChar(const CString& text, wchar_t ch);

private:
    CWqStringMgr() = default;
};
