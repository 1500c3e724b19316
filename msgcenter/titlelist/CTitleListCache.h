#pragma once
// The title list's rows: one _MSGITEM slot per row of the current view, filled a window at a
// time from the view's base query with LIMIT/OFFSET, so a view of a million messages costs one
// count and a page per cache hint. Also the one-pass walk over many selected rows that
// deletion and export use: runs of selected rows are read in large pages (one query per page,
// never one per row) and handed over in list order.
#include "msgcenter/titlelist/MsgItem.h"
#include <functional>
#include <vector>

class CYqConnect;

class CTitleListCache {
public:
    // Rows fetched per query by ForEachRow.
    enum { kWalkPage = 20000 };

    // A new view: nTotal empty slots, range 0..0.
    void Reset(int nTotal);
    void Clear() { Reset(0); }
    int GetTotal() const { return m_nTotal; }
    int GetFrom() const { return m_nFrom; }
    int GetTo() const { return m_nTo; }
    void SetRange(int nFrom, int nTo) { m_nFrom = nFrom; m_nTo = nTo; }
    // The slot of a row; null outside the cache.
    const _MSGITEM* Slot(int nIndex) const;
    // Fills the slots from row 0 on with rows read elsewhere (a view listed whole).
    void Load(const std::vector<_MSGITEM>& rows);
    // Shrinks the view by nRows (not below 0) and empties every slot, since the rows after a
    // deleted one have moved.
    void Shrink(int nRows);

    // Fetches rows nFrom..nTo (nTo lowered to the total; at least one row) of the base query in
    // the given order into their slots. False when the statement cannot run (the cache then
    // stays as it was).
    bool Fetch(CYqConnect* pConnect, const CString& strBase, int nSortColumn, bool bDescending, int nFrom, int nTo);

    // Walks the rows at the given indexes (ascending) in that order; rows not yet in the cache
    // are read by pages of kWalkPage into a scratch buffer (the cache itself is not grown).
    // The callback answers false to stop. False when a page could not be read.
    using RowVisitor = std::function<bool(int nIndex, const _MSGITEM& item)>;
    bool ForEachRow(CYqConnect* pConnect, const CString& strBase, int nSortColumn, bool bDescending,
                    const std::vector<int>& indexes, const RowVisitor& visit) const;

    // Reads the rows of a statement whose select list is the eight row columns (bReversed:
    // they come last first and are turned round).
    static bool ReadRows(CYqConnect* pConnect, const CString& strSql, std::vector<_MSGITEM>& rows,
                         bool bReversed = false);

private:
    std::vector<_MSGITEM> m_cache;
    int m_nTotal = 0;
    int m_nFrom = 0;
    int m_nTo = 0;
};
