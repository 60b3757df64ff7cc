// The layout frame: the load chain through the data folder, look-ups of strings, descriptions
// and controls, the fonts it makes and the release of everything it owns.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "frame_test_support.h"
#include "layout/layout_frame.h"
#include "layout/layout_reader.h"
#include "layout_test_support.h"

namespace {

const std::string kRelativePath = "\\VELKSearchTools\\WndLayoutInfo.xml";

// Records the chain of hooks as it runs, then does what the base does.
class CRecordingFrame : public CBasicLayoutFrame {
public:
    std::vector<std::string> calls;

    void LoadLayout(std::string strRelativePath, int nDialogID, std::string strSection) override
    {
        calls.push_back("LoadLayout " + strRelativePath);
        CBasicLayoutFrame::LoadLayout(strRelativePath, nDialogID, strSection);
    }
    void LoadLayoutFile(std::string strFullPath, int nDialogID, std::string strSection) override
    {
        calls.push_back("LoadLayoutFile " + strFullPath);
        CBasicLayoutFrame::LoadLayoutFile(strFullPath, nDialogID, strSection);
    }
    void ReadLayout(std::string strFullPath, int nDialogID, std::string strSection) override
    {
        calls.push_back("ReadLayout " + std::to_string(nDialogID) + " " + strSection);
        CBasicLayoutFrame::ReadLayout(strFullPath, nDialogID, strSection);
    }
    void ApplyLayout() override
    {
        calls.push_back("ApplyLayout");
        CBasicLayoutFrame::ApplyLayout();
    }
    void ApplyDialogDescription() override
    {
        calls.push_back("ApplyDialogDescription");
        CBasicLayoutFrame::ApplyDialogDescription();
    }
    void ApplyControlDescriptions() override
    {
        calls.push_back("ApplyControlDescriptions");
        CBasicLayoutFrame::ApplyControlDescriptions();
    }
    void BindControls() override { calls.push_back("BindControls"); }
};

// The data folder root is the test's scratch folder, holding the layout file where the program
// writes it.
class LayoutFrameLoad : public LayoutTest {
protected:
    void SetUp() override
    {
        LayoutTest::SetUp();
        ::setenv("XDG_DATA_HOME", m_scratch.c_str(), 1);
        std::filesystem::create_directories(m_scratch / "VELKSearchTools");
    }

