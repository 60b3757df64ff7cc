#include "main_window_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "controls/standard_list_ctrl.h"
#include "discovery/device_manager.h"
#include "layout/layout_control.h"
#include "tests/platform/picture_files.h"

namespace fs = std::filesystem;

namespace {

const fs::path kResources = fs::path(VELK_SOURCE_DIR) / "app" / "resources";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A program that appends its name and its arguments, one per field, to the log.
void WriteStandIn(const fs::path& folder, const std::string& strName, const std::string& strLog)
{
    const fs::path path = folder / strName;
    std::ofstream(path) << "#!/bin/sh\n"
                           "{ printf '%s' \"$(basename \"$0\")\"; for a in \"$@\"; do printf ' %s' \"$a\"; done; echo; } >> '"
                        << strLog << "'\n";
    fs::permissions(path, fs::perms::owner_all);
}

CPoint Centre(const CRect& rc) { return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2); }

} // namespace

SearchDeviceInfo MakeDevice(const std::string& strIP, const std::string& strHost, const std::string& strProduct)
{
    SearchDeviceInfo device = MakeDeviceInfo();
    CopyDeviceText(device.szID, "id-" + strIP);
    CopyDeviceText(device.szIP, strIP);
    CopyDeviceText(device.szHost, strHost);
    CopyDeviceText(device.szProduct, strProduct);
    CopyDeviceText(device.szVendor, "VELK");
    device.nType = DEVICE_EVENT_ANSWER;
    return device;
}

void MainWindowTest::SetUp()
{
    strFolder = TestFolder();
    setenv("XDG_DATA_HOME", (strFolder + "/data").c_str(), 1);
    unsetenv("DISPLAY");
    const fs::path bin = fs::path(strFolder) / "bin";
    fs::create_directories(bin);
    m_strStartLog = strFolder + "/starts.log";
    for (const char* szProgram : {"xdg-open", "gio", "umount"})
        WriteStandIn(bin, szProgram, m_strStartLog);
    const char* szPath = std::getenv("PATH");
    m_strOldPath = szPath ? szPath : "/usr/bin:/bin";
    setenv("PATH", (bin.string() + ":" + m_strOldPath).c_str(), 1);
    CSearchDeviceManager::Instance().Clear();
    pHost = std::make_unique<CHeadlessHost>();
    WriteDataFolder(ShippedLayout());
}

void MainWindowTest::TearDown()
{
    pWindow.reset();
    pHost.reset();
    setenv("PATH", m_strOldPath.c_str(), 1);
    CSearchDeviceManager::Instance().Clear();
}

std::string MainWindowTest::ShippedLayout() { return ReadFile(kResources / "layout" / "150.xml"); }

void MainWindowTest::WriteDataFolder(const std::string& strLayout)
{
    const fs::path data = fs::path(strFolder) / "data" / "VELKSearchTools";
    fs::create_directories(data / "Picture");
    std::ofstream(data / "WndLayoutInfo.xml", std::ios::binary) << strLayout;
    for (const fs::directory_entry& entry : fs::directory_iterator(kResources / "pictures")) {
        const std::string strExtension = entry.path().extension().string();
        if (strExtension == ".png" || strExtension == ".bmp")
            fs::copy_file(entry.path(), data / "Picture" / entry.path().filename(), fs::copy_options::overwrite_existing);
    }
}

void MainWindowTest::OpenWindow()
{
    pWindow = std::make_unique<CDravonelDlg>();
    ASSERT_TRUE(pWindow->Create());
    pHost->PumpUntilIdle();
}

void MainWindowTest::Tick()
{
    pHost->AdvanceTime(std::chrono::milliseconds(kCountdownPeriod));
    pHost->PumpUntilIdle();
}

std::vector<std::string> MainWindowTest::Column(int nColumn) const
{
    std::vector<std::string> texts;
    CStandardListCtrl* pList = pWindow->GetDeviceList();
    for (int nRow = 0; pList && nRow < pList->GetItemCount(); ++nRow)
        texts.push_back(pList->GetItemText(nRow, nColumn));
    return texts;
}

std::string MainWindowTest::WaitText() const
{
    CLayoutControl* pWait = pWindow->FindTextImageControl(IDC_WAIT_MESSAGE);
    return pWait && pWait->Frame()->GetText() ? *pWait->Frame()->GetText() : std::string("(none)");
}

CWnd* MainWindowTest::Control(int nID) const
{
    CLayoutControl* pControl = nID == IDC_DEVICE_LIST    ? pWindow->FindListControl(nID)
                               : nID == IDC_WAIT_MESSAGE ? pWindow->FindTextImageControl(nID)
                                                         : pWindow->FindButton(nID);
    return pControl ? pControl->Wnd() : nullptr;
}

void MainWindowTest::ClickRow(int nRow)
{
    CRect rc;
    ASSERT_TRUE(pWindow->GetDeviceList()->GetItemRect(nRow, &rc, LVIR_BOUNDS));
    pHost->Click(pWindow->GetDeviceList(), Centre(rc));
    pHost->PumpUntilIdle();
}

void MainWindowTest::DoubleClickRow(int nRow)
{
    CRect rc;
    ASSERT_TRUE(pWindow->GetDeviceList()->GetItemRect(nRow, &rc, LVIR_BOUNDS));
    pHost->DoubleClick(pWindow->GetDeviceList(), Centre(rc));
    pHost->PumpUntilIdle();
}

void MainWindowTest::ClickBelowRows()
{
    CRect rc;
    pWindow->GetDeviceList()->GetClientRect(&rc);
    pHost->Click(pWindow->GetDeviceList(), CPoint(Centre(rc).x, rc.bottom - 3));
    pHost->PumpUntilIdle();
}

void MainWindowTest::ClickButton(int nID)
{
    CWnd* pButton = Control(nID);
    ASSERT_NE(pButton, nullptr);
    CRect rc;
    pButton->GetClientRect(&rc);
    pHost->Click(pButton, Centre(rc));
    pHost->PumpUntilIdle();
}

std::vector<std::string> MainWindowTest::StandInStarts(std::size_t nAtLeast, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<std::string> starts;
    for (;;) {
        starts.clear();
        std::istringstream lines(ReadFile(m_strStartLog));
        for (std::string strLine; std::getline(lines, strLine);)
            starts.push_back(strLine);
        if (starts.size() >= nAtLeast || std::chrono::steady_clock::now() >= deadline)
            return starts;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
