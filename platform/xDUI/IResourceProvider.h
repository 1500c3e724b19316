#pragma once
// What the skin library's resource manager reads skin files through. A provider answers
// the bytes of a named file of the skin (the skin description "skin.xml" and the images
// it names); the zip and folder providers are the two kinds the program uses.
#include "framework/Platform.h"
#include <string>

namespace xDuiLib {

class IResourceProvider {
public:
    virtual ~IResourceProvider() = default;

    // True when the provider has something to read (a zip or folder was set).
    virtual bool IsReady() const = 0;
    // The bytes of the file of that name (zip entry or relative path, '/' or '\\',
    // letter case ignored); false when there is no such file.
    virtual bool GetResource(LPCWSTR name, std::string& data) const = 0;
};

} // namespace xDuiLib
