#include "standin/QorCore/CXmlElement.h"

namespace {

const std::string kEmpty;
const char kXmlNs[] = "http://www.w3.org/XML/1998/namespace";

} // namespace

const std::string& CXmlElement::Attr(const std::string& name) const
{
    for (const auto& a : m_attrs) {
        if (a.first == name)
            return a.second;
    }
    return kEmpty;
}

bool CXmlElement::HasAttr(const std::string& name) const
{
    for (const auto& a : m_attrs) {
        if (a.first == name)
            return true;
    }
    return false;
}

CXmlElement& CXmlElement::SetAttr(const std::string& name, const std::string& value)
{
    for (auto& a : m_attrs) {
        if (a.first == name) {
            a.second = value;
            return *this;
        }
    }
    m_attrs.emplace_back(name, value);
    return *this;
}

CXmlElement& CXmlElement::SetText(const std::string& text)
{
    m_strText = text;
    return *this;
}

const CXmlElement* CXmlElement::Child(const char* name, const char* ns) const
{
    for (const auto& c : m_children) {
        if (c->m_strName == name && (!ns || c->m_strNs == ns))
            return c.get();
    }
    return nullptr;
}

std::string CXmlElement::ChildText(const char* name, const char* ns) const
{
    const CXmlElement* c = Child(name, ns);
    return c ? c->m_strText : std::string();
}

CXmlElement& CXmlElement::AddChild(const std::string& name, const char* ns)
{
    return AddChild(std::make_unique<CXmlElement>(name, ns ? std::string(ns) : m_strNs));
}

CXmlElement& CXmlElement::AddChild(std::unique_ptr<CXmlElement> child)
{
    m_children.push_back(std::move(child));
    return *m_children.back();
}

std::string CXmlElement::Escape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        case '"': out += "&quot;"; break;
        default: out += ch; break;
        }
    }
    return out;
}

std::string CXmlElement::ToXml(const std::string& strOuterNs) const
{
    std::string out;
    Write(out, strOuterNs);
    return out;
}

void CXmlElement::Write(std::string& out, const std::string& strOuterNs) const
{
    out += '<';
    out += m_strName;
    if (m_strNs != strOuterNs) {
        out += " xmlns='";
        out += Escape(m_strNs);
        out += '\'';
    }
    for (const auto& a : m_attrs) {
        out += ' ';
        // The one namespaced attribute a client writes is xml:lang; others keep their local name.
        const size_t bar = a.first.find('|');
        if (bar != std::string::npos)
            out += (a.first.compare(0, bar, kXmlNs) == 0 ? "xml:" : "") + a.first.substr(bar + 1);
        else
            out += a.first;
        out += "='";
        out += Escape(a.second);
        out += '\'';
    }
    if (m_strText.empty() && m_children.empty()) {
        out += "/>";
        return;
    }
    out += '>';
    out += Escape(m_strText);
    for (const auto& c : m_children)
        c->Write(out, m_strNs);
    out += "</";
    out += m_strName;
    out += '>';
}
