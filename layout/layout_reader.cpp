// The layout reader over pugixml.
#include "layout/layout_reader.h"

#include <fstream>
#include <utility>
#include <vector>

#include "layout/layout_document.h"
#include "layout/layout_text.h"
#include "platform/system.h"

namespace {

// Far beyond any layout file; keeps a mistaken path (a device file, a huge log) from filling memory.
constexpr std::size_t kMaxLayoutFileBytes = 16 << 20;

std::string ReadFileBytes(const std::string& strPath)
{
    std::ifstream file(ToNativePath(strPath), std::ios::binary);
    std::string bytes;
    std::vector<char> chunk(1 << 16);
    while (file.read(chunk.data(), std::streamsize(chunk.size())) || file.gcount() > 0) {
        bytes.append(chunk.data(), std::size_t(file.gcount()));
        if (bytes.size() > kMaxLayoutFileBytes)
            return {};
    }
    return bytes;
}

std::string ReadText(pugi::xml_node element, const char* attributeName)
{
    pugi::xml_attribute attribute = element.attribute(attributeName);
    if (!attribute)
        throw CLayoutReadError(element.name(), attributeName);
    return attribute.value();
}

int ReadInteger(pugi::xml_node element, const char* attributeName)
{
    return ParseIntegerText(ReadText(element, attributeName));
}

pugi::xml_node FirstChildElement(pugi::xml_node parent, std::string_view name)
{
    for (pugi::xml_node child : parent.children()) {
        if (IsElementNamed(child, name))
            return child;
    }
    return {};
}

void ReadDialogLook(DialogDescription& description, pugi::xml_node section,
                    const std::string& strRoot)
{
    description.strBGImagePath = strRoot + ReadText(section, "DialogBGPath");
    description.strBGColor = ReadText(section, "DialogBGColor");
    ParseColorText(description.strBGColor, description.clrBG);
    description.nPaintMode = ReadInteger(section, "DlgPaintMode");
    ParseOffsetText(ReadText(section, "DlgTextOffSet"), description.ptTextOffset);
    description.strTextColor = ReadText(section, "DlgTextColor");
    ParseColorText(description.strTextColor, description.clrText);
    description.strFontName = ReadText(section, "DialogFont");
    description.nFontSize = ReadInteger(section, "DialogFontSize");
    ParseRectText(ReadText(section, "DialogPos"), description.rcPos);
}

ControlDescription ReadControl(pugi::xml_node element, const std::string& strRoot)
{
    ControlDescription control;
    control.nCtrlID = ReadInteger(element, "CtrlID");
    control.strBGImagePath = strRoot + ReadText(element, "CtrlBGPath");
    control.nSliceCount = ReadInteger(element, "CtrlBGStatusCount");
    control.strFillColor = ReadText(element, "CtrlBGColor");
    ParseColorText(control.strFillColor, control.clrFill);
    control.strBorderColor = ReadText(element, "CtrlBorderColor");
    ParseColorText(control.strBorderColor, control.clrBorder);
    control.nPaintMode = ReadInteger(element, "CtrlPaintMode");
    control.strClassName = ReadText(element, "CtrlClass");
    control.dwStyle = ParseStyleText(ReadText(element, "CtrlStyle"));
    control.nPosType = ReadInteger(element, "CtrlPosType");
    ParseRectText(ReadText(element, "CtrlPos"), control.rcPos);
    control.nShowCmd = ReadInteger(element, "CtrlShow");
    control.strText = ReadText(element, "CtrlText");
    ParseOffsetText(ReadText(element, "CtrlTextOffSet"), control.ptTextOffset);
    control.strTextColor = ReadText(element, "CtrlTextColor");
    ParseColorText(control.strTextColor, control.clrText);
    control.strFontName = ReadText(element, "CtrlFont");
    control.nFontSize = ReadInteger(element, "CtrlFontSize");
    control.strNote = ReadText(element, "CtrlDiscrip");
    return control;
}

void ReadSection(DialogDescription& description, pugi::xml_node section)
{
    std::string strRoot = GetDataFolderRoot();
    ReadDialogLook(description, section, strRoot);
    for (pugi::xml_node element : ElementsBelow(section, "CtrlInfo")) {
        ControlDescription control = ReadControl(element, strRoot);
        description.mapControls.try_emplace(control.nCtrlID, std::move(control));
    }
}

void ReadStrings(DialogDescription& description, pugi::xml_node dialog)
{
    for (pugi::xml_node element : ElementsBelow(dialog, "StringInfo")) {
        std::string strID = ReadText(element, "StringID");
        std::string strValue = ReadText(element, "StringValue");
        description.mapStrings.try_emplace(std::move(strID), std::move(strValue));
    }
}

void ReadDialog(DialogDescription& description, pugi::xml_node dialog, int nDialogID,
                const std::string& strSection)
{
    description.nDialogID = nDialogID;
    description.strText = ReadText(dialog, "DialogText");
    description.strNote = ReadText(dialog, "DialogDiscrip");
    if (pugi::xml_node section = FirstChildElement(dialog, strSection))
        ReadSection(description, section);
    ReadStrings(description, dialog);
}

} // namespace

CLayoutReadError::CLayoutReadError(std::string strElement, std::string strAttribute)
    : std::runtime_error("layout element \"" + strElement + "\" lacks the attribute \"" +
                         strAttribute + "\""),
      m_strElement(std::move(strElement)), m_strAttribute(std::move(strAttribute))
{
}

int ReadLayoutFile(DialogDescription& description, const std::string& strPath, int nDialogID,
                   const std::string& strSection)
{
    description = DialogDescription();
    if (strPath.empty())
        return 0;
    return ReadLayoutBuffer(description, ReadFileBytes(strPath), nDialogID, strSection);
}

int ReadLayoutBuffer(DialogDescription& description, std::string_view bytes, int nDialogID,
                     const std::string& strSection)
{
    description = DialogDescription();
    pugi::xml_document document;
    LoadLayoutDocument(document, bytes);
    for (pugi::xml_node dialog : ElementsBelow(document, "DialogInfo")) {
        if (!IsElementNamed(dialog.parent(), "WindowInformation"))
            continue;
        if (ReadInteger(dialog, "DialogID") == nDialogID)
            ReadDialog(description, dialog, nDialogID, strSection);
    }
    return 1;
}
