#pragma once
// COleDropSource: the source side of an OLE drag (IDropSource). COleDataSource::DoDragDrop uses
// one; a class derives from it to watch or steer the drag (QueryContinueDrag, GiveFeedback).
//
// The drag ends with a drop when the mouse button that started it is released, and is cancelled
// by Esc or by pressing the other mouse button. OnBeginDrag records which button started the drag
// (the right one when only it is down, else the left); it does not wait for the mouse to leave a
// start rectangle: the drag starts at once.
#include "framework/Platform.h"
#include <ole2.h>

class CWnd;

typedef DWORD DROPEFFECT;

class COleDropSource {
public:
    COleDropSource();
    COleDropSource(const COleDropSource&) = delete;
    COleDropSource& operator=(const COleDropSource&) = delete;
    virtual ~COleDropSource() = default;

    // Overridables
    // S_OK to go on, DRAGDROP_S_DROP to drop, DRAGDROP_S_CANCEL to cancel.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // DRAGDROP_S_USEDEFAULTCURSORS, or S_OK after setting a cursor of one's own.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Called before the drag starts; FALSE stops it (no drag happens).
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    // The COM face handed to ::DoDragDrop (owned by this object; its references do not delete it).
    IDropSource* GetDropSource() { return &m_xDropSource; }

    RECT m_rectStartDrag = {}; // the rectangle the drag started from (empty when none was given)
    BOOL m_bDragStarted = FALSE;
    DWORD m_dwButtonCancel = MK_RBUTTON;
    DWORD m_dwButtonDrop = MK_LBUTTON;

private:
    class CDropSource : public IDropSource {
    public:
        explicit CDropSource(COleDropSource* owner) : m_pOwner(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
        HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;

    private:
        COleDropSource* m_pOwner;
    };
    CDropSource m_xDropSource;
};
