#include "discovery/search_thread.h"

#include "discovery/protocol.h"
#include "log/log_system.h"

#include <boost/asio/ip/address_v4.hpp>
#include <boost/system/system_error.hpp>
#include <boost/thread/thread.hpp>

#include <sys/socket.h>

#include <cstring>

using boost::asio::ip::address_v4;
using boost::asio::ip::udp;

namespace {

// How long a close waits for a woken receive to return; shutdown wakes it at once, so the
// bound only matters if the system misbehaves.
constexpr std::chrono::seconds RECEIVE_WAKE_LIMIT{2};

// Twenty further ports at most in a worker's life.
constexpr int PORT_RETRY_LIMIT = 20;

// Room for a burst of answers (a thousand devices within 50 ms) while the receive thread
// hands off the ones before; the kernel caps it at net.core.rmem_max.
constexpr int RECEIVE_BUFFER_BYTES = 1 << 20;

} // namespace

udp::endpoint PortEndpoint(const address_v4& address, int nPort)
{
    if (nPort < 0 || nPort > 65535)
        throw boost::system::system_error(
            boost::system::errc::make_error_code(boost::system::errc::invalid_argument));
    return {address, static_cast<unsigned short>(nPort)};
}

CSearchDeviceThread::CLifeLock::CLifeLock(CSearchDeviceThread& worker, bool bExit)
    : lock(worker.mtxLife)
{
    if (bExit && !worker.bInRestart)
        worker.bStopped = true;
}

CSearchDeviceThread::CSearchDeviceThread() : lastDeviceInfo(MakeDeviceInfo()), sock(ioContext) {}

CSearchDeviceThread::~CSearchDeviceThread()
{
    StopAndWait();
}

void CSearchDeviceThread::StopAndWait()
{
    {
        CLifeLock life(*this, true);
        bExitSock = true;
        CloseSocket();
    }
    std::unique_lock lock(mtxSocket);
    cvSocket.wait(lock, [this] { return nThreads == 0; });
}

void CSearchDeviceThread::CreateWorkThread()
{
    CLifeLock life(*this);
    CLogSystem::Write("SendThread %d : Create Search Device Work Thread   ", GetPort());
    bExitSock = false;
    bRetartSock = false;
    try {
        OpenSocket();
        BindSocket(PortEndpoint(address_v4::any(), GetPort()));
        StartReceiveThread();
    } catch (const std::exception& e) {
        CloseSocket();
        CLogSystem::Write("SendThread %d : Create Search Device Work Thread Error : %s   ",
                          GetPort(), e.what());
    }
}

int CSearchDeviceThread::InitValue(const char* szIP, int nNewPort, bool bNewRetryPort)
{
    strIP = szIP ? szIP : "";
    nPort = nNewPort;
    bRetryPort = bNewRetryPort;
    CLogSystem::Write("SendThread %d : Init Search Device Work Thread Value, strIP : %s, nPort : %d  ",
                      GetPort(), strIP.c_str(), GetPort());
    CreateWorkThread();
    return 0;
}

void CSearchDeviceThread::ExitWorkThread()
{
    CLifeLock life(*this, true);
    bExitSock = true;
    CloseSocket();
    CLogSystem::WriteStamped("SendThread %d : Exit Search Device Tread , bExitSock : %d  ", GetPort(), 1);
}

int CSearchDeviceThread::SendSearchCommand(const std::uint8_t* /*query*/)
{
    return 0;
}

void CSearchDeviceThread::ClearLastInfo()
{
    std::lock_guard lock(mtxLastInfo);
    lastDeviceInfo = MakeDeviceInfo();
}

bool CSearchDeviceThread::RememberAnswer(const SearchDeviceInfo& record, bool bForgetRepeat)
{
    std::lock_guard lock(mtxLastInfo);
    if (IsIdenticalDevice(record, lastDeviceInfo)) {
        if (bForgetRepeat)
            lastDeviceInfo = MakeDeviceInfo();
        return false;
    }
    lastDeviceInfo = record;
    return true;
}

