// The control factory over the shipped English layout and over small layouts of its own: order,
// places, looks, hidden and unknown classes, the drifting button's tooltip and a second run.
#include <fstream>
#include <vector>

#include "controls/standard_list_ctrl.h"
#include "controls_fixture.h"

namespace {

std::vector<int> ChildIDs(const CWnd& parent)
{
    std::vector<int> ids;
    for (CWnd* pChild = parent.GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
        ids.push_back(pChild->GetDlgCtrlID());
    return ids;
}

std::string CtrlInfo(int nID, const std::string& strClass, int nShow, const std::string& strNote)
{
    return "<CtrlInfo CtrlID=\"" + std::to_string(nID) +
           "\" CtrlBGPath=\"\" CtrlBGStatusCount=\"1\" CtrlBGColor=\"1,2,3\" CtrlBorderColor=\"4,5,6\""
           " CtrlPaintMode=\"2\" CtrlClass=\"" + strClass + "\" CtrlStyle=\"WS_CHILD|WS_VISIBLE\" CtrlPosType=\"3\""
           " CtrlPos=\"" + std::to_string(nID * 30 - 30) + ",40,25,20\" CtrlShow=\"" + std::to_string(nShow) +
           "\" CtrlText=\"t\" CtrlTextOffSet=\"0,0\" CtrlTextColor=\"7,8,9\" CtrlFont=\"Tahoma\" CtrlFontSize=\"12\""
           " CtrlDiscrip=\"" + strNote + "\"/>";
}

std::string WriteLayout(const std::string& strFolder, const std::string& strControls)
{
    const std::string strPath = strFolder + "/small.xml";
    std::ofstream(strPath)
        << "<?xml version=\"1.0\" encoding=\"utf-8\"?><WindowInformation><DialogInfo DialogID=\"201\""
           " DialogText=\"Small\" DialogDiscrip=\"\"><Standard DialogBGPath=\"\" DialogBGColor=\"9,9,9\""
           " DlgPaintMode=\"2\" DlgTextOffSet=\"0,0\" DlgTextColor=\"1,1,1\" DialogFont=\"Tahoma\""
           " DialogFontSize=\"12\" DialogPos=\"0,0,200,100\">"
        << strControls << "</Standard></DialogInfo></WindowInformation>";
    return strPath;
}

using ControlFactory = ControlsTest;

TEST_F(ControlFactory, TheShippedLayoutMakesNineControlsInPassOrderAtTheirPlaces)
{
    BuildDialog();
    EXPECT_EQ(ChildIDs(dialog), (std::vector<int>{2103, 2107, 2108, 2109, 2102, 2101, 2104, 2106, 2105}));
    for (const auto& [nID, d] : dialog.GetDialogDescription().mapControls) {
        SCOPED_TRACE(nID);
        CWnd* pChild = dialog.GetDlgItem(nID);
        ASSERT_NE(pChild, nullptr);
        EXPECT_EQ(GetClassName(pChild->m_hWnd), d.strClassName == "StandardListCtrl" ? "SysListView32" : d.strClassName);
        EXPECT_EQ(RectInParent(pChild), d.rcPos);
        EXPECT_TRUE(pChild->IsWindowVisible());
    }
    EXPECT_EQ(RectInParent(dialog.GetDlgItem(2105)), CRect(10, 50, 318, 191));
    const auto ids = [&](LayoutTable table) {
        std::vector<int> v;
        for (const auto& [nID, control] : dialog.GetLayoutControls(table))
            v.push_back(nID);
        return v;
    };
    EXPECT_EQ(ids(LayoutTable::Buttons), (std::vector<int>{2103, 2107, 2108, 2109}));
    EXPECT_EQ(ids(LayoutTable::TextImage), (std::vector<int>{2101, 2102, 2104, 2106}));
    EXPECT_EQ(ids(LayoutTable::Lists), (std::vector<int>{2105}));
}

TEST_F(ControlFactory, FramesHoldTheLayoutsLook)
{
    BuildDialog();
    for (LayoutTable table : {LayoutTable::Buttons, LayoutTable::TextImage, LayoutTable::Lists})
        for (const auto& [nID, control] : dialog.GetLayoutControls(table)) {
            SCOPED_TRACE(nID);
            EXPECT_EQ(control.Frame()->GetFillColor(), 0xFFFFFFFFu);
            EXPECT_EQ(control.Frame()->GetBorderColor(), 0xFF7E9DB9u);
            EXPECT_EQ(control.Frame()->GetPaintMode(), nID == 2105 ? 1 : 4);
        }
    const CBasicPropertyFrame* pClose = dialog.FindButton(2103)->Frame();
    EXPECT_EQ(pClose->GetImageWidth(), 44);
    EXPECT_EQ(pClose->GetSliceCount(), 4);
    EXPECT_EQ(pClose->GetSliceWidth(), 11);
    EXPECT_EQ(pClose->GetText(), std::optional<std::string>(""));
    EXPECT_EQ(pClose->GetTextFont().GetSize(), 12.0f);
    EXPECT_EQ(pClose->GetTextColor(), 0xFFF4F5F7u);
    const CBasicPropertyFrame* pLogIn = dialog.FindButton(2107)->Frame();
    EXPECT_EQ(pLogIn->GetText(), std::optional<std::string>("Log In"));
    EXPECT_EQ(pLogIn->GetTextOffset(), CPoint(0, 6));
    // The image control takes only its picture; the text control no picture.
    EXPECT_FALSE(dialog.FindTextImageControl(2101)->Frame()->GetText().has_value());
    EXPECT_EQ(dialog.FindTextImageControl(2101)->Frame()->GetImageWidth(), 16);
    EXPECT_EQ(dialog.FindTextImageControl(2102)->Frame()->GetImage(), nullptr);
    EXPECT_EQ(dialog.FindTextImageControl(2102)->Frame()->GetTextFont().GetSize(), 21.0f);
}

TEST_F(ControlFactory, TheDeviceListGetsAGdiFontAndItsTextColour)
{
    BuildDialog();
    auto* pList = dialog.FindListControl(2105)->As<CStandardListCtrl>();
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->CListCtrl::GetTextColor(), RGB(6, 65, 105));
    EXPECT_EQ(pList->CListCtrl::GetTextColor(), 0x00694106u);
    auto* pFont = reinterpret_cast<HFONT>(pList->SendMessage(WM_GETFONT));
    ASSERT_EQ(dialog.GetLayoutFonts().size(), 1u);
    EXPECT_EQ(pFont, dialog.GetLayoutFonts()[0]->GetSafeHandle());
    LOGFONT lf;
    dialog.GetLayoutFonts()[0]->GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, 13);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");
    // The list's look comes from its own frame: the border flag of paint mode 1.
    EXPECT_EQ(dialog.FindListControl(2105)->Frame()->GetPaintMode(), PAINT_MODE_BORDER);
}

