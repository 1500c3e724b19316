#include "platform/xDUI/CResourceManager.h"
#include "platform/xDUI/CRenderEngine.h"
#include "standin/xDUI/DrawRecorder.h"
#include <tinyxml.h>
#include <algorithm>
#include <cwctype>

namespace xDuiLib {

struct CResourceManager::FontDef {
    std::wstring face;
    int size = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    HFONT hFont = nullptr;
};

namespace {

std::wstring Lower(const std::wstring& s)
{
    std::wstring r = s;
    for (auto& ch : r)
        ch = static_cast<wchar_t>(std::towlower(ch));
    return r;
}

std::wstring FromUtf8(const char* s)
{
    if (!s || !*s)
        return std::wstring();
    int n = ::MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
    if (n <= 1)
        return std::wstring();
    std::wstring w(n - 1, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s, -1, &w[0], n);
    return w;
}

std::wstring Attr(const TiXmlElement* e, const char* name)
{
    return FromUtf8(e->Attribute(name));
}

bool AttrTrue(const TiXmlElement* e, const char* name)
{
    std::wstring v = Lower(Attr(e, name));
    return v == L"true" || v == L"1";
}

// "#AARRGGBB", "#RRGGBB" (opaque) or a decimal number.
bool ParseColor(const std::wstring& text, DWORD& value)
{
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    if (text[0] == L'#') {
        unsigned long v = wcstoul(text.c_str() + 1, &end, 16);
        if (*end != 0)
            return false;
        size_t digits = text.size() - 1;
        if (digits == 6)
            v |= 0xFF000000ul;
        else if (digits != 8)
            return false;
        value = static_cast<DWORD>(v);
        return true;
    }
    unsigned long v = wcstoul(text.c_str(), &end, 0);
    if (*end != 0)
        return false;
    value = static_cast<DWORD>(v);
    return true;
}

} // namespace

CResourceManager::CResourceManager() = default;

CResourceManager::~CResourceManager()
{
    ClearCache();
}

void CResourceManager::ClearCache()
{
    m_images.clear(); // bitmaps go with their last holder
    for (auto& f : m_fonts)
        if (f.second->hFont)
            ::DeleteObject(f.second->hFont);
    m_fonts.clear();
    if (m_hSystemFont)
        ::DeleteObject(m_hSystemFont);
    m_hSystemFont = nullptr;
    m_imageFiles.clear();
    m_imageFrames.clear();
    m_strings.clear();
    m_colors.clear();
    m_styles.clear();
    m_defaultFont.clear();
}

bool CResourceManager::AddResourceProvider(IResourceProvider* pProvider, int nFlags)
{
    if (TakeProviderRefusal())
        return false;
    if (!pProvider || !pProvider->IsReady())
        return false;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (std::find(m_providers.begin(), m_providers.end(), pProvider) != m_providers.end())
        return true;
    if (!LoadSkinDescription(pProvider))
        return false;
    // Images that could not be found before may come from this provider.
    for (auto it = m_images.begin(); it != m_images.end();)
        it = it->second ? std::next(it) : m_images.erase(it);
    if (nFlags == 1)
        m_providers.push_back(pProvider);
    else
        m_providers.insert(m_providers.begin(), pProvider);
    return true;
}

bool CResourceManager::RemoveResourceProvider(IResourceProvider* pProvider)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto it = std::find(m_providers.begin(), m_providers.end(), pProvider);
    if (it == m_providers.end())
        return false;
    m_providers.erase(it);
    // Images may have come from the provider that left: decode again on demand.
    m_images.clear();
    return true;
}

int CResourceManager::GetProviderCount() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return static_cast<int>(m_providers.size());
}

void CResourceManager::Reset()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_providers.clear();
    ClearCache();
}

bool CResourceManager::LoadSkinDescription(IResourceProvider* pProvider)
{
    std::string xml;
    if (!pProvider->GetResource(L"skin.xml", xml) || xml.empty())
        return false;
    TiXmlDocument doc;
    doc.Parse(xml.c_str(), nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* root = doc.RootElement();
    if (doc.Error() || !root)
        return false;
    // A later provider's description adds to the skin and overrides entries of the same name.
    for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        std::wstring kind = Lower(FromUtf8(e->Value()));
        std::wstring name = Lower(Attr(e, "name"));
        if (name.empty())
            continue;
        if (kind == L"image") {
            std::wstring file = Attr(e, "file");
            if (file.empty())
                continue;
            m_imageFiles[name] = file;
            int frames = 1;
            e->QueryIntAttribute("frames", &frames);
            m_imageFrames[name] = std::max(1, frames);
            m_images.erase(name);
        } else if (kind == L"color") {
            DWORD v = 0;
            if (ParseColor(Attr(e, "value"), v))
                m_colors[name] = v;
        } else if (kind == L"string") {
            m_strings[name] = Attr(e, "value");
        } else if (kind == L"font") {
            auto def = std::make_shared<FontDef>();
            def->face = Attr(e, "face");
            e->QueryIntAttribute("size", &def->size);
            def->bold = AttrTrue(e, "bold");
            def->italic = AttrTrue(e, "italic");
            def->underline = AttrTrue(e, "underline");
            auto old = m_fonts.find(name);
            if (old != m_fonts.end() && old->second->hFont)
                ::DeleteObject(old->second->hFont);
            m_fonts[name] = def;
            if (AttrTrue(e, "default") || m_defaultFont.empty())
                m_defaultFont = name;
        } else if (kind == L"style") {
            auto& attrs = m_styles[name];
            for (const TiXmlAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
                std::wstring key = Lower(FromUtf8(a->Name()));
                if (key != L"name")
                    attrs[key] = FromUtf8(a->Value());
            }
        }
    }
    return true;
}

