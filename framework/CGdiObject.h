#pragma once
// The owner of one GDI object handle (pen, brush, font, bitmap, region, palette). The object
// is deleted with its wrapper unless it was detached first; temporary wrappers from
// FromHandle never delete theirs.
#include "framework/CObject.h"
#include "framework/Platform.h"

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Attributes
    HGDIOBJ m_hObject = nullptr;
    // Safe to call through a null pointer (answers null), as pFont->GetSafeHandle() often is.
    HGDIOBJ GetSafeHandle() const;
    operator HGDIOBJ() const { return GetSafeHandle(); }
    // Copies the object's description (LOGFONT, BITMAP, LOGPEN, ...); bytes written, 0 on failure.
    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL operator==(const CGdiObject& obj) const { return m_hObject == obj.m_hObject; }
    BOOL operator!=(const CGdiObject& obj) const { return m_hObject != obj.m_hObject; }

    // The wrapper that owns hObject, or a temporary one good until the loop next goes idle.
    static CGdiObject* FromHandle(HGDIOBJ hObject);

    // Operations
    // Takes ownership of hObject; FALSE (and nothing changes) for a null handle or when this
    // wrapper already holds one.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up the handle without deleting it.
    HGDIOBJ Detach();
    // Deletes the held object; FALSE when there is none.
    BOOL DeleteObject();
    // Holds one of the system's stock objects (never deleted).
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();

protected:
    // Takes a freshly created handle: FALSE for null, and a wrapper that already holds an
    // object refuses it and deletes it, so a second Create... neither leaks nor replaces.
    BOOL AttachNew(HGDIOBJ hObject);
};
