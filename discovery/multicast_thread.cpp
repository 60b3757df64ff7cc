#include "discovery/multicast_thread.h"

#include "discovery/handoff.h"
#include "discovery/protocol.h"
#include "discovery/ssdp_parser.h"
#include "log/log_system.h"

#include <boost/asio/ip/address_v4.hpp>
#include <boost/asio/ip/multicast.hpp>

using boost::asio::ip::address_v4;
using boost::asio::ip::udp;

CSearchDeviceMulticastThread::~CSearchDeviceMulticastThread()
{
    StopAndWait();
}

void CSearchDeviceMulticastThread::CreateWorkThread()
{
    CLifeLock life(*this);
    CLogSystem::Write("SendThread %d : Create Search Device Work Thread   ", GetPort());
    bExitSock = false;
    bRetartSock = false;
    try {
        OpenSocket();
        ChangeGroup(true);
        BindSocket(PortEndpoint(address_v4::any(), GetPort()));
        StartReceiveThread();
    } catch (const std::exception& e) {
        CloseSocket();
        CLogSystem::Write("SendThread %d : Create Search Device Work Thread Error : %s   ",
                          GetPort(), e.what());
        if (bRetryPort)
            RetryPort();
    }
}

void CSearchDeviceMulticastThread::ChangeGroup(bool bJoin)
{
    try {
        const address_v4 group = boost::asio::ip::make_address_v4(SSDP_GROUP);
        if (bJoin) {
            SetSocketOption(boost::asio::ip::multicast::join_group(group, address_v4::any()));
            CLogSystem::Write("SendThread %d : Add To Multicast Group Info ", GetPort());
        } else {
            SetSocketOption(boost::asio::ip::multicast::leave_group(group, address_v4::any()));
            CLogSystem::Write("SendThread %d : Leave To Multicast Group Info ", GetPort());
        }
    } catch (const std::exception& e) {
        CLogSystem::Write("SendThread %d : Alter Device Mulitcast Group Error : %s  \r\n", GetPort(),
                          e.what());
    }
}

void CSearchDeviceMulticastThread::ExitWorkThread()
{
    CLifeLock life(*this, true);
    ChangeGroup(false);
    bExitSock = true;
    CloseSocket();
    CLogSystem::WriteStamped("SendThread %d : Exit Search Device Tread , bExitSock : %d  ", GetPort(), 1);
}

int CSearchDeviceMulticastThread::SendSearchCommand(const std::uint8_t* /*query*/)
{
    CLogSystem::Write("SendThread %d : Send Search Device Command  ", GetPort());
    try {
        const udp::endpoint destination(boost::asio::ip::make_address_v4(SSDP_GROUP), SSDP_PORT);
        SendDatagram(SSDP_MSEARCH, SSDP_MSEARCH_SIZE, destination);
    } catch (const std::exception& e) {
        CLogSystem::Write("SendThread %d : Send Search Device Error : %s   ", GetPort(), e.what());
    }
    return 0;
}

void CSearchDeviceMulticastThread::HandleReceive(const char* data, int length, const char* senderIP)
{
    CLogSystem::Write("SendThread %d : Handle Mulitcast Recive Information  ", GetPort());
    if (data == nullptr || length <= 0)
        return;
    const std::optional<SearchDeviceInfo> info =
        ParseSsdpMessage(data, static_cast<std::size_t>(length), senderIP ? senderIP : "");
    if (!info)
        return;
    if (RememberAnswer(*info, true)) {
        CLogSystem::Write("SendThread %d : Handle Mulitcast Recive Information Success, type = %d ",
                          GetPort(), info->nType);
        HandOff(*info, GetPort());
    } else {
        CLogSystem::Write(
            "SendThread %d : Handle Mulitcast Recive Information Fail : Old Device, type = %d ",
            GetPort(), info->nType);
    }
}
