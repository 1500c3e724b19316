#pragma once
// The view library's cache of file-type icons: two image lists (32 x 32 "normal" and
// 16 x 16 "small") holding the shell's icon of each file extension met so far, after any
// pseudo-types the owner registered first (".Folder", ...). Image indexes are the same in
// both lists.
#include "framework/CImageList.h"
#include "framework/CString.h"
#include <map>

class CShellIconInfo {
public:
    CShellIconInfo();
    ~CShellIconInfo();
    CShellIconInfo(const CShellIconInfo&) = delete;
    CShellIconInfo& operator=(const CShellIconInfo&) = delete;

    // Registers a pseudo-type name (".Folder"); it takes the next index, the owner appends its
    // icon to both lists. Answers that index.
    int AddIconTypeToList(LPCWSTR lpszTypeName);
    // The index of the icon for an extension (".txt", or "" for files without one), adding
    // the shell's icon to both lists when the extension is new; -1 when no icon is found.
    int AddTypeIcon(LPCWSTR lpszExtension);
    // The index the first file-type icon takes (after the pseudo-types).
    void SetBaseIndex(int nIndex) { m_nBaseIndex = nIndex; }
    int GetBaseIndex() const { return m_nBaseIndex; }

    CImageList* GetNormalImageList() { return &m_normal; }
    CImageList* GetSmallImageList() { return &m_small; }
    // Empties the cache and destroys both lists.
    void Destroy();

private:
    bool EnsureLists();

    CImageList m_normal;
    CImageList m_small;
    std::map<CString, int> m_types; // lower-case extension or pseudo-type -> index
    int m_nBaseIndex = 0;
};
