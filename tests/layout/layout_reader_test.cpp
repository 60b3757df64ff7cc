// The layout reader: the shipped English file, the matching rules, broken and hostile files and
// the reading error of a missing attribute.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "layout/layout_reader.h"
#include "layout_test_support.h"

namespace {

std::string CtrlInfo(int nID, const std::string& strClass = "StandardButton",
                     const std::string& strText = "")
{
    return "<CtrlInfo CtrlID=\"" + std::to_string(nID) +
           "\" CtrlBGPath=\"\" CtrlBGStatusCount=\"1\" CtrlBGColor=\"1,2,3\""
           " CtrlBorderColor=\"4,5,6\" CtrlPaintMode=\"4\" CtrlClass=\"" + strClass +
           "\" CtrlStyle=\"WS_CHILD\" CtrlPosType=\"3\" CtrlPos=\"1,2,3,4\" CtrlShow=\"5\""
           " CtrlText=\"" + strText + "\" CtrlTextOffSet=\"0,0\" CtrlTextColor=\"7,8,9\""
           " CtrlFont=\"Tahoma\" CtrlFontSize=\"12\" CtrlDiscrip=\"\"/>";
}

std::string Section(const std::string& strName, const std::string& strBody,
                    const std::string& strFont = "Tahoma")
{
    return "<" + strName + " DialogBGPath=\"\\bg.png\" DialogBGColor=\"1,1,1\" DlgPaintMode=\"8\""
           " DlgTextOffSet=\"0,0\" DlgTextColor=\"2,2,2\" DialogFont=\"" + strFont +
           "\" DialogFontSize=\"12\" DialogPos=\"0,0,10,10\">" + strBody + "</" + strName + ">";
}

std::string StringInfo(const std::string& strID, const std::string& strValue)
{
    return "<StringInfo StringID=\"" + strID + "\" StringValue=\"" + strValue + "\"/>";
}

std::string DialogInfo(int nID, const std::string& strText, const std::string& strBody)
{
    return "<DialogInfo DialogID=\"" + std::to_string(nID) + "\" DialogText=\"" + strText +
           "\" DialogDiscrip=\"\">" + strBody + "</DialogInfo>";
}

std::string Layout(const std::string& strBody)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><WindowInformation>" + strBody +
           "</WindowInformation>";
}

std::vector<int> ControlIDs(const DialogDescription& description)
{
    std::vector<int> ids;
    for (const auto& [nID, control] : description.mapControls)
        ids.push_back(nID);
    return ids;
}

// Something to overwrite, so that every test also sees the description reset first.
DialogDescription Stale()
{
    DialogDescription description;
    description.nDialogID = 7;
    description.strText = "stale";
    description.mapControls[1].strText = "stale";
    description.mapStrings["stale"] = "stale";
    return description;
}

using LayoutReader = LayoutTest;

TEST_F(LayoutReader, ShippedEnglishStandard)
{
    DialogDescription description = Stale();
    ASSERT_EQ(ReadLayoutFile(description, ShippedLayoutPath(150), 201, "Standard"), 1);

    EXPECT_EQ(description.nDialogID, 201);
    EXPECT_EQ(description.strText, "VELK WIFI DISK");
    EXPECT_EQ(description.strBGImagePath,
              kTestDataRoot + "\\VELKSearchTools\\Picture\\SearchDevice_BlackGround.png");
    EXPECT_EQ(description.clrText, 0x00F7F5F4u);
    EXPECT_EQ(description.rcPos, CRect(0, 0, 328, 245));
    EXPECT_EQ(ControlIDs(description),
              (std::vector<int>{2101, 2102, 2103, 2104, 2105, 2106, 2107, 2108, 2109}));
    EXPECT_EQ(description.mapControls.at(2106).rcPos, CRect(10, 194, 290, 209));
    EXPECT_EQ(description.mapControls.at(2105).dwStyle, 0x50000001u);
    EXPECT_EQ(description.mapControls.at(2103).strBGImagePath,
              kTestDataRoot + "\\VELKSearchTools\\Picture\\close.png");

    const LayoutStringMap expected = {
        {"SEARCH_DEVICE_LIST_ITEM_NAME", "Host Name"},
        {"SEARCH_DEVICE_LIST_ITEM_IP", "IP Address"},
        {"SEARCH_DEVICE_LIST_ITEM_TYPE", "Devcie Type"},
        {"SEARCH_DEVICE_LIST_HEADER_FONT_NAME", "Tahoma"},
        {"SEARCH_DEVICE_LIST_HEADER_FONT_SIZE", "12"},
        {"SEARCH_DEVICE_LIST_HEADER_FONT_COLOR", "244,245,247"},
        {"SEARCH_DEVICE_WATI_TIME_WARNING", "Searching new devices,please wait"},
    };
    EXPECT_EQ(description.mapStrings, expected);
}

