// The main window on a headless desktop: a data folder with the shipped layout and pictures, a
// registry fed directly by the test, and stand-in programs first on the PATH that write down how
// they were started.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/dravonel_dlg.h"
#include "discovery/device_info.h"
#include "platform/host_headless.h"

// A record as a search worker would hand it in.
SearchDeviceInfo MakeDevice(const std::string& strIP, const std::string& strHost, const std::string& strProduct);

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The data folder as start-up writes it, with the layout text given (the English variant
    // unless told otherwise).
    void WriteDataFolder(const std::string& strLayout);
    static std::string ShippedLayout();
    // Creates and shows the window (its first search and countdown start).
    void OpenWindow();

    // One countdown tick.
    void Tick();
    // The rows' texts of one column, top row first.
    std::vector<std::string> Column(int nColumn) const;
    // The text the wait message shows.
    std::string WaitText() const;
    CWnd* Control(int nID) const;
    void ClickRow(int nRow);
    void DoubleClickRow(int nRow);
    // A click into the list below its last row.
    void ClickBelowRows();
    void ClickButton(int nID);

    // Every start of a stand-in program so far ("xdg-open http://..."), once at least
    // nAtLeast starts were written down or the time ran out.
    std::vector<std::string> StandInStarts(std::size_t nAtLeast,
                                           std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

    std::string strFolder;
    std::unique_ptr<CHeadlessHost> pHost;
    std::unique_ptr<CDravonelDlg> pWindow;

private:
    std::string m_strOldPath;
    std::string m_strStartLog;
};
