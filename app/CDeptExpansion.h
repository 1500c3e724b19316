#pragma once
// Opening the user's own department in the organisation tree once the user list has loaded: a
// short-lived worker asks the web service for the department path of the signed-in user, turns
// it into the tree's expansion entries and the view tab to show, and hands them to the main
// window (WM_USER+150), which stores them in the user's settings ("EXPANDVIEW") and shows the
// tab. The worker works on copies of what it needs, so a sign-out meanwhile cannot pull the
// session's data from under it; the window drops a result that arrives after the sign-out.
#include "framework/CString.h"
#include <memory>

class IDeptExpansionOwner;

class CDeptExpansion {
public:
    // What a department path stands for: the settings key of the expansion, the expansion
    // entries ("kind,id,open;" each), and the view tab to show (empty: none).
    struct Expansion {
        CString strViewKey;
        CString strExpansion;
        CString strTabText;
    };

    explicit CDeptExpansion(IDeptExpansionOwner& owner);
    ~CDeptExpansion();
    CDeptExpansion(const CDeptExpansion&) = delete;
    CDeptExpansion& operator=(const CDeptExpansion&) = delete;

    // Starts the worker for the signed-in account; a worker still running is not joined by a
    // second one (TRUE then too). FALSE when no worker could be started.
    BOOL Start(HWND hWnd);
    BOOL IsRunning() const;
    // WM_USER+150: wParam is the number of the run whose result is waiting.
    LRESULT OnSwitchViewTab(WPARAM wParam);

    // The department path ("kind_id" segments joined by "/"; kind 4 a view, kind 2 a
    // department) with the company suffix ("@suffix" after a view's id when not empty).
    // Segments that do not start with two numbers joined by "_" add nothing.
    static Expansion ParsePath(const CString& strPath, const CString& strSuffix);
    // The web service's reply: the "path_id" attribute of the first child element of the
    // document's first element. FALSE when the reply has no such element.
    static BOOL ReadPath(const char* pszReply, CString& strPath);
    // The request for a login name on the server's web service host.
    static CString BuildRequestUrl(const CString& strServerHost, const CString& strLogin);

    struct State;

private:
    IDeptExpansionOwner& m_owner;
    std::shared_ptr<State> m_pState; // shared with the worker, which may outlive the window
};

// The worker: computes the expansion for its copies and posts WM_USER+150 to the window.
unsigned __stdcall ExpandMyDeptThreadProc(void* pJob);