    void WriteLayout(const std::string& bytes) { WriteScratchFile("VELKSearchTools/WndLayoutInfo.xml", bytes); }
};

TEST_F(LayoutFrameLoad, RunsTheChainInOrderOnTheFileInTheDataFolder)
{
    WriteLayout(FileBytes(ShippedLayoutPath(150)));
    CRecordingFrame frame;
    frame.LoadLayout(kRelativePath, 201, "Standard");
    const std::string strFullPath = m_scratch.string() + kRelativePath;
    EXPECT_EQ(frame.calls, (std::vector<std::string>{"LoadLayout " + kRelativePath, "LoadLayoutFile " + strFullPath,
                                                     "ReadLayout 201 Standard", "ApplyLayout",
                                                     "ApplyDialogDescription", "ApplyControlDescriptions"}));
    EXPECT_EQ(frame.GetDialogDescription().nDialogID, 201);
    EXPECT_EQ(frame.GetDialogDescription().mapControls.size(), 9u);
}

TEST_F(LayoutFrameLoad, AReadingErrorStopsBeforeTheHooks)
{
    // The second control lacks CtrlDiscrip; the first one was read.
    std::string bytes = FileBytes(ShippedLayoutPath(150));
    const std::size_t nAt = bytes.find("CtrlDiscrip", bytes.find("CtrlID=\"2102\""));
    ASSERT_NE(nAt, std::string::npos);
    bytes.replace(nAt, 11, "CtrlDiscrix");
    WriteLayout(bytes);
    CRecordingFrame frame;
    EXPECT_THROW(frame.LoadLayout(kRelativePath, 201, "Standard"), CLayoutReadError);
    EXPECT_EQ(frame.calls.size(), 3u);
    EXPECT_EQ(frame.calls.back(), "ReadLayout 201 Standard");
    EXPECT_EQ(frame.GetDialogDescription().nDialogID, 201);
    EXPECT_EQ(frame.GetDialogDescription().mapControls.size(), 1u);
}

TEST_F(LayoutFrameLoad, AnEmptyRootReadsNothingAndAppliesTheEmptyDescription)
{
    WriteLayout(FileBytes(ShippedLayoutPath(150)));
    CRecordingFrame frame;
    frame.LoadLayout(kRelativePath, 201, "Standard");
    ASSERT_EQ(frame.GetDialogDescription().nDialogID, 201);

    const char* szHome = std::getenv("HOME");
    const std::string strHome = szHome ? szHome : "";
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("HOME");
    frame.calls.clear();
    frame.LoadLayout(kRelativePath, 201, "Standard");
    if (szHome)
        ::setenv("HOME", strHome.c_str(), 1);
    EXPECT_EQ(frame.calls[1], "LoadLayoutFile ");
    EXPECT_EQ(frame.calls.back(), "ApplyControlDescriptions");
    EXPECT_EQ(frame.GetDialogDescription(), DialogDescription());
}

TEST_F(LayoutFrameLoad, LooksUpStringsAndControlDescriptions)
{
    WriteLayout(FileBytes(ShippedLayoutPath(150)));
    CBasicLayoutFrame frame;
    frame.LoadLayout(kRelativePath, 201, "Standard");
    EXPECT_EQ(frame.GetLayoutString("SEARCH_DEVICE_LIST_ITEM_IP"), "IP Address");
    EXPECT_EQ(frame.GetLayoutString("SEARCH_DEVICE_WATI_TIME_WARNING"), "Searching new devices,please wait");
    EXPECT_EQ(frame.GetLayoutString("search_device_list_item_ip"), "");
    EXPECT_EQ(frame.GetLayoutString("SEARCH_DEVICE_LIST_ITEM"), "");

    ControlDescription description;
    EXPECT_EQ(frame.GetControlDescription(2105, description), 0);
    EXPECT_EQ(description.strClassName, "StandardListCtrl");
    EXPECT_EQ(description.rcPos, CRect(10, 50, 318, 191));
    ControlDescription untouched;
    untouched.strText = "untouched";
    description = untouched;
    EXPECT_EQ(frame.GetControlDescription(2110, description), 1);
    EXPECT_EQ(description, untouched);
    EXPECT_TRUE(frame.ControlsBound());
}

TEST(LayoutFrameFonts, EveryCallMakesANewFontOfThatFaceAndCellHeight)
{
    struct Case {
        std::string strFace;
        std::string strExpected;
    };
    // Compared byte for byte below: the record has no padding.
    static_assert(sizeof(LOGFONT) == 5 * sizeof(LONG) + 8 + sizeof(LOGFONT::lfFaceName));
    const std::string str31(31, 'F');
    std::string strCjk31;
    for (int i = 0; i < 31; ++i)
        strCjk31 += "宋";
    const Case cases[] = {{"Tahoma", "Tahoma"}, {str31, str31}, {strCjk31, strCjk31}, {strCjk31 + "体", strCjk31}};
    CBasicLayoutFrame frame;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strFace);
        CFont* pFirst = frame.CreateLayoutFont(c.strFace, 13);
        CFont* pSecond = frame.CreateLayoutFont(c.strFace, 13);
        ASSERT_NE(pFirst, nullptr);
        EXPECT_NE(pFirst, pSecond);
        EXPECT_NE(pFirst->GetSafeHandle(), pSecond->GetSafeHandle());
        LOGFONT expected;
        expected.lfHeight = 13;
        SetLogFontFaceName(expected, c.strExpected);
        LOGFONT made;
        ASSERT_NE(pFirst->GetLogFont(&made), 0);
        EXPECT_EQ(std::memcmp(&made, &expected, sizeof(LOGFONT)), 0);
        EXPECT_EQ(std::string(made.lfFaceName), c.strExpected);
    }
    EXPECT_EQ(frame.GetLayoutFonts().size(), 8u);
}

class LayoutFrameControls : public FrameTest {
protected:
    // A control with a window at rc under parent, reporting its destruction to m_log together
    // with the number of fonts the frame still had then.
    std::unique_ptr<CTestControl> Control(int nID, const CRect& rc = CRect(0, 0, 10, 10))
    {
        auto pControl = std::make_unique<CTestControl>(nID, &m_log, [this, nID] {
            return " fonts " + std::to_string(m_frame.GetLayoutFonts().size());
        });
        MakeChild(*pControl, parent, rc, static_cast<UINT>(nID));
        return pControl;
    }

    std::vector<std::string> m_log;
    CBasicLayoutFrame m_frame;
};

TEST_F(LayoutFrameControls, FindsEachControlInItsOwnTableOnly)
{
    ASSERT_TRUE(m_frame.AddLayoutControl(LayoutTable::Buttons, 2103, Control(2103)));
    ASSERT_TRUE(m_frame.AddLayoutControl(LayoutTable::TextImage, 2106, Control(2106)));
    ASSERT_TRUE(m_frame.AddLayoutControl(LayoutTable::Lists, 2105, Control(2105)));

    CLayoutControl* pButton = m_frame.FindButton(2103);
    ASSERT_NE(pButton, nullptr);
    EXPECT_EQ(pButton->Wnd()->GetDlgCtrlID(), 2103);
    EXPECT_EQ(pButton->As<CTestControl>(), pButton->Wnd());
    EXPECT_EQ(static_cast<CBasicPropertyFrame*>(pButton->As<CTestControl>()), pButton->Frame());
    EXPECT_EQ(m_frame.FindTextImageControl(2106)->Wnd()->GetDlgCtrlID(), 2106);
    EXPECT_EQ(m_frame.FindListControl(2105)->Wnd()->GetDlgCtrlID(), 2105);
    EXPECT_EQ(m_frame.FindButton(2106), nullptr);
    EXPECT_EQ(m_frame.FindTextImageControl(2105), nullptr);
    EXPECT_EQ(m_frame.FindListControl(2103), nullptr);
    EXPECT_EQ(m_frame.FindButton(2110), nullptr);
}

