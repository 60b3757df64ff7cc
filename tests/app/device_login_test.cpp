// Log In: the device's web page from its address, and nothing for any other text.
#include "commands_fixture.h"

#include "app/device_login.h"

namespace {

// Texts a device can put into its answer; none of them is an address to open.
const char* const kNotAddresses[] = {
    "",
    "192.168.1.1/admin",
    "192.168.1.1:8080",
    "192.168.1.1 --new-window",
    "192.168.1.1;reboot",
    "-192.168.1.1",
    "192.168.1.256",
    "192.168.1",
    "192.168.001.001",
    " 192.168.1.1",
    "evil.example.com",
    "::1",
};

TEST(DeviceLoginUrlTest, TheUrlIsHttpAndTheAddressAlone)
{
    EXPECT_EQ(DeviceLoginUrl("192.168.1.1"), "http://192.168.1.1");
    EXPECT_EQ(DeviceLoginUrl("10.0.0.254"), "http://10.0.0.254");
    for (const char* szText : kNotAddresses)
        EXPECT_EQ(DeviceLoginUrl(szText), "") << szText;
}

using LogInTest = CommandsTest;

TEST_F(LogInTest, TheBrowserGetsTheUrlAsOneArgumentAndOtherTextsOpenNothing)
{
    for (const char* szText : kNotAddresses)
        EXPECT_FALSE(LogInToDevice(szText)) << szText;
    EXPECT_TRUE(LogInToDevice("192.168.1.1"));
    // Only the address's run reached a program.
    EXPECT_EQ(Recorded(1), (std::vector<std::string>{"xdg-open [http://192.168.1.1]"}));
}

} // namespace
