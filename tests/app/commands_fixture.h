// Log In's and My Storage's tests: stand-ins for xdg-open, gio and umount first on PATH, each
// appending one line per run to a shared record: its name and its arguments, each in brackets.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app_fixture.h"

class CommandsTest : public ::testing::Test {
protected:
    CommandsTest()
    {
        for (const char* szName : {"xdg-open", "gio", "umount"}) {
            WriteFileText(bin / szName,
                          "#!/bin/sh\n"
                          "line=\"$(basename \"$0\")\"\n"
                          "for a in \"$@\"; do line=\"$line [$a]\"; done\n"
                          "printf '%s\\n' \"$line\" >> '" + RecordPath() + "'\n",
                          0755);
        }
    }

    std::string RecordPath() const { return records / "commands.log"; }

    // The recorded lines once the record has at least nLines of them (or after the wait), and
    // a moment later, so that a run that should not have happened shows too.
    std::vector<std::string> Recorded(std::size_t nLines)
    {
        WaitUntil([&] { return Lines(ReadFileText(RecordPath())).size() >= nLines; });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return Lines(ReadFileText(RecordPath()));
    }

    static std::vector<std::string> Lines(const std::string& strText)
    {
        std::vector<std::string> lines;
        std::size_t nStart = 0;
        for (std::size_t nEnd; (nEnd = strText.find('\n', nStart)) != std::string::npos; nStart = nEnd + 1)
            lines.push_back(strText.substr(nStart, nEnd - nStart));
        return lines;
    }

    CTempFolder bin;
    CTempFolder records;
    CEnvironmentValue path{"PATH", bin.Path() + ":/usr/bin:/bin"};
};
