#include "discovery/broadcast_thread.h"

#include "discovery/broadcast_parser.h"
#include "discovery/handoff.h"
#include "discovery/protocol.h"
#include "log/log_system.h"

#include <boost/asio/ip/address_v4.hpp>

#include <stdexcept>

using boost::asio::ip::address_v4;
using boost::asio::ip::udp;

CSearchDeviceBroadcastThread::~CSearchDeviceBroadcastThread()
{
    StopAndWait();
}

void CSearchDeviceBroadcastThread::CreateWorkThread()
{
    CLifeLock life(*this);
    CLogSystem::Write("SendThread %d : Create Search Device Work Thread ", GetPort());
    bExitSock = false;
    bRetartSock = false;
    try {
        OpenSocket();
        SetSocketOption(udp::socket::broadcast(true));
        BindSocket(PortEndpoint(address_v4::any(), GetPort()));
        StartReceiveThread();
    } catch (const std::exception& e) {
        CloseSocket();
        CLogSystem::Write("SendThread %d : Create Search Device Work Thread Error : %s   ",
                          GetPort(), e.what());
    }
}

int CSearchDeviceBroadcastThread::SendSearchCommand(const std::uint8_t* query)
{
    CLogSystem::Write("SendThread %d : Send Broadcast Search Command  ", GetPort());
    try {
        if (query == nullptr)
            throw std::invalid_argument("no query");
        const udp::endpoint destination(boost::asio::ip::make_address_v4(BROADCAST_ADDRESS),
                                        BROADCAST_DEVICE_PORT);
        SendDatagram(query, BROADCAST_PACKET_SIZE, destination);
    } catch (const std::exception& e) {
        CLogSystem::Write("SendThread %d : Send Broadcast Search Error : %s   ", GetPort(), e.what());
    }
    return 0;
}

void CSearchDeviceBroadcastThread::HandleReceive(const char* data, int length, const char* senderIP)
{
    if (data == nullptr || length != static_cast<int>(BROADCAST_PACKET_SIZE))
        return;
    CLogSystem::Write("SendThread %d : Handle Broadcast Recive Information  ", GetPort());
    const char* szSender = senderIP ? senderIP : "";
    const std::optional<SearchDeviceInfo> info = ParseBroadcastAnswer(data, BROADCAST_PACKET_SIZE, szSender);
    if (!info) {
        CLogSystem::Write("SendThread %d : Recive IP : %s is not Device ", GetPort(), szSender);
        return;
    }
    if (RememberAnswer(*info, false)) {
        CLogSystem::Write("SendThread %d : Handle Broadcast Recive Information Success ", GetPort());
        HandOff(*info, GetPort());
    } else {
        CLogSystem::Write("SendThread %d : Handle Broadcast Recive Information Fail ", GetPort());
    }
}
