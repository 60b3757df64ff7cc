// The simulated devices of velk-fake-device: their identities and the datagrams they send.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CFakeDevice {
    std::string strID;
    std::string strIP;
    std::string strHost;
    std::string strVendor;
    std::string strProduct;
    std::string strVersion;
    std::string strExtra;
    bool bBroadcast = true;
    bool bSsdp = true;
};

// Applies "key=value,key=value..." (keys id, ip, host, vendor, product, version, extra and
// via = broadcast|ssdp|both) to a device; the error text when it is malformed.
std::optional<std::string> ApplyDeviceSpec(const std::string& strSpec, CFakeDevice& device);

// nCount devices from one: the IPv4 address counts up, id and host get "-1", "-2", ... Nothing
// when the address is not IPv4 text or would run past 255.255.255.255.
std::optional<std::vector<CFakeDevice>> ExpandDevice(const CFakeDevice& device, int nCount);

// The 148-byte answer to the broadcast query (kind 1 for an answer, 2 alive, 4 leaving).
std::vector<std::uint8_t> BroadcastAnswer(const CFakeDevice& device, std::uint8_t nKind);

// The SSDP answer to the M-SEARCH: LOCATION with the device's address, SERVER with the
// firmware word and the product token, USN with "uuid:" and "::".
std::string SsdpAnswer(const CFakeDevice& device);

// The NOTIFY announcement with the given NTS value ("ssdp:alive", "ssdp:byebye", ...).
std::string SsdpNotify(const CFakeDevice& device, const std::string& strNts);
