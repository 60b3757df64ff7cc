// Reads one dialog's description, chosen by dialog id and section name, from a layout file.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "layout/layout_description.h"

// A layout element lacks an attribute that the format requires. Reading stops there; what was
// read before it stays in the description.
class CLayoutReadError : public std::runtime_error {
public:
    CLayoutReadError(std::string strElement, std::string strAttribute);

    const std::string& GetElement() const { return m_strElement; }
    const std::string& GetAttribute() const { return m_strAttribute; }

private:
    std::string m_strElement;
    std::string m_strAttribute;
};

// Fills description (first put into the empty state) from the layout file at strPath, a full
// path whose backslashes are separators. Returns 0 for an empty path, otherwise 1, also when the
// file is missing, unreadable or not well-formed (the description then stays empty). Throws
// CLayoutReadError for a missing attribute.
int ReadLayoutFile(DialogDescription& description, const std::string& strPath, int nDialogID,
                   const std::string& strSection);

// The same over a layout file's bytes already in memory; returns 1.
int ReadLayoutBuffer(DialogDescription& description, std::string_view bytes, int nDialogID,
                     const std::string& strSection);
