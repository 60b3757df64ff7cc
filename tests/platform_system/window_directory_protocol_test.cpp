// Requests and replies of the window directory, whole and damaged.
#include "platform/window_directory_protocol.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowRequest, SurvivesEncodingWithAnyTitle)
{
    for (std::string title : {std::string("VELK WIFI DISK"), std::string("a\0b/\\\n\xFF", 7),
                              std::string(kMaxWindowTitleBytes, 'x')}) {
        WindowRequest request{1124, ~WPARAM(0), -5, title};
        std::optional<WindowRequest> parsed = ParseWindowRequest(EncodeWindowRequest(request));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->nMsg, 1124u);
        EXPECT_EQ(parsed->wParam, ~WPARAM(0));
        EXPECT_EQ(parsed->lParam, -5);
        EXPECT_EQ(parsed->strTitle, title);
    }
}

TEST(WindowRequest, RefusesDamagedBytes)
{
    std::string good = EncodeWindowRequest({1, 2, 3, "title"});
    std::string badMagic = good;
    badMagic[0] = 'X';
    std::string hugeLength = good;
    hugeLength[24] = '\xFF';
    hugeLength[25] = '\xFF';
    for (const std::string& bytes :
         {std::string(), good.substr(0, 27), good.substr(0, good.size() - 1), good + "x", badMagic,
          hugeLength})
        EXPECT_FALSE(ParseWindowRequest(bytes)) << bytes.size();
}

TEST(WindowRequest, CutsAnOverlongTitle)
{
    std::optional<WindowRequest> parsed = ParseWindowRequest(
        EncodeWindowRequest({1, 0, 0, std::string(kMaxWindowTitleBytes + 9, 't')}));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->strTitle.size(), kMaxWindowTitleBytes);
}

TEST(WindowReply, SurvivesEncodingAndRefusesDamage)
{
    std::string bytes = EncodeWindowReply({WindowReplyStatus::Handled, -42});
    std::optional<WindowReply> reply = ParseWindowReply(bytes);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->nStatus, WindowReplyStatus::Handled);
    EXPECT_EQ(reply->nResult, -42);

    std::string badStatus = bytes;
    badStatus[4] = 7;
    for (const std::string& damaged : {bytes.substr(0, 15), bytes + "x", badStatus, std::string()})
        EXPECT_FALSE(ParseWindowReply(damaged)) << damaged.size();
}

} // namespace
