// Address texts: what is a dotted IPv4 address and where a text holds one as a whole.
#include "platform/address_text.h"

#include <gtest/gtest.h>

namespace {

TEST(IsDottedIPv4, AcceptsOnlyExactDottedAddresses)
{
    for (const char* szText : {"192.168.1.1", "0.0.0.0", "255.255.255.255", "10.0.0.10"})
        EXPECT_TRUE(IsDottedIPv4(szText)) << szText;
    for (const char* szText : {"", "192.168.1", "192.168.1.256", "192.168.01.1", " 192.168.1.1",
                               "192.168.1.1 ", "192.168.1.1/", "http://192.168.1.1", "0x7f.0.0.1",
                               "1.2.3.4.5", "::1", "192.168.1.1;rm -rf ~", "1111111111111111.1"})
        EXPECT_FALSE(IsDottedIPv4(szText)) << szText;
}

TEST(IsSameIPv4Address, ComparesAddressesNotPrefixes)
{
    EXPECT_TRUE(IsSameIPv4Address("192.168.1.1", "192.168.1.1"));
    EXPECT_FALSE(IsSameIPv4Address("192.168.1.10", "192.168.1.1"));
    EXPECT_FALSE(IsSameIPv4Address("192.168.1.1", "192.168.1.10"));
    EXPECT_FALSE(IsSameIPv4Address("nas.local", "192.168.1.1"));
    EXPECT_FALSE(IsSameIPv4Address("", ""));
}

TEST(TextHoldsIPv4Address, FindsTheAddressOnlyAsAWhole)
{
    struct {
        const char* szText;
        bool bHolds;
    } cases[] = {
        {"192.168.1.1", true},
        {"smb://192.168.1.1/", true},
        {"share on 192.168.1.1 - Files", true},
        {"Connected to 192.168.1.1.", true},
        {"192.168.1.1:445", true},
        {"192.168.1.10", false},
        {"192.168.1.100 - Files", false},
        {"10.192.168.1.1", false},
        {"192.168.1.1.5", false},
        {"192.168.1.10 and later 192.168.1.1", true},
        {"192.168.1.", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextHoldsIPv4Address(c.szText, "192.168.1.1"), c.bHolds) << c.szText;
    EXPECT_FALSE(TextHoldsIPv4Address("anything", ""));
    EXPECT_FALSE(TextHoldsIPv4Address("a.b", "a.b"));
}

} // namespace
