#include "signin/UserDeptsReply.h"
#include "common/CWqStrCode.h"
#include <tinyxml.h>

namespace {

CString Attribute(const TiXmlElement* pElement, const char* pszName)
{
    const char* value = pElement->Attribute(pszName);
    return value ? CWqStrCode::Utf8ToString(value) : CString();
}

} // namespace

bool ParseUserDeptsReply(const char* pszUtf8, std::vector<UserDeptAnswer>& answers)
{
    answers.clear();
    if (!pszUtf8)
        return false;
    TiXmlDocument document;
    document.Parse(pszUtf8, nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* root = document.RootElement();
    if (document.Error() || !root)
        return false;
    for (const TiXmlElement* user = root->FirstChildElement(); user; user = user->NextSiblingElement()) {
        if (_stricmp(user->Value(), "user") != 0)
            continue;
        UserDeptAnswer answer;
        answer.strUserName = Attribute(user, "username");
        answer.strLoginName = Attribute(user, "loginname");
        if (answer.strLoginName.Find(L'@') >= 0)
            continue;
        const TiXmlElement* dept = user->FirstChildElement();
        if (!dept) {
            answer.strPath = Attribute(user, "path");
            answers.push_back(answer);
            continue;
        }
        for (; dept; dept = dept->NextSiblingElement()) {
            answer.strPath = Attribute(dept, "path");
            answers.push_back(answer);
        }
    }
    return true;
}
