#pragma once
// The server's answer to the department query of the sign-in by display name: which accounts
// carry a display name, and in which departments. The answer is UTF-8 XML:
//
//   <users>
//     <user username="Alice Smith" loginname="asmith">
//       <dept path="Head office/Sales"/>
//       <dept path="Head office/Support"/>
//     </user>
//     <user username="Alice Smith" loginname="asmith2" path="Branch"/>
//   </users>
//
// Every character of the names and paths is kept: the bytes are read as UTF-8, never through
// the ANSI code page.
#include "framework/CString.h"
#include <vector>

struct UserDeptAnswer {
    CString strUserName;
    CString strLoginName;
    CString strPath;
};

// The answers of the reply, in document order: one per child element of a "user" element (any
// letter case) with that child's "path", or, for a "user" element without children, one with its
// own "path". Users whose login name contains "@" are passed over. false (and no answers) when
// the reply is not XML with a root element.
bool ParseUserDeptsReply(const char* pszUtf8, std::vector<UserDeptAnswer>& answers);