TEST_F(ControlFactory, ASecondRunReplacesTheWholeSet)
{
    BuildDialog();
    std::vector<HWND> first;
    for (CWnd* pChild = dialog.GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
        first.push_back(pChild->m_hWnd);
    dialog.ApplyControlDescriptions();
    for (HWND hWnd : first)
        EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(ChildIDs(dialog), (std::vector<int>{2103, 2107, 2108, 2109, 2102, 2101, 2104, 2106, 2105}));
    EXPECT_EQ(dialog.GetLayoutControls(LayoutTable::Buttons).size(), 4u);
    EXPECT_EQ(dialog.GetLayoutControls(LayoutTable::TextImage).size(), 4u);
    EXPECT_EQ(dialog.GetLayoutControls(LayoutTable::Lists).size(), 1u);
    ASSERT_EQ(dialog.GetLayoutFonts().size(), 1u);
    EXPECT_EQ(reinterpret_cast<HFONT>(dialog.GetDlgItem(2105)->SendMessage(WM_GETFONT)),
              dialog.GetLayoutFonts()[0]->GetSafeHandle());
}

TEST_F(ControlFactory, HiddenUnknownAndDriftingControls)
{
    const std::string strLayout =
        WriteLayout(strRoot, CtrlInfo(1, "DriftButton", 5, "Search again") + CtrlInfo(2, "ShowTextCtrl", 0, "") +
                                 CtrlInfo(3, "standardbutton", 5, "") + CtrlInfo(4, "StandardButton ", 5, ""));
    BuildDialog(strLayout);
    EXPECT_EQ(ChildIDs(dialog), (std::vector<int>{1, 2}));
    ControlDescription unknown;
    EXPECT_EQ(dialog.GetControlDescription(3, unknown), 0);
    EXPECT_EQ(dialog.FindButton(3), nullptr);
    EXPECT_EQ(dialog.FindButton(4), nullptr);

    CWnd* pHidden = dialog.FindTextImageControl(2)->Wnd();
    EXPECT_FALSE(pHidden->IsWindowVisible());
    EXPECT_EQ(RectInParent(pHidden), CRect(30, 40, 55, 60));

    // The drifting button's note shows in the platform's tooltip when the pointer rests on it,
    // as a tip given that text directly shows it.
    CLayoutControl* pDrift = dialog.FindButton(1);
    ASSERT_NE(pDrift, nullptr);
    const HWND hTip = pDrift->Frame()->GetToolTip();
    ASSERT_TRUE(IsWindow(hTip));
    EXPECT_EQ(SendMessage(hTip, TTM_GETTOOLCOUNT), 1);
    const HWND hReference = CreateWindowEx(0, TOOLTIPS_CLASS, "", TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, dialog.m_hWnd, 0);
    TOOLINFO info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.uId = reinterpret_cast<UINT_PTR>(pDrift->Wnd()->m_hWnd);
    info.lpszText = "Search again";
    SendMessage(hReference, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    host.MouseMove(pDrift->Wnd(), {5, 5});
    host.AdvanceTime(HostTime(500));
    ASSERT_TRUE(CWnd::FromHandle(hTip)->IsWindowVisible());
    ASSERT_TRUE(CWnd::FromHandle(hReference)->IsWindowVisible());
    CRect rcTip;
    CRect rcReference;
    CWnd::FromHandle(hTip)->GetWindowRect(&rcTip);
    CWnd::FromHandle(hReference)->GetWindowRect(&rcReference);
    EXPECT_EQ(rcTip, rcReference);
}

} // namespace
