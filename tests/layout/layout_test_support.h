// Shared by the layout tests: the shipped files, a scratch folder, a fixed data folder root and
// readable failure output for the description records.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include <unistd.h>

#include "layout/layout_description.h"

inline std::ostream& operator<<(std::ostream& out, const RECT& rc)
{
    return out << '{' << rc.left << ',' << rc.top << ',' << rc.right << ',' << rc.bottom << '}';
}

inline std::ostream& operator<<(std::ostream& out, const POINT& pt)
{
    return out << '{' << pt.x << ',' << pt.y << '}';
}

inline void PrintTo(const ControlDescription& c, std::ostream* out)
{
    *out << "{id " << c.nCtrlID << ", image \"" << c.strBGImagePath << "\", slices "
         << c.nSliceCount << ", fill \"" << c.strFillColor << "\"=" << std::hex << c.clrFill
         << ", border \"" << c.strBorderColor << "\"=" << c.clrBorder << std::dec << ", paint "
         << c.nPaintMode << ", class \"" << c.strClassName << "\", style " << std::hex
         << c.dwStyle << std::dec << ", note \"" << c.strNote << "\", text \"" << c.strText
         << "\", text colour \"" << c.strTextColor << "\"=" << std::hex << c.clrText << std::dec
         << ", offset " << c.ptTextOffset << ", font \"" << c.strFontName << "\" "
         << c.nFontSize << ", pos type " << c.nPosType << ", pos " << c.rcPos << ", show "
         << c.nShowCmd << '}';
}

inline void PrintTo(const DialogDescription& d, std::ostream* out)
{
    *out << "{id " << d.nDialogID << ", image \"" << d.strBGImagePath << "\", colour \""
         << d.strBGColor << "\"=" << std::hex << d.clrBG << std::dec << ", paint "
         << d.nPaintMode << ", text \"" << d.strText << "\", note \"" << d.strNote << "\", pos "
         << d.rcPos << ", text colour \"" << d.strTextColor << "\"=" << std::hex << d.clrText
         << std::dec << ", offset " << d.ptTextOffset << ", font \"" << d.strFontName << "\" "
         << d.nFontSize << ", " << d.mapControls.size() << " controls, " << d.mapStrings.size()
         << " strings}";
}

inline std::string ShippedLayoutPath(int nNumber)
{
    return std::string(VELK_SOURCE_DIR) + "/app/resources/layout/" + std::to_string(nNumber) +
           ".xml";
}

inline std::string FileBytes(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The data folder root that every test sees.
inline const std::string kTestDataRoot = "/velk/data";

// Every test sees the same data folder root, so that paths in the description are predictable,
// and has a scratch folder of its own for the files it writes.
class LayoutTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", kTestDataRoot.c_str(), 1);
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string strName = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& c : strName)
            c = c == '/' ? '-' : c;
        m_scratch = std::filesystem::temp_directory_path() /
                    ("velk-layout-" + std::to_string(::getpid()) + "-" + strName);
        std::filesystem::create_directories(m_scratch);
    }

    void TearDown() override { std::filesystem::remove_all(m_scratch); }

    std::string WriteScratchFile(const std::string& strName, const std::string& bytes)
    {
        std::string strPath = (m_scratch / strName).string();
        std::ofstream(strPath, std::ios::binary) << bytes;
        return strPath;
    }

    std::filesystem::path m_scratch;
};
