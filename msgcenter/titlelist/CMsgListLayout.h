#pragma once
// The layout of a message list pane (the title list, the contact-history list): the label above
// the list and the list itself span the pane's width, the list reaches its bottom. A new size
// moves their right edges (and the list's bottom) by the change against the size laid out last.
class CWnd;

class CMsgListLayout {
public:
    // The pane's client size as its template made it.
    void Start(CWnd& pane);
    // Follows the pane's new client size cx x cy; dx is the change of width, for the pane's
    // other controls. False, with only the size taken, while the label or the list is not made.
    bool Resize(CWnd& pane, CWnd& label, CWnd& list, int cx, int cy, int& dx);

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
};
