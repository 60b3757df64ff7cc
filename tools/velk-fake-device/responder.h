// The network side of velk-fake-device: answers the broadcast query on port 68 and the
// M-SEARCH on the SSDP group for every simulated device, and sends their announcements.
#pragma once

#include "fake_device.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>
#include <boost/asio/steady_timer.hpp>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

struct CResponderOptions {
    std::vector<CFakeDevice> devices;
    // The answers to one query are spread evenly over this time (0: all at once).
    std::chrono::milliseconds spread{0};
    // Print every query received, with its addresses and bytes, on standard output.
    bool bPrintQueries = false;
};

class CResponder {
public:
    // Binds port 68 (broadcast) and 1900 (joined to the group); throws on failure.
    CResponder(boost::asio::io_context& io, CResponderOptions options);

    // Starts answering queries; the answers go out while the I/O context runs.
    void Start();
    // Sends one announcement per device at once: a NOTIFY with the NTS value for SSDP devices,
    // a broadcast answer of the given kind to 255.255.255.255:67 for broadcast devices (none
    // when the kind is 0).
    void Announce(const std::string& strNts, std::uint8_t nBroadcastKind);

private:
    struct COutgoing {
        bool bBroadcast;
        const std::vector<char>* pBytes;
        boost::asio::ip::udp::endpoint to;
        std::optional<boost::asio::ip::address_v4> source;
    };
    struct CBatch;

    void WaitForQuery(boost::asio::ip::udp::socket& sock);
    void OnReadable(boost::asio::ip::udp::socket& sock);
    void OnQuery(bool bBroadcast, const std::vector<char>& data,
                 const boost::asio::ip::udp::endpoint& from, const boost::asio::ip::address_v4& to);
    void RunBatch(const std::shared_ptr<CBatch>& batch);
    void Send(const COutgoing& outgoing);

    boost::asio::io_context& io;
    CResponderOptions options;
    boost::asio::ip::udp::socket broadcastSocket;
    boost::asio::ip::udp::socket ssdpSocket;
    std::vector<std::vector<char>> broadcastAnswers;
    std::vector<std::vector<char>> ssdpAnswers;
};
