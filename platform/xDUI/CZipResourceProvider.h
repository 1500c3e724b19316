#pragma once
// Skin files read out of a zip, held in memory or in a file (minizip underneath).
// The program hands it the "QorSkin" stream of the skin archive, then registers it with
// the resource manager (UIGetResourceManager()->AddResourceProvider).
#include "platform/xDUI/IResourceProvider.h"
#include <memory>
#include <mutex>

namespace xDuiLib {

class ZipArchive;

class CZipResourceProvider : public IResourceProvider {
public:
    CZipResourceProvider();
    ~CZipResourceProvider() override;
    CZipResourceProvider(const CZipResourceProvider&) = delete;
    CZipResourceProvider& operator=(const CZipResourceProvider&) = delete;

    // A zip held in memory. The buffer is not copied and must outlive the provider.
    // False (and nothing set) when the bytes are not a readable zip.
    bool SetMemory(const void* pData, DWORD dwSize);
    // A zip file on disk; false when it cannot be opened as a zip.
    bool SetFile(LPCWSTR pstrPath);
    // Forgets the zip.
    void Reset();

    bool IsReady() const override;
    bool GetResource(LPCWSTR name, std::string& data) const override;

    // Number of files in the zip (folders not counted); 0 when nothing is set.
    int GetEntryCount() const;

private:
    std::unique_ptr<ZipArchive> m_archive; // minizip keeps one read position: guarded by m_lock
    mutable std::mutex m_lock;
};

} // namespace xDuiLib
