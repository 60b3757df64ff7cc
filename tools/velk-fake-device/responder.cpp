#include "responder.h"

#include "discovery/protocol.h"

#include <boost/asio/ip/multicast.hpp>

#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

using boost::asio::ip::address_v4;
using boost::asio::ip::udp;

struct CResponder::CBatch {
    explicit CBatch(boost::asio::io_context& io) : timer(io) {}
    std::vector<COutgoing> items;
    std::size_t nNext = 0;
    std::chrono::steady_clock::time_point start;
    boost::asio::steady_timer timer;
};

namespace {

void EnablePacketInfo(udp::socket& sock)
{
    const int nOn = 1;
    if (setsockopt(sock.native_handle(), IPPROTO_IP, IP_PKTINFO, &nOn, sizeof nOn) != 0)
        throw boost::system::system_error(errno, boost::system::system_category(), "IP_PKTINFO");
}

udp::socket OpenShared(boost::asio::io_context& io, int nPort)
{
    udp::socket sock(io, udp::v4());
    sock.set_option(udp::socket::reuse_address(true));
    sock.set_option(udp::socket::broadcast(true));
    sock.bind(udp::endpoint(address_v4::any(), static_cast<unsigned short>(nPort)));
    EnablePacketInfo(sock);
    return sock;
}

std::string Hex(const std::vector<char>& data)
{
    std::string text;
    char szByte[3];
    for (const char c : data) {
        std::snprintf(szByte, sizeof szByte, "%02x", static_cast<unsigned char>(c));
        text += szByte;
    }
    return text;
}

std::vector<char> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

} // namespace

CResponder::CResponder(boost::asio::io_context& ioContext, CResponderOptions newOptions)
    : io(ioContext), options(std::move(newOptions)),
      broadcastSocket(OpenShared(io, BROADCAST_DEVICE_PORT)), ssdpSocket(OpenShared(io, SSDP_PORT))
{
    ssdpSocket.set_option(boost::asio::ip::multicast::join_group(
        boost::asio::ip::make_address_v4(SSDP_GROUP), address_v4::any()));
    ssdpSocket.set_option(boost::asio::ip::multicast::enable_loopback(false));
    for (const CFakeDevice& device : options.devices) {
        const std::vector<std::uint8_t> answer = BroadcastAnswer(device, 1);
        broadcastAnswers.emplace_back(answer.begin(), answer.end());
        ssdpAnswers.push_back(Bytes(SsdpAnswer(device)));
    }
}

void CResponder::Start()
{
    WaitForQuery(broadcastSocket);
    WaitForQuery(ssdpSocket);
}

void CResponder::WaitForQuery(udp::socket& sock)
{
    sock.async_wait(udp::socket::wait_read, [this, &sock](const boost::system::error_code& ec) {
        if (ec)
            return;
        OnReadable(sock);
        WaitForQuery(sock);
    });
}

// One datagram with the address it was sent to, which the socket API of Asio does not give.
void CResponder::OnReadable(udp::socket& sock)
{
    std::vector<char> data(65536);
    sockaddr_in from{};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
    iovec vector{data.data(), data.size()};
    msghdr message{};
    message.msg_name = &from;
    message.msg_namelen = sizeof from;
    message.msg_iov = &vector;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t nReceived = recvmsg(sock.native_handle(), &message, MSG_DONTWAIT);
    if (nReceived < 0)
        return;
    data.resize(static_cast<std::size_t>(nReceived));
    address_v4 to;
    for (cmsghdr* pHeader = CMSG_FIRSTHDR(&message); pHeader; pHeader = CMSG_NXTHDR(&message, pHeader)) {
        if (pHeader->cmsg_level == IPPROTO_IP && pHeader->cmsg_type == IP_PKTINFO) {
            in_pktinfo info;
            std::memcpy(&info, CMSG_DATA(pHeader), sizeof info);
            to = address_v4(ntohl(info.ipi_addr.s_addr));
        }
    }
    const udp::endpoint sender(address_v4(ntohl(from.sin_addr.s_addr)), ntohs(from.sin_port));
    OnQuery(&sock == &broadcastSocket, data, sender, to);
}

