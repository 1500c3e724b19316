#pragma once
// The skin library's resource manager: it reads the skin description "skin.xml" through
// the registered providers and answers the named images, fonts, colours, strings and
// control styles of the skin. One per process, reached through UIGetResourceManager().
//
// skin.xml (UTF-8):
//   <Skin>
//     <Font name="f.user.name" face="Tahoma" size="13" bold="true" default="false"/>
//     <Color name="c.font.normal" value="#AARRGGBB"/>
//     <Image name="i.dlg.bk.picture" file="dlg_bk.png" frames="1"/>
//     <String name="xPopupCaption" value="file='i.popup.caption' corner='5,5,5,2'"/>
//     <Style name="xButtonLogin" normal="..." hot="..." pushed="..." disabled="..." textcolor="#..."/>
//   </Skin>
// Image files are PNG or BMP (decoded by GDI+). Names are compared without letter case.
#include "platform/xDUI/CDuiString.h"
#include "platform/xDUI/IResourceProvider.h"
#include "platform/xDUI/TImageInfo.h"
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace xDuiLib {

class CResourceManager {
public:
    CResourceManager();
    ~CResourceManager();
    CResourceManager(const CResourceManager&) = delete;
    CResourceManager& operator=(const CResourceManager&) = delete;

    // Registers a provider (not owned; it must outlive its registration) and loads the skin
    // description through it. nFlags: 0 = put it first (asked before the providers already
    // registered), 1 = put it last. Refused (false) for a null provider, a provider that
    // has nothing to read, or one whose skin.xml is missing or unreadable.
    bool AddResourceProvider(IResourceProvider* pProvider, int nFlags);
    bool RemoveResourceProvider(IResourceProvider* pProvider);
    int GetProviderCount() const;
    // Drops every provider and everything cached (fonts and bitmaps are deleted).
    void Reset();

    // The bytes of a skin file, asked of the providers in order.
    bool GetResourceData(LPCWSTR pstrName, std::string& data) const;

    // A named image of the skin description, or a file of the skin by path; decoded once
    // and cached. Null when unknown or undecodable. The pointer stays valid until the skin
    // is reset or a provider removed; GetSharedImage keeps the image alive beyond that.
    const TImageInfo* GetImage(LPCWSTR pstrName);
    std::shared_ptr<const TImageInfo> GetSharedImage(LPCWSTR pstrName);
    // The font of that name; null when unknown. Owned by the manager.
    HFONT GetFont(LPCWSTR pstrName);
    // The skin's default font (the Font marked default="true", else the first one, else the
    // GUI font of the system). Owned by the manager; never null once a skin is loaded.
    HFONT GetDefaultFont();
    // A colour as 0xAARRGGBB; dwDefault when unknown.
    DWORD GetColor(LPCWSTR pstrName, DWORD dwDefault = 0) const;
    // The same colour as a COLORREF (0x00BBGGRR); crDefault when unknown.
    COLORREF GetColorRef(LPCWSTR pstrName, COLORREF crDefault = 0) const;
    // A String entry, or an empty text when unknown. Valid until the skin is reset.
    LPCWSTR GetString(LPCWSTR pstrName) const;
    // One attribute of a control style ("normal", "hot", "pushed", "disabled", "textcolor",
    // "bkimage", ...); an empty text when the style or attribute is unknown.
    LPCWSTR GetStyleAttribute(LPCWSTR pstrStyle, LPCWSTR pstrAttribute) const;
    bool HasStyle(LPCWSTR pstrStyle) const;

private:
    struct FontDef;
    bool LoadSkinDescription(IResourceProvider* pProvider);
    void ClearCache();

    mutable std::recursive_mutex m_lock;
    std::vector<IResourceProvider*> m_providers; // not owned
    std::map<std::wstring, std::wstring> m_imageFiles;   // image name -> file
    std::map<std::wstring, int> m_imageFrames;           // image name -> cell count
    std::map<std::wstring, std::wstring> m_strings;
    std::map<std::wstring, DWORD> m_colors;
    std::map<std::wstring, std::map<std::wstring, std::wstring>> m_styles;
    std::map<std::wstring, std::shared_ptr<FontDef>> m_fonts;
    std::wstring m_defaultFont;
    HFONT m_hSystemFont = nullptr;
    std::map<std::wstring, std::shared_ptr<TImageInfo>> m_images; // decoded, by lower-case name
};

// The process's one resource manager.
CResourceManager* UIGetResourceManager();

} // namespace xDuiLib
