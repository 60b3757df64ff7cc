// Loading a layout document as a conforming XML parser would, and finding elements in it.
#include "layout/layout_document.h"

#include <utility>

namespace {

// The length of the well-formed UTF-8 sequence at text[i], or 0: no stray or missing
// continuation bytes, no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i)
{
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return 1;
    std::size_t nLength = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (nLength == 0 || lead > 0xF4 || text.size() - i < nLength)
        return 0;
    char32_t code = lead & (0x7F >> nLength);
    for (std::size_t k = 1; k < nLength; ++k) {
        unsigned char trail = static_cast<unsigned char>(text[i + k]);
        if ((trail & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (trail & 0x3F);
    }
    if (code < kMinimum[nLength] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return nLength;
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        std::size_t nLength = Utf8SequenceLength(text, i);
        if (nLength == 0)
            return false;
        i += nLength;
    }
    return true;
}

// pugixml copies bytes and character references into names and values without checking them.
class CUtf8Checker : public pugi::xml_tree_walker {
public:
    bool for_each(pugi::xml_node& node) override
    {
        m_bValid = IsValidUtf8(node.name()) && IsValidUtf8(node.value());
        for (pugi::xml_attribute attribute : node.attributes())
            m_bValid = m_bValid && IsValidUtf8(attribute.name()) && IsValidUtf8(attribute.value());
        return m_bValid;
    }
    bool m_bValid = true;
};

// The elements of one name below root, in document order.
class CElementCollector : public pugi::xml_tree_walker {
public:
    explicit CElementCollector(std::string_view name) : m_name(name) {}
    bool for_each(pugi::xml_node& node) override
    {
        if (IsElementNamed(node, m_name))
            m_elements.push_back(node);
        return true;
    }
    std::string_view m_name;
    std::vector<pugi::xml_node> m_elements;
};

} // namespace

bool IsElementNamed(pugi::xml_node node, std::string_view name)
{
    return node.type() == pugi::node_element && name == node.name();
}

std::vector<pugi::xml_node> ElementsBelow(pugi::xml_node root, std::string_view name)
{
    CElementCollector collector(name);
    root.traverse(collector);
    return std::move(collector.m_elements);
}

void LoadLayoutDocument(pugi::xml_document& document, std::string_view bytes)
{
    pugi::xml_parse_result result =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    bool bWellFormed = bool(result);
    // NUL is no XML character, and pugixml would silently stop at the first one.
    if (bWellFormed && result.encoding == pugi::encoding_utf8)
        bWellFormed = bytes.find('\0') == std::string_view::npos;
    if (bWellFormed) {
        CUtf8Checker checker;
        document.traverse(checker);
        bWellFormed = checker.m_bValid;
    }
    if (!bWellFormed)
        document.reset();
}
