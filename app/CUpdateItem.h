#pragma once
// A software-update record beside the tip records: five texts and the files of the update,
// which it owns and destroys with itself. Kept with the tip records; no road creates one.
#include "app/CUpdateFileItem.h"
#include "framework/CObList.h"

class CUpdateItem : public CObject {
public:
    CUpdateItem() = default;
    ~CUpdateItem() override;
    CUpdateItem(const CUpdateItem&) = delete;
    CUpdateItem& operator=(const CUpdateItem&) = delete;

    // Takes ownership of the file record (null is ignored).
    void AddFile(CUpdateFileItem* pFile);
    // Destroys every file record.
    void RemoveAllFiles();

    CString strVersion;
    CString strTitle;
    CString strContent;
    CString strUrl;
    CString strTime;
    CObList m_lstFiles; // of CUpdateFileItem*, owned
};
