#pragma once
// Skin files read from a folder on disk (a skin that was unpacked for editing).
#include "platform/xDUI/IResourceProvider.h"

namespace xDuiLib {

class CFileResourceProvider : public IResourceProvider {
public:
    CFileResourceProvider() = default;
    ~CFileResourceProvider() override = default;

    // The skin folder; false when it does not exist.
    bool SetPath(LPCWSTR pstrFolder);
    LPCWSTR GetPath() const { return m_folder.c_str(); }

    bool IsReady() const override { return !m_folder.empty(); }
    bool GetResource(LPCWSTR name, std::string& data) const override;

private:
    std::wstring m_folder;
};

} // namespace xDuiLib
