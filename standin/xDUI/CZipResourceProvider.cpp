#include "platform/xDUI/CZipResourceProvider.h"
#include "standin/xDUI/ZipArchive.h"

namespace xDuiLib {

CZipResourceProvider::CZipResourceProvider() : m_archive(new ZipArchive) {}

CZipResourceProvider::~CZipResourceProvider() = default;

bool CZipResourceProvider::SetMemory(const void* pData, DWORD dwSize)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_archive->OpenMemory(pData, dwSize);
}

bool CZipResourceProvider::SetFile(LPCWSTR pstrPath)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_archive->OpenFile(pstrPath ? pstrPath : L"");
}

void CZipResourceProvider::Reset()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_archive->Close();
}

bool CZipResourceProvider::IsReady() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_archive->IsOpen();
}

bool CZipResourceProvider::GetResource(LPCWSTR name, std::string& data) const
{
    data.clear();
    if (!name || !*name)
        return false;
    std::lock_guard<std::mutex> guard(m_lock);
    return m_archive->Read(name, data);
}

int CZipResourceProvider::GetEntryCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<int>(m_archive->Names().size());
}

} // namespace xDuiLib