TEST_F(LayoutFrameControls, RefusesATakenIdAndAnEmptyControl)
{
    ASSERT_TRUE(m_frame.AddLayoutControl(LayoutTable::Buttons, 2103, Control(2103)));
    auto pSecond = Control(2103);
    const HWND hSecond = pSecond->GetSafeHwnd();
    EXPECT_FALSE(m_frame.AddLayoutControl(LayoutTable::Buttons, 2103, std::move(pSecond)));
    EXPECT_FALSE(IsWindow(hSecond));
    EXPECT_EQ(m_log, std::vector<std::string>{"2103 fonts 0"});
    EXPECT_EQ(m_frame.GetLayoutControls(LayoutTable::Buttons).size(), 1u);
    EXPECT_TRUE(IsWindow(m_frame.FindButton(2103)->Wnd()->GetSafeHwnd()));

    EXPECT_FALSE(m_frame.AddLayoutControl(LayoutTable::Lists, 2105, std::unique_ptr<CTestControl>()));
    EXPECT_TRUE(m_frame.GetLayoutControls(LayoutTable::Lists).empty());
    // Another table may hold the same id.
    EXPECT_TRUE(m_frame.AddLayoutControl(LayoutTable::Lists, 2103, Control(2103)));
}

TEST_F(LayoutFrameControls, ReleaseDestroysFontsThenEachTableInAscendingIdOrder)
{
    std::vector<HWND> windows;
    for (auto [table, nID] : {std::pair{LayoutTable::Lists, 2105}, {LayoutTable::Buttons, 2109},
                              {LayoutTable::TextImage, 2106}, {LayoutTable::Buttons, 2103},
                              {LayoutTable::TextImage, 2101}}) {
        auto pControl = Control(nID);
        windows.push_back(pControl->GetSafeHwnd());
        ASSERT_TRUE(m_frame.AddLayoutControl(table, nID, std::move(pControl)));
    }
    m_frame.CreateLayoutFont("Tahoma", 13);
    m_frame.CreateLayoutFont("Tahoma", 12);

    m_frame.ReleaseLayoutControls();
    EXPECT_EQ(m_log, (std::vector<std::string>{"2103 fonts 0", "2109 fonts 0", "2101 fonts 0", "2106 fonts 0",
                                               "2105 fonts 0"}));
    for (HWND hWnd : windows)
        EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_TRUE(m_frame.GetLayoutFonts().empty());
    for (LayoutTable table : {LayoutTable::Buttons, LayoutTable::TextImage, LayoutTable::Lists})
        EXPECT_TRUE(m_frame.GetLayoutControls(table).empty());
    EXPECT_EQ(m_frame.FindButton(2103), nullptr);
}

TEST_F(LayoutFrameControls, TheDefaultControlHookReleasesAndTheFrameReleasesAtItsEnd)
{
    {
        CBasicLayoutFrame frame;
        ASSERT_TRUE(frame.AddLayoutControl(LayoutTable::Buttons, 2103, Control(2103)));
        frame.ApplyControlDescriptions();
        EXPECT_EQ(m_log.size(), 1u);
        ASSERT_TRUE(frame.AddLayoutControl(LayoutTable::Buttons, 2107, Control(2107)));
    }
    EXPECT_EQ(m_log.size(), 2u);
}

TEST_F(LayoutFrameControls, RefreshesTheBackgroundsOfButtonsAndTextAndImageControls)
{
    const CRect rcAt(30, 10, 34, 13);
    auto add = [&](LayoutTable table, int nID) {
        EXPECT_TRUE(m_frame.AddLayoutControl(table, nID, Control(nID, rcAt)));
    };
    add(LayoutTable::Buttons, 2103);
    add(LayoutTable::TextImage, 2106);
    add(LayoutTable::Lists, 2105);
    EXPECT_TRUE(m_frame.AddLayoutControl(LayoutTable::Buttons, 2107, std::make_unique<CTestControl>(2107)));

    CMemoryCanvas background(120, 60, RGB(9, 8, 7));
    background.dc.SetPixel(30, 10, RGB(200, 100, 50));
    m_frame.RefreshControlBackgrounds(&background.dc, &parent);
    for (int nID : {2103, 2106}) {
        CLayoutControl* pControl = nID == 2103 ? m_frame.FindButton(nID) : m_frame.FindTextImageControl(nID);
        CDC* pSnapshot = pControl->Frame()->GetParentSnapshot();
        ASSERT_NE(pSnapshot, nullptr) << nID;
        EXPECT_EQ(pSnapshot->GetPixel(0, 0), RGB(200, 100, 50)) << nID;
        EXPECT_EQ(pSnapshot->GetPixel(3, 2), RGB(9, 8, 7)) << nID;
    }
    EXPECT_EQ(m_frame.FindListControl(2105)->Frame()->GetParentSnapshot(), nullptr);
    EXPECT_EQ(m_frame.FindButton(2107)->Frame()->GetParentSnapshot(), nullptr);
}

} // namespace
