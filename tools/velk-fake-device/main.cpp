// velk-fake-device: simulated VELK WIFI DISK devices for tests, demos and device builders. It
// answers the broadcast query and the SSDP M-SEARCH for every device it stands for, or sends
// their announcements once (--notify).
#include "fake_device.h"
#include "responder.h"

#include <boost/asio/ip/address_v4.hpp>
#include <boost/asio/signal_set.hpp>

#include <charconv>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr char USAGE[] =
    "usage: velk-fake-device [--device KEY=VALUE,...]... [--id ID] [--ip IPV4] [--host HOST]"
    " [--vendor VENDOR] [--product PRODUCT] [--version VERSION] [--extra EXTRA]"
    " [--via broadcast|ssdp|both] [--count N] [--spread MS] [--notify alive|byebye|NTS]"
    " [--print-queries]";

struct CCommandLine {
    CFakeDevice templateDevice{"velk-0001", "", "velkdisk", "VELK", "WIFI DISK", "1.0.0", "", true, true};
    std::vector<std::string> specs;
    int nCount = 1;
    int nSpreadMs = 0;
    std::string strNotify;
    bool bPrintQueries = false;
};

bool ParseCount(const std::string& text, int nMax, int& nValue)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), nValue);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && nValue >= 0 &&
           nValue <= nMax;
}

// The command line, or the reason it is wrong.
std::string Parse(int argc, char** argv, CCommandLine& line)
{
    for (int n = 1; n < argc; ++n) {
        const std::string option = argv[n];
        if (option == "--print-queries") {
            line.bPrintQueries = true;
            continue;
        }
        if (n + 1 >= argc)
            return "missing value after " + option;
        const std::string value = argv[++n];
        CFakeDevice& device = line.templateDevice;
        if (option == "--device") line.specs.push_back(value);
        else if (option == "--id") device.strID = value;
        else if (option == "--ip") device.strIP = value;
        else if (option == "--host") device.strHost = value;
        else if (option == "--vendor") device.strVendor = value;
        else if (option == "--product") device.strProduct = value;
        else if (option == "--version") device.strVersion = value;
        else if (option == "--extra") device.strExtra = value;
        else if (option == "--via") {
            if (const auto error = ApplyDeviceSpec("via=" + value, device))
                return *error;
        } else if (option == "--count") {
            if (!ParseCount(value, 100000, line.nCount) || line.nCount == 0)
                return "bad count " + value;
        } else if (option == "--spread") {
            if (!ParseCount(value, 60000, line.nSpreadMs))
                return "bad spread " + value;
        } else if (option == "--notify") line.strNotify = value;
        else return "unknown option " + option;
    }
    return {};
}

// Every device: one per --device (or the options alone), each repeated --count times.
std::string Devices(const CCommandLine& line, std::vector<CFakeDevice>& devices)
{
    std::vector<CFakeDevice> bases;
    if (line.specs.empty())
        bases.push_back(line.templateDevice);
    for (const std::string& wanted : line.specs) {
        CFakeDevice device = line.templateDevice;
        if (const auto error = ApplyDeviceSpec(wanted, device))
            return *error;
        bases.push_back(device);
    }
    for (const CFakeDevice& base : bases) {
        boost::system::error_code ec;
        boost::asio::ip::make_address_v4(base.strIP, ec);
        if (ec)
            return "device " + base.strID + " needs an IPv4 address (ip=...)";
        const auto expanded = ExpandDevice(base, line.nCount);
        if (!expanded)
            return "addresses of device " + base.strID + " run out";
        devices.insert(devices.end(), expanded->begin(), expanded->end());
    }
    return {};
}

int Announce(CResponder& responder, const std::string& strNotify)
{
    if (strNotify == "alive")
        responder.Announce("ssdp:alive", 2);
    else if (strNotify == "byebye")
        responder.Announce("ssdp:byebye", 4);
    else
        responder.Announce(strNotify, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CCommandLine line;
    CResponderOptions options;
    std::string error = Parse(argc, argv, line);
    if (error.empty())
        error = Devices(line, options.devices);
    if (!error.empty()) {
        std::cerr << "velk-fake-device: " << error << "\n" << USAGE << std::endl;
        return 2;
    }
    options.spread = std::chrono::milliseconds(line.nSpreadMs);
    options.bPrintQueries = line.bPrintQueries;
    try {
        boost::asio::io_context io;
        CResponder responder(io, std::move(options));
        if (!line.strNotify.empty())
            return Announce(responder, line.strNotify);
        boost::asio::signal_set signals(io, SIGINT, SIGTERM);
        signals.async_wait([&io](const boost::system::error_code&, int) { io.stop(); });
        responder.Start();
        std::cout << "ready" << std::endl;
        io.run();
    } catch (const std::exception& e) {
        std::cerr << "velk-fake-device: " << e.what() << std::endl;
        return 1;
    }
    return 0;
}