bool CResourceManager::GetResourceData(LPCWSTR pstrName, std::string& data) const
{
    data.clear();
    if (!pstrName || !*pstrName)
        return false;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (IResourceProvider* p : m_providers)
        if (p->GetResource(pstrName, data))
            return true;
    return false;
}

const TImageInfo* CResourceManager::GetImage(LPCWSTR pstrName)
{
    return GetSharedImage(pstrName).get();
}

std::shared_ptr<const TImageInfo> CResourceManager::GetSharedImage(LPCWSTR pstrName)
{
    if (!pstrName || !*pstrName)
        return nullptr;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    std::wstring key = Lower(pstrName);
    auto cached = m_images.find(key);
    if (cached != m_images.end())
        return cached->second; // null when it failed before: not decoded again
    std::wstring file = pstrName;
    int frames = 1;
    auto named = m_imageFiles.find(key);
    if (named != m_imageFiles.end()) {
        file = named->second;
        frames = m_imageFrames[key];
    }
    std::string data;
    TImageInfo* info = nullptr;
    if (GetResourceData(file.c_str(), data))
        info = CRenderEngine::LoadImage(data.data(), static_cast<DWORD>(data.size()));
    std::shared_ptr<TImageInfo> image;
    if (info) {
        info->nFrames = frames;
        image.reset(info, &CRenderEngine::FreeImage);
    }
    m_images[key] = image;
    return image;
}

HFONT CResourceManager::GetFont(LPCWSTR pstrName)
{
    if (!pstrName || !*pstrName)
        return nullptr;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto it = m_fonts.find(Lower(pstrName));
    if (it == m_fonts.end())
        return nullptr;
    FontDef& def = *it->second;
    if (!def.hFont) {
        LOGFONTW lf = {};
        lf.lfHeight = -std::max(1, def.size);
        lf.lfWeight = def.bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = def.italic;
        lf.lfUnderline = def.underline;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = CLEARTYPE_QUALITY;
        wcsncpy(lf.lfFaceName, def.face.empty() ? L"Tahoma" : def.face.c_str(), LF_FACESIZE - 1);
        def.hFont = ::CreateFontIndirectW(&lf);
    }
    return def.hFont;
}

HFONT CResourceManager::GetDefaultFont()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_defaultFont.empty()) {
        if (HFONT h = GetFont(m_defaultFont.c_str()))
            return h;
    }
    if (!m_hSystemFont) {
        // A copy of the GUI font, so the caller may treat every answer alike.
        LOGFONTW lf = {};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        m_hSystemFont = ::CreateFontIndirectW(&lf);
    }
    return m_hSystemFont;
}

DWORD CResourceManager::GetColor(LPCWSTR pstrName, DWORD dwDefault) const
{
    if (!pstrName)
        return dwDefault;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto it = m_colors.find(Lower(pstrName));
    return it == m_colors.end() ? dwDefault : it->second;
}

COLORREF CResourceManager::GetColorRef(LPCWSTR pstrName, COLORREF crDefault) const
{
    if (!pstrName)
        return crDefault;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto it = m_colors.find(Lower(pstrName));
    if (it == m_colors.end())
        return crDefault;
    DWORD argb = it->second;
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

LPCWSTR CResourceManager::GetString(LPCWSTR pstrName) const
{
    if (!pstrName)
        return L"";
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto it = m_strings.find(Lower(pstrName));
    return it == m_strings.end() ? L"" : it->second.c_str();
}

LPCWSTR CResourceManager::GetStyleAttribute(LPCWSTR pstrStyle, LPCWSTR pstrAttribute) const
{
    if (!pstrStyle || !pstrAttribute)
        return L"";
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto style = m_styles.find(Lower(pstrStyle));
    if (style == m_styles.end())
        return L"";
    auto attr = style->second.find(Lower(pstrAttribute));
    return attr == style->second.end() ? L"" : attr->second.c_str();
}

bool CResourceManager::HasStyle(LPCWSTR pstrStyle) const
{
    if (!pstrStyle)
        return false;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_styles.count(Lower(pstrStyle)) != 0;
}

CResourceManager* UIGetResourceManager()
{
    // Built on first use, so a program that never asks pays nothing at load time; never
    // destroyed, because skinned windows may still paint while the process ends.
    static CResourceManager* manager = new CResourceManager;
    return manager;
}

} // namespace xDuiLib