int CSearchDeviceThread::WorkThread()
{
    try {
        CLogSystem::Write("SendThread %d : Begin Search Device Work Thread  ", GetPort());
        udp::endpoint sender(address_v4::any(), 0);
        char buffer[RECEIVE_BUFFER_SIZE];
        while (!bExitSock) {
            CLogSystem::Write("SendThread %d : Wait Reciver Socket Protocol Info  ", GetPort());
            std::memset(buffer, 0, sizeof buffer);
            const int nReceive = static_cast<int>(Receive(buffer, sender));
            CLogSystem::Write("SendThread %d : Reciver Socket Protocol Info, nReceive = %d  ",
                              GetPort(), nReceive);
            if (nReceive != 0) {
                const std::string strSender = sender.address().to_string();
                CLogSystem::Write("SendThread %d : Recive Socket Protocol IP : %s, nLen : %d  ",
                                  GetPort(), strSender.c_str(), nReceive);
                HandleReceive(buffer, nReceive, strSender.c_str());
                continue;
            }
            if (bExitSock)
                break;
            CLogSystem::Write(
                "SendThread %d : Reciver Socket Protocol Null Info, bExitSock = %d, bRetartSock = %d  ",
                GetPort(), 0, bRetartSock ? 1 : 0);
            bExitSock = true;
            bRetartSock = true;
        }
        if (bRetartSock)
            Restart();
        CLogSystem::WriteStamped("SendThread %d : Finish Search Device Work Thread  ", GetPort());
    } catch (const std::exception& e) {
        CLogSystem::Write("SendThread %d : Create Socket Protocolt Server Error : %s  ", GetPort(),
                          e.what());
    } catch (...) {
        CLogSystem::Write("SendThread %d : Create Socket Protocolt Server Error : %s  ", GetPort(),
                          "unknown error");
    }
    return 0;
}

void CSearchDeviceThread::HandleReceive(const char* /*data*/, int /*length*/, const char* /*senderIP*/)
{
}

bool CSearchDeviceThread::WaitUntilThreadsLeft(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mtxSocket);
    return cvSocket.wait_for(lock, timeout, [this] { return nThreads == 0; });
}

udp::endpoint CSearchDeviceThread::LocalEndpoint()
{
    std::lock_guard lock(mtxSocket);
    boost::system::error_code ec;
    const udp::endpoint local = sock.is_open() ? sock.local_endpoint(ec) : udp::endpoint();
    return ec ? udp::endpoint() : local;
}

void CSearchDeviceThread::OpenSocket()
{
    std::lock_guard lock(mtxSocket);
    sock.open(udp::v4());
    boost::system::error_code ec;
    sock.set_option(udp::socket::receive_buffer_size(RECEIVE_BUFFER_BYTES), ec);
}

void CSearchDeviceThread::BindSocket(const udp::endpoint& endpoint)
{
    std::lock_guard lock(mtxSocket);
    sock.bind(endpoint);
}

void CSearchDeviceThread::SendDatagram(const void* pData, std::size_t nSize,
                                       const udp::endpoint& destination)
{
    std::lock_guard lock(mtxSocket);
    sock.send_to(boost::asio::buffer(pData, nSize), destination);
}

void CSearchDeviceThread::CloseSocket()
{
    std::unique_lock lock(mtxSocket);
    if (!sock.is_open())
        return;
    // Closing alone does not wake a receive blocked on the socket, and its descriptor number
    // could be reused under it; shutting down wakes it (an unconnected UDP socket reports
    // ENOTCONN, but the wake-up happens all the same).
    boost::system::error_code ec;
    sock.shutdown(udp::socket::shutdown_both, ec);
    if (!cvSocket.wait_for(lock, RECEIVE_WAKE_LIMIT, [this] { return !bInReceive; }))
        return;
    sock.close(ec);
}

void CSearchDeviceThread::StartReceiveThread()
{
    {
        std::lock_guard lock(mtxSocket);
        ++nThreads;
    }
    try {
        boost::thread thread([this] {
            WorkThread();
            LeaveThread();
        });
        thread.detach();
    } catch (...) {
        LeaveThread();
        throw;
    }
}

void CSearchDeviceThread::LeaveThread()
{
    std::lock_guard lock(mtxSocket);
    --nThreads;
    cvSocket.notify_all();
}

void CSearchDeviceThread::RetryPort()
{
    CLogSystem::Write("SendThread %d : Handle Create Search Device Work Thread Error  ", GetPort());
    if (testCount >= PORT_RETRY_LIMIT)
        return;
    ++nPort;
    ++testCount;
    CLogSystem::Write(
        "SendThread %d : Test Create Search Device Work Thread, testCount = %d, port = %d  ",
        GetPort(), testCount, GetPort());
    CreateWorkThread();
}

std::size_t CSearchDeviceThread::Receive(char* pBuffer, udp::endpoint& sender)
{
    {
        std::lock_guard lock(mtxSocket);
        if (bExitSock || !sock.is_open())
            return 0;
        bInReceive = true;
    }
    // MSG_TRUNC makes the call report a datagram's real length, so one longer than the buffer
    // is seen (and treated as a failed receive) instead of being cut silently.
    boost::system::error_code ec;
    const std::size_t nReceived =
        sock.receive_from(boost::asio::buffer(pBuffer, RECEIVE_LENGTH), sender, MSG_TRUNC, ec);
    {
        std::lock_guard lock(mtxSocket);
        bInReceive = false;
        cvSocket.notify_all();
    }
    if (ec || nReceived > RECEIVE_LENGTH)
        return 0;
    return nReceived;
}

void CSearchDeviceThread::Restart()
{
    std::lock_guard life(mtxLife);
    if (bStopped)
        return;
    bInRestart = true;
    ExitWorkThread();
    CreateWorkThread();
    bInRestart = false;
}
