#pragma once
// One XML element of the XMPP stream, as a small tree: namespace and local name, attributes in
// order, the character data directly inside it, and child elements. Texts are UTF-8 as they
// travel on the wire. The stream parser builds these for every stanza; the core builds them for
// what it sends and writes them out with ToXml.
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CXmlElement {
public:
    CXmlElement() = default;
    CXmlElement(std::string strName, std::string strNs) : m_strName(std::move(strName)), m_strNs(std::move(strNs)) {}
    CXmlElement(const CXmlElement&) = delete;
    CXmlElement& operator=(const CXmlElement&) = delete;

    const std::string& Name() const { return m_strName; }
    const std::string& Ns() const { return m_strNs; }
    bool Is(const char* name, const char* ns) const { return m_strName == name && m_strNs == ns; }

    // The attribute's value; empty when it is missing. Attributes with a namespace of their own
    // (xml:lang) are kept under "namespace|local".
    const std::string& Attr(const std::string& name) const;
    bool HasAttr(const std::string& name) const;
    CXmlElement& SetAttr(const std::string& name, const std::string& value);
    const std::vector<std::pair<std::string, std::string>>& Attrs() const { return m_attrs; }

    const std::string& Text() const { return m_strText; }
    CXmlElement& SetText(const std::string& text);
    void AppendText(const char* data, size_t n) { m_strText.append(data, n); }

    // The first child of that name (and namespace, when one is given); null when there is none.
    const CXmlElement* Child(const char* name, const char* ns = nullptr) const;
    // The text of that child; empty when there is none.
    std::string ChildText(const char* name, const char* ns = nullptr) const;
    const std::vector<std::unique_ptr<CXmlElement>>& Children() const { return m_children; }
    // Adds a child in the given namespace (the parent's when none is given) and returns it.
    CXmlElement& AddChild(const std::string& name, const char* ns = nullptr);
    CXmlElement& AddChild(std::unique_ptr<CXmlElement> child);

    // The element as XML text. A namespace declaration is written only where the namespace
    // differs from the one in force (strOuterNs): a stanza written inside the client stream
    // carries no "jabber:client" declaration of its own.
    std::string ToXml(const std::string& strOuterNs = std::string()) const;

    // Text and attribute values as XML: the five XML characters escaped, tab and line ends as
    // character references (kept exactly in text and attributes alike), and every character
    // XML 1.0 forbids (controls, U+FFFE, U+FFFF) or that is not well-formed UTF-8 replaced by
    // U+FFFD, so that what goes out is always a stanza a server accepts.
    static std::string Escape(const std::string& text);

private:
    void Write(std::string& out, const std::string& strOuterNs) const;

    std::string m_strName;
    std::string m_strNs;
    std::vector<std::pair<std::string, std::string>> m_attrs;
    std::string m_strText;
    std::vector<std::unique_ptr<CXmlElement>> m_children;
};
