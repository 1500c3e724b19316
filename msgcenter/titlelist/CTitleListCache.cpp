#include "msgcenter/titlelist/CTitleListCache.h"
#include "msgcenter/titlelist/CTitleListQuery.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include <algorithm>

void CTitleListCache::Reset(int nTotal)
{
    m_nTotal = nTotal < 0 ? 0 : nTotal;
    // A fresh vector: a view change must not keep the rows of the previous view.
    std::vector<_MSGITEM>(static_cast<size_t>(m_nTotal)).swap(m_cache);
    m_nFrom = 0;
    m_nTo = 0;
}

const _MSGITEM* CTitleListCache::Slot(int nIndex) const
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_cache.size())
        return nullptr;
    return &m_cache[static_cast<size_t>(nIndex)];
}

void CTitleListCache::Load(const std::vector<_MSGITEM>& rows)
{
    for (size_t k = 0; k < rows.size() && k < m_cache.size(); ++k)
        m_cache[k] = rows[k];
    if (!rows.empty())
        m_nTo = static_cast<int>(rows.size()) - 1;
}

void CTitleListCache::Shrink(int nRows)
{
    int total = m_nTotal - nRows;
    Reset(total < 0 ? 0 : total);
}

bool CTitleListCache::ReadRows(CYqConnect* pConnect, const CString& strSql, std::vector<_MSGITEM>& rows,
                               bool bReversed)
{
    CYqRecordset rs;
    if (!rs.Open(strSql, pConnect))
        return false;
    rows.clear();
    rows.reserve(static_cast<size_t>(rs.GetRecordCount()));
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        _MSGITEM item;
        CString date;
        rs.GetValue(0, item.strID);
        rs.GetValue(1, item.nAttachCount);
        rs.GetValue(2, item.nReadState);
        rs.GetValue(3, item.strSenderName);
        rs.GetValue(4, item.strSubject);
        rs.GetValue(5, date);
        item.strSendDate = CQorViewBaseFun::ToDefaultLocalTime(date);
        rs.GetValue(6, item.strRecvName);
        rs.GetValue(7, item.nFlags);
        rows.push_back(std::move(item));
    }
    rs.Close();
    if (bReversed)
        std::reverse(rows.begin(), rows.end());
    return true;
}

bool CTitleListCache::Fetch(CYqConnect* pConnect, const CString& strBase, int nSortColumn, bool bDescending,
                            int nFrom, int nTo)
{
    if (nTo > m_nTotal)
        nTo = m_nTotal;
    m_nFrom = nFrom;
    m_nTo = nTo;
    int count = nTo - nFrom + 1;
    if (count <= 0)
        count = 1;
    std::vector<_MSGITEM> rows;
    bool reversed = false;
    CString sql = CTitleListQuery::Page(strBase, nSortColumn, bDescending, nFrom, count, m_nTotal, reversed);
    if (!ReadRows(pConnect, sql, rows, reversed))
        return false;
    for (size_t k = 0; k < rows.size(); ++k) {
        size_t slot = static_cast<size_t>(nFrom) + k;
        if (slot >= m_cache.size())
            break; // more rows than were counted: the database changed under the view
        m_cache[slot] = std::move(rows[k]);
    }
    return true;
}

bool CTitleListCache::ForEachRow(CYqConnect* pConnect, const CString& strBase, int nSortColumn, bool bDescending,
                                 const std::vector<int>& indexes, const RowVisitor& visit) const
{
    std::vector<_MSGITEM> page;
    int pageFrom = -1;
    size_t lastInWindow = 0;
    for (size_t pos = 0; pos < indexes.size(); ++pos) {
        int index = indexes[pos];
        const _MSGITEM* cached = Slot(index);
        if (cached && !cached->strID.IsEmpty()) {
            if (!visit(index, *cached))
                return true;
            continue;
        }
        if (pageFrom < 0 || index < pageFrom || index >= pageFrom + static_cast<int>(page.size())) {
            // One query reaches up to the last selected row within a page's reach, so a dense
            // selection costs a query per kWalkPage rows and a sparse one no more rows than needed.
            if (lastInWindow < pos)
                lastInWindow = pos;
            while (lastInWindow + 1 < indexes.size() && indexes[lastInWindow + 1] < index + kWalkPage)
                ++lastInWindow;
            int count = indexes[lastInWindow] - index + 1;
            pageFrom = index;
            bool reversed = false;
            CString sql = CTitleListQuery::Page(strBase, nSortColumn, bDescending, index, count, m_nTotal, reversed);
            if (!ReadRows(pConnect, sql, page, reversed))
                return false;
            if (page.empty())
                return true; // the view has fewer rows than the list thinks
        }
        size_t k = static_cast<size_t>(index - pageFrom);
        if (k >= page.size())
            continue;
        if (!visit(index, page[k]))
            return true;
    }
    return true;
}