TEST_F(LayoutReader, OtherDialogIDGivesTheEmptyState)
{
    DialogDescription description = Stale();
    EXPECT_EQ(ReadLayoutFile(description, ShippedLayoutPath(150), 202, "Standard"), 1);
    EXPECT_EQ(description, DialogDescription());
}

TEST_F(LayoutReader, MissingSectionKeepsTheDialogFieldsAndStrings)
{
    DialogDescription full;
    ReadLayoutFile(full, ShippedLayoutPath(150), 201, "Standard");
    DialogDescription description = Stale();
    EXPECT_EQ(ReadLayoutFile(description, ShippedLayoutPath(150), 201, "Compact"), 1);

    DialogDescription expected;
    expected.nDialogID = 201;
    expected.strText = "VELK WIFI DISK";
    expected.strNote = "Search Device Windows";
    expected.mapStrings = full.mapStrings;
    EXPECT_EQ(description, expected);
    EXPECT_EQ(description.mapStrings.size(), 7u);
}

TEST_F(LayoutReader, EmptyPathReadsNothing)
{
    DialogDescription description = Stale();
    EXPECT_EQ(ReadLayoutFile(description, "", 201, "Standard"), 0);
    EXPECT_EQ(description, DialogDescription());
}

// Whatever a broken file held before the fault, nothing of it reaches the description.
TEST_F(LayoutReader, UnreadableOrMalformedFilesGiveTheEmptyState)
{
    const std::string shipped = FileBytes(ShippedLayoutPath(150));
    const std::string valid = Layout(DialogInfo(201, "T", Section("Standard", CtrlInfo(1))));
    auto with = [&](const std::string& from, const std::string& to) {
        std::string bytes = valid;
        return bytes.replace(bytes.find(from), from.size(), to);
    };
    const struct {
        const char* szCase;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not XML", "VELK WIFI DISK\r\n"},
        {"truncated", shipped.substr(0, shipped.size() / 2)},
        {"mismatched end tag", with("</DialogInfo>", "</DialogInf>")},
        {"unquoted value", with("DialogText=\"T\"", "DialogText=T")},
        {"invalid UTF-8", with("DialogText=\"T\"", "DialogText=\"\xC3\x28\"")},
        {"overlong UTF-8", with("DialogText=\"T\"", "DialogText=\"\xC0\xAF\"")},
        {"NUL byte", with("DialogText=\"T\"", std::string("DialogText=\"T\0\"", 15))},
        {"NUL after the root", valid + std::string(1, '\0') + "<x/>"},
        {"surrogate reference", with("DialogText=\"T\"", "DialogText=\"&#xD800;\"")},
        {"reference beyond U+10FFFF", with("DialogText=\"T\"", "DialogText=\"&#x110000;\"")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        DialogDescription description = Stale();
        EXPECT_EQ(ReadLayoutFile(description, WriteScratchFile("layout.xml", c.bytes), 201,
                                 "Standard"),
                  1);
        EXPECT_EQ(description, DialogDescription());
    }
    DialogDescription description = Stale();
    EXPECT_EQ(ReadLayoutFile(description, (m_scratch / "missing.xml").string(), 201, "Standard"),
              1);
    EXPECT_EQ(description, DialogDescription());
    EXPECT_EQ(ReadLayoutFile(description, m_scratch.string(), 201, "Standard"), 1);
    EXPECT_EQ(description, DialogDescription());
}

TEST_F(LayoutReader, FileWithoutByteOrderMarkReadsTheSame)
{
    const std::string shipped = FileBytes(ShippedLayoutPath(150));
    ASSERT_EQ(shipped.substr(0, 3), "\xEF\xBB\xBF");
    DialogDescription withMark, withoutMark;
    ReadLayoutFile(withMark, ShippedLayoutPath(150), 201, "Standard");
    ReadLayoutFile(withoutMark, WriteScratchFile("layout.xml", shipped.substr(3)), 201,
                   "Standard");
    EXPECT_EQ(withoutMark, withMark);
    EXPECT_EQ(withoutMark.mapControls.size(), 9u);
}

TEST_F(LayoutReader, BackslashesInThePathAreSeparators)
{
    WriteScratchFile("layout.xml", Layout(DialogInfo(201, "T", "")));
    DialogDescription description;
    ReadLayoutFile(description, m_scratch.string() + "\\layout.xml", 201, "Standard");
    EXPECT_EQ(description.strText, "T");
}

TEST_F(LayoutReader, FirstEntryOfAnIDWins)
{
    const std::string bytes = Layout(
        DialogInfo(201, "first",
                   Section("Standard", CtrlInfo(2103, "StandardButton") +
                                           CtrlInfo(2103, "ShowTextCtrl") + CtrlInfo(2101)) +
                       StringInfo("A", "first") + StringInfo("A", "second")) +
        DialogInfo(201, "last",
                   Section("Standard", CtrlInfo(2103, "DriftButton") + CtrlInfo(2110), "Arial") +
                       StringInfo("A", "third") + StringInfo("B", "last")));
    DialogDescription description;
    ReadLayoutBuffer(description, bytes, 201, "Standard");

    EXPECT_EQ(ControlIDs(description), (std::vector<int>{2101, 2103, 2110}));
    EXPECT_EQ(description.mapControls.at(2103).strClassName, "StandardButton");
    EXPECT_EQ(description.mapStrings, (LayoutStringMap{{"A", "first"}, {"B", "last"}}));
    EXPECT_EQ(description.strText, "last");
    EXPECT_EQ(description.strFontName, "Arial");
}

TEST_F(LayoutReader, OnlyTheAskedDialogAndSectionCount)
{
    const std::string bytes = Layout(
        DialogInfo(202, "other dialog", Section("Standard", CtrlInfo(1)) + StringInfo("X", "x")) +
        DialogInfo(201, "asked",
                   Section("Other", CtrlInfo(2)) + Section("Standard", CtrlInfo(3), "Arial") +
                       Section("Standard", CtrlInfo(4), "Courier")));
    DialogDescription description;
    ReadLayoutBuffer(description, bytes, 201, "Standard");

    EXPECT_EQ(description.strText, "asked");
    EXPECT_EQ(description.strFontName, "Arial");
    EXPECT_EQ(ControlIDs(description), (std::vector<int>{3}));
    EXPECT_TRUE(description.mapStrings.empty());
}

TEST_F(LayoutReader, ElementsAreFoundWhereverTheRulesAllow)
{
    std::string controlWithChild = CtrlInfo(7);
    controlWithChild.replace(controlWithChild.size() - 2, 2, ">" + StringInfo("in control", "2") +
                                                                 "</CtrlInfo>");
    const std::string bytes =
        "<Root><DialogInfo DialogID=\"201\" DialogText=\"not below WindowInformation\""
        " DialogDiscrip=\"\"/><Group><WindowInformation>" +
        DialogInfo(201, "nested",
                   Section("Standard", "<Panel>" + CtrlInfo(5) + "<Inner>" + CtrlInfo(6) +
                                           "</Inner></Panel>" + StringInfo("in section", "1") +
                                           controlWithChild) +
                       CtrlInfo(8) + "<Deep>" + StringInfo("deep", "3") + "</Deep>") +
        "</WindowInformation></Group></Root>";
    DialogDescription description;
    ReadLayoutBuffer(description, bytes, 201, "Standard");

    EXPECT_EQ(description.strText, "nested");
    EXPECT_EQ(ControlIDs(description), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(description.mapStrings,
              (LayoutStringMap{{"deep", "3"}, {"in control", "2"}, {"in section", "1"}}));
}

TEST_F(LayoutReader, ValuesAreTakenAsTheParserDeliversThem)
{
    const std::string bytes = Layout(DialogInfo(
        201, "T",
        Section("Standard", CtrlInfo(1, "StandardButton",
                                     "a &amp; b &lt;c&gt; &quot;d&quot; &apos;e&apos; &#x2026;") +
                                CtrlInfo(2, "StandardButton", "ab&#0;cd") +
                                CtrlInfo(3, "StandardButton", " lead\tand\r\nline ")) +
            "<StringInfo StringValue=\"v\" StringID=\"swapped order\"/>"));
    DialogDescription description;
    ReadLayoutBuffer(description, bytes, 201, "Standard");

    EXPECT_EQ(description.mapControls.at(1).strText, "a & b <c> \"d\" 'e' \u2026");
    EXPECT_EQ(description.mapControls.at(2).strText, "ab");
    EXPECT_EQ(description.mapControls.at(3).strText, " lead and line ");
    EXPECT_EQ(description.mapStrings.at("swapped order"), "v");
}

TEST_F(LayoutReader, HostileValuesAndNestingAreHarmless)
{
    constexpr int kDepth = 100000;
    std::string hostile = CtrlInfo(1);
    hostile.replace(hostile.find("CtrlID=\"1\""), 10, "CtrlID=\"99999999999999999999\"");
    hostile.replace(hostile.find("CtrlPos=\"1,2,3,4\""), 17,
                    "CtrlPos=\"2147483647,-2147483648,2147483647,-2147483648\"");
    std::string nesting;
    for (int i = 0; i < kDepth; ++i)
        nesting += "<n>";
    nesting += hostile;
    for (int i = 0; i < kDepth; ++i)
        nesting += "</n>";
    DialogDescription description;
    ReadLayoutBuffer(description, Layout(DialogInfo(201, "T", Section("Standard", nesting))), 201,
                     "Standard");

    ASSERT_EQ(ControlIDs(description), (std::vector<int>{INT_MAX}));
    EXPECT_EQ(description.mapControls.at(INT_MAX).rcPos,
              CRect(INT_MAX, INT_MIN, INT_MAX, INT_MIN));
}

// Every attribute is required: taking any one away from the shipped file raises the error
// that names it, with the element that lacks it.
TEST_F(LayoutReader, MissingAttributeNamesElementAndAttribute)
{
    const std::string shipped = FileBytes(ShippedLayoutPath(150));
    const struct {
        const char* szElement;
        std::vector<const char*> attributes;
    } elements[] = {
        {"DialogInfo", {"DialogID", "DialogText", "DialogDiscrip"}},
        {"Standard",
         {"DialogBGPath", "DialogBGColor", "DlgPaintMode", "DlgTextOffSet", "DlgTextColor",
          "DialogFont", "DialogFontSize", "DialogPos"}},
        {"CtrlInfo",
         {"CtrlID", "CtrlBGPath", "CtrlBGStatusCount", "CtrlBGColor", "CtrlBorderColor",
          "CtrlPaintMode", "CtrlClass", "CtrlStyle", "CtrlPosType", "CtrlPos", "CtrlShow",
          "CtrlText", "CtrlTextOffSet", "CtrlTextColor", "CtrlFont", "CtrlFontSize",
          "CtrlDiscrip"}},
        {"StringInfo", {"StringID", "StringValue"}},
    };
    for (const auto& element : elements) {
        for (const char* szAttribute : element.attributes) {
            SCOPED_TRACE(szAttribute);
            std::string bytes = shipped;
            std::size_t at = bytes.find(std::string(" ") + szAttribute + "=\"");
            ASSERT_NE(at, std::string::npos);
            bytes.erase(at, bytes.find('"', bytes.find('"', at) + 1) + 1 - at);
            DialogDescription description;
            try {
                ReadLayoutBuffer(description, bytes, 201, "Standard");
                ADD_FAILURE() << "no reading error";
            } catch (const CLayoutReadError& error) {
                EXPECT_EQ(error.GetElement(), element.szElement);
                EXPECT_EQ(error.GetAttribute(), szAttribute);
                EXPECT_NE(std::string(error.what()).find(element.szElement), std::string::npos);
                EXPECT_NE(std::string(error.what()).find(szAttribute), std::string::npos);
            }
        }
    }
}

TEST_F(LayoutReader, MissingAttributeKeepsWhatWasReadBeforeIt)
{
    std::string bytes = FileBytes(ShippedLayoutPath(150));
    const std::string font = " CtrlFont=\"Tahoma\"";
    bytes.erase(bytes.find(font, bytes.find("CtrlID=\"2102\"")), font.size());

    DialogDescription description = Stale();
    EXPECT_THROW(ReadLayoutBuffer(description, bytes, 201, "Standard"), CLayoutReadError);

    EXPECT_EQ(description.nDialogID, 201);
    EXPECT_EQ(description.strNote, "Search Device Windows");
    EXPECT_EQ(description.rcPos, CRect(0, 0, 328, 245));
    EXPECT_EQ(ControlIDs(description), (std::vector<int>{2101}));
    EXPECT_TRUE(description.mapStrings.empty());
}

} // namespace
