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

namespace {

const char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD

// The length of the UTF-8 sequence at text[i] and its code point; 0 when the bytes there are not
// well-formed UTF-8 (a stray byte, a cut or overlong sequence, a surrogate, past U+10FFFF).
size_t DecodeUtf8(const std::string& text, size_t i, unsigned& cp)
{
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t len;
    unsigned min;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2, min = 0x80, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3, min = 0x800, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4, min = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + len > text.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// Characters XML 1.0 allows: tab, line feed, carriage return, and the rest from U+0020 on,
// except U+FFFE and U+FFFF.
bool AllowedInXml(unsigned cp)
{
    return cp >= 0x20 ? cp != 0xFFFE && cp != 0xFFFF : cp == 0x9 || cp == 0xA || cp == 0xD;
}

} // namespace

std::string CXmlElement::Escape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned cp = 0;
        const size_t len = DecodeUtf8(text, i, cp);
        if (!len || !AllowedInXml(cp)) {
            // A receiver's parser would refuse the whole stream (and the server close it): the
            // character is shown as the replacement character instead.
            out += kReplacement;
            i += len ? len : 1;
            continue;
        }
        switch (cp) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        case '"': out += "&quot;"; break;
        // A parser turns a line end into a plain line feed, and white space in an attribute
        // into spaces: as references they arrive as they were written.
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default: out.append(text, i, len); break;
        }
        i += len;
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