void CResponder::OnQuery(bool bBroadcast, const std::vector<char>& data, const udp::endpoint& from,
                         const address_v4& to)
{
    const std::string_view text(data.data(), data.size());
    const bool bQuery = bBroadcast
        ? data.size() == BROADCAST_PACKET_SIZE && static_cast<std::uint8_t>(data[0]) == BROADCAST_OP_QUERY
        : text.starts_with("M-SEARCH") && text.find(SSDP_DEVICE_TYPE) != std::string_view::npos;
    if (!bQuery)
        return;
    if (options.bPrintQueries) {
        const int nToPort = bBroadcast ? BROADCAST_DEVICE_PORT : SSDP_PORT;
        std::cout << "query " << (bBroadcast ? "broadcast " : "ssdp ") << from << " -> "
                  << to.to_string() << ":" << nToPort << " " << data.size() << " " << Hex(data)
                  << std::endl;
    }
    auto batch = std::make_shared<CBatch>(io);
    for (std::size_t n = 0; n < options.devices.size(); ++n) {
        const CFakeDevice& device = options.devices[n];
        if (bBroadcast && device.bBroadcast)
            batch->items.push_back({true, &broadcastAnswers[n], from, boost::asio::ip::make_address_v4(device.strIP)});
        if (!bBroadcast && device.bSsdp)
            batch->items.push_back({false, &ssdpAnswers[n], from, std::nullopt});
    }
    batch->start = std::chrono::steady_clock::now();
    RunBatch(batch);
}

void CResponder::RunBatch(const std::shared_ptr<CBatch>& batch)
{
    const std::size_t nItems = batch->items.size();
    const auto now = std::chrono::steady_clock::now();
    while (batch->nNext < nItems) {
        const auto due = batch->start + options.spread * batch->nNext / nItems;
        if (due > now) {
            batch->timer.expires_at(due);
            batch->timer.async_wait([this, batch](const boost::system::error_code& ec) {
                if (!ec)
                    RunBatch(batch);
            });
            return;
        }
        Send(batch->items[batch->nNext++]);
    }
}

// Sends from the socket of the protocol; a broadcast answer carries the device's own address
// as its source, so that one process can stand for many devices.
void CResponder::Send(const COutgoing& outgoing)
{
    udp::socket& sock = outgoing.bBroadcast ? broadcastSocket : ssdpSocket;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(outgoing.to.port());
    to.sin_addr.s_addr = htonl(outgoing.to.address().to_v4().to_uint());
    iovec vector{const_cast<char*>(outgoing.pBytes->data()), outgoing.pBytes->size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr message{};
    message.msg_name = &to;
    message.msg_namelen = sizeof to;
    message.msg_iov = &vector;
    message.msg_iovlen = 1;
    if (outgoing.source) {
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        cmsghdr* pHeader = CMSG_FIRSTHDR(&message);
        pHeader->cmsg_level = IPPROTO_IP;
        pHeader->cmsg_type = IP_PKTINFO;
        pHeader->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        info.ipi_spec_dst.s_addr = htonl(outgoing.source->to_uint());
        std::memcpy(CMSG_DATA(pHeader), &info, sizeof info);
    }
    if (sendmsg(sock.native_handle(), &message, 0) < 0)
        std::cerr << "velk-fake-device: send to " << outgoing.to << " failed: " << std::strerror(errno)
                  << std::endl;
}

void CResponder::Announce(const std::string& strNts, std::uint8_t nBroadcastKind)
{
    std::vector<std::vector<char>> messages;
    messages.reserve(options.devices.size() * 2);
    const udp::endpoint group(boost::asio::ip::make_address_v4(SSDP_GROUP), SSDP_PORT);
    const udp::endpoint broadcast(boost::asio::ip::make_address_v4(BROADCAST_ADDRESS), BROADCAST_LOCAL_PORT);
    for (const CFakeDevice& device : options.devices) {
        if (device.bSsdp) {
            messages.push_back(Bytes(SsdpNotify(device, strNts)));
            Send({false, &messages.back(), group, std::nullopt});
        }
        if (device.bBroadcast && nBroadcastKind != 0) {
            const std::vector<std::uint8_t> answer = BroadcastAnswer(device, nBroadcastKind);
            messages.emplace_back(answer.begin(), answer.end());
            Send({true, &messages.back(), broadcast, boost::asio::ip::make_address_v4(device.strIP)});
        }
    }
}
