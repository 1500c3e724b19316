#pragma once
// CMeetingTalkList: the group-talk pane's list of talks: the kind of talk it shows, its columns
// for that kind, its rows from Qor_Talk, and the deletion of the selected talks.
class IMeetingPane;

class CMeetingTalkList {
public:
    explicit CMeetingTalkList(IMeetingPane& pane) : m_pane(pane) {}

    // The Col_Type of the talks listed (1 after construction), and a second kind listed after
    // them with the same columns (0: none); takes effect at the next Load.
    void SetKind(int nKind, int nSecondKind)
    {
        m_nKind = nKind;
        m_nSecondKind = nSecondKind;
    }
    int GetKind() const { return m_nKind; }

    bool Load();
    void SetupColumns();
    void DeleteSelected();

private:
    IMeetingPane& m_pane; // the pane that holds the list
    int m_nKind = 1;
    int m_nSecondKind = 0;
};
