#include "fake_device.h"

#include "discovery/protocol.h"

#include <boost/asio/ip/address_v4.hpp>

#include <cstring>
#include <sstream>

namespace {

std::string ProductToken(const CFakeDevice& device)
{
    std::string token = device.strVendor + "/" + device.strHost + "/" + device.strProduct;
    if (!device.strExtra.empty())
        token += "/" + device.strExtra;
    return token;
}

std::string Server(const CFakeDevice& device)
{
    return "SERVER: Linux/3.4 UPnP/1.0 " + std::string(SSDP_FIRMWARE_VERSION) + device.strVersion +
           ", UPnP/1.0, " + ProductToken(device) + "\r\n";
}

std::string Location(const CFakeDevice& device)
{
    return "LOCATION: http://" + device.strIP + ":80/rootDesc.xml\r\n";
}

} // namespace

std::optional<std::string> ApplyDeviceSpec(const std::string& strSpec, CFakeDevice& device)
{
    std::istringstream pairs(strSpec);
    for (std::string pair; std::getline(pairs, pair, ',');) {
        const std::size_t nEquals = pair.find('=');
        if (nEquals == std::string::npos)
            return "no '=' in '" + pair + "'";
        const std::string key = pair.substr(0, nEquals);
        const std::string value = pair.substr(nEquals + 1);
        if (key == "id") device.strID = value;
        else if (key == "ip") device.strIP = value;
        else if (key == "host") device.strHost = value;
        else if (key == "vendor") device.strVendor = value;
        else if (key == "product") device.strProduct = value;
        else if (key == "version") device.strVersion = value;
        else if (key == "extra") device.strExtra = value;
        else if (key == "via" && (value == "broadcast" || value == "ssdp" || value == "both")) {
            device.bBroadcast = value != "ssdp";
            device.bSsdp = value != "broadcast";
        } else {
            return "unknown key or value in '" + pair + "'";
        }
    }
    return std::nullopt;
}

std::optional<std::vector<CFakeDevice>> ExpandDevice(const CFakeDevice& device, int nCount)
{
    if (nCount <= 1)
        return std::vector<CFakeDevice>{device};
    boost::system::error_code ec;
    const auto first = boost::asio::ip::make_address_v4(device.strIP, ec);
    if (ec || first.to_uint() > 0xFFFFFFFFu - static_cast<unsigned>(nCount - 1))
        return std::nullopt;
    std::vector<CFakeDevice> devices;
    for (int n = 0; n < nCount; ++n) {
        CFakeDevice copy = device;
        copy.strIP = boost::asio::ip::address_v4(first.to_uint() + static_cast<unsigned>(n)).to_string();
        copy.strID += "-" + std::to_string(n + 1);
        copy.strHost += "-" + std::to_string(n + 1);
        devices.push_back(std::move(copy));
    }
    return devices;
}

std::vector<std::uint8_t> BroadcastAnswer(const CFakeDevice& device, std::uint8_t nKind)
{
    BroadcastPacket packet;
    std::memset(&packet, 0, sizeof packet);
    packet.nOperation = BROADCAST_OP_ANSWER;
    packet.nKind = nKind;
    const std::string text = std::string(BROADCAST_KEY_ID) + device.strID + "&" + BROADCAST_KEY_HOST +
                             device.strHost + "&" + BROADCAST_KEY_VENDOR + device.strVendor + "&" +
                             BROADCAST_KEY_PRODUCT + device.strProduct;
    std::memcpy(packet.szText, text.data(), std::min(text.size(), sizeof packet.szText));
    std::vector<std::uint8_t> bytes(sizeof packet);
    std::memcpy(bytes.data(), &packet, sizeof packet);
    return bytes;
}

std::string SsdpAnswer(const CFakeDevice& device)
{
    return "HTTP/1.1 200 OK\r\n"
           "CACHE-CONTROL: max-age=1800\r\n"
           "EXT:\r\n" +
           Location(device) + Server(device) + "ST: " + SSDP_DEVICE_TYPE + "\r\n" +
           "USN: uuid:" + device.strID + "::" + SSDP_DEVICE_TYPE + "\r\n\r\n";
}

std::string SsdpNotify(const CFakeDevice& device, const std::string& strNts)
{
    return "NOTIFY * HTTP/1.1\r\n"
           "HOST: " + std::string(SSDP_GROUP) + ":" + std::to_string(SSDP_PORT) + "\r\n"
           "CACHE-CONTROL: max-age=1800\r\n" +
           Location(device) + "NT: upnp:rootdevice\r\nNTS: " + strNts + "\r\n" + Server(device) +
           "USN: uuid:" + device.strID + "::upnp:rootdevice\r\n\r\n";
}
