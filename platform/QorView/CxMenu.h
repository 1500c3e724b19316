#pragma once
// The view library's skinned menu: a framework menu that keeps an image text per command.
#include "framework/CMenu.h"
#include "framework/CString.h"
#include <map>

class CxMenu : public CMenu {
public:
    void SetMenuItemImage(UINT nCommand, const CString& strImage) { m_images[nCommand] = strImage; }
    CString GetMenuItemImage(UINT nCommand) const;

private:
    std::map<UINT, CString> m_images;
};
