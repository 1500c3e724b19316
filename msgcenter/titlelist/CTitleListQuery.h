#pragma once
// The statements of the title list's views: for each view a count statement and a base query
// (the select without ORDER BY and LIMIT), the ORDER BY of a sort column and the page
// statement of a cache hint. Pure text building, so each view's SQL can be checked without a
// window or a database.
//
// Values typed by the user (search text, person words, login names) are quoted with their
// quotes doubled; in LIKE patterns "%", "_" and "\" are escaped so they match themselves, and
// the statement says ESCAPE '\'. The search text is matched the same way in the count and the
// rows (the database's LIKE folds case for every language), so the two always agree.
#include "framework/CString.h"

struct CTitleListStatements {
    CString strCount;     // "SELECT count(*) ..."
    CString strBase;      // the eight columns of a row, without ORDER BY and LIMIT
};

class CTitleListQuery {
public:
    enum { kFolderReceived = 1, kFolderSent = 2 };

    static CTitleListStatements Folder(int nFolder);
    // Sent messages still waiting for a receipt (read states 0 and 4).
    static CTitleListStatements ReadState();
    // The conversation between the signed-in user (strSelf) and another person (strPeer).
    static CTitleListStatements TalkHistory(const CString& strPeer, const CString& strSelf);
    // Text in the body, every ";"-separated person word in a sender's or receiver's login or
    // name, and the send day between two "YYYY-MM-DD" days (either may be empty: that side
    // is then open).
    static CTitleListStatements Search(const CString& strText, const CString& strPersons,
                                       const CString& strFirstDay, const CString& strLastDay);
    // The user-folder view's one statement (all user folders for an empty name).
    static CString UserFolder(const CString& strFolderName);

    // " ORDER BY ..." for a column (-1 or an unknown column: newest first). Rows with equal
    // values keep one order (by row id), so a row never shows on two pages nor on none.
    // bReverse gives the same order backwards.
    static CString OrderBy(int nColumn, bool bDescending, bool bReverse = false);
    // The statement of rows nFrom.. (nCount of them) in the given order of a view of nTotal
    // rows. A page in the back half is read from the end (bReversed set: its rows come last
    // first), since the database steps over every row before OFFSET.
    static CString Page(const CString& strBase, int nColumn, bool bDescending, int nFrom, int nCount, int nTotal,
                        bool& bReversed);

    // "'" doubled.
    static CString Quote(const CString& strValue);
    // Quote, and "\", "%" and "_" escaped with "\" for a LIKE ... ESCAPE '\' pattern.
    static CString LikeEscape(const CString& strValue);
};
