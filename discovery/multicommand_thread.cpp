#include "discovery/multicommand_thread.h"

#include "log/log_system.h"

#include <boost/asio/ip/address_v4.hpp>
#include <boost/asio/ip/multicast.hpp>

using boost::asio::ip::address_v4;

CSearchDeviceMultiCommandThead::~CSearchDeviceMultiCommandThead()
{
    StopAndWait();
}

void CSearchDeviceMultiCommandThead::CreateWorkThread()
{
    CLifeLock life(*this);
    CLogSystem::Write("SendThread %d : Create Search Device Work Thread   ", GetPort());
    bExitSock = false;
    bRetartSock = false;
    try {
        OpenSocket();
        if (strIP.empty()) {
            BindSocket(PortEndpoint(address_v4::any(), GetPort()));
        } else {
            const address_v4 local = boost::asio::ip::make_address_v4(strIP);
            BindSocket(PortEndpoint(local, GetPort()));
            // The M-SEARCH must leave through this address's interface, not by the default
            // route. Linux already picks the interface from a bound source address; the option
            // says so explicitly instead of relying on that routing rule.
            SetSocketOption(boost::asio::ip::multicast::outbound_interface(local));
        }
        StartReceiveThread();
    } catch (const std::exception& e) {
        CloseSocket();
        CLogSystem::Write("SendThread %d : Create Search Device Work Thread Error : %s   ",
                          GetPort(), e.what());
        if (bRetryPort)
            RetryPort();
    }
}

void CSearchDeviceMultiCommandThead::ExitWorkThread()
{
    CLifeLock life(*this, true);
    bExitSock = true;
    CloseSocket();
    CLogSystem::Write("SendThread %d : Exit Search Device Tread , bExitSock : %d  ", GetPort(), 1);
}
