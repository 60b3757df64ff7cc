// The XML side of the layout reader: loading a document and finding its elements. Used by the
// reader only; nothing outside layout/ sees pugixml.
#pragma once

#include <pugixml.hpp>

#include <string_view>
#include <vector>

// Loads bytes as a conforming parser would: a document that is not well-formed XML (pugixml's
// verdict, a NUL byte, or names and values that are not valid UTF-8) is left empty.
void LoadLayoutDocument(pugi::xml_document& document, std::string_view bytes);

// Whether node is an element of that name (case-sensitive).
bool IsElementNamed(pugi::xml_node node, std::string_view name);

// Every element of that name below root, in document order. pugixml walks without recursion, so
// deep nesting cannot exhaust the stack.
std::vector<pugi::xml_node> ElementsBelow(pugi::xml_node root, std::string_view name);
