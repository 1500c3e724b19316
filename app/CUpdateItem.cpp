#include "app/CUpdateItem.h"

CUpdateItem::~CUpdateItem()
{
    RemoveAllFiles();
}

void CUpdateItem::AddFile(CUpdateFileItem* pFile)
{
    if (pFile)
        m_lstFiles.AddTail(pFile);
}

void CUpdateItem::RemoveAllFiles()
{
    while (!m_lstFiles.IsEmpty())
        delete static_cast<CUpdateFileItem*>(m_lstFiles.RemoveHead());
}
