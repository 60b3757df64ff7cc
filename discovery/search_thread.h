// The base of the search workers: one UDP socket and one receive thread each, the life cycle
// they share (create, receive loop, restart after an empty receive, exit) and the memory of the
// last answer handed off.
#pragma once

#include "discovery/device_info.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

class CSearchDeviceThread {
public:
    CSearchDeviceThread();
    CSearchDeviceThread(const CSearchDeviceThread&) = delete;
    CSearchDeviceThread& operator=(const CSearchDeviceThread&) = delete;
    // Stops the worker and waits until its receive thread has left it.
    virtual ~CSearchDeviceThread();

    // Opens the socket, binds it to any address and nPort, starts the receive thread.
    virtual void CreateWorkThread();
    // Stores the local address (null: any), the port and the retry permission, then creates.
    virtual int InitValue(const char* szIP, int nPort, bool bRetryPort);
    // Ends the receive loop and closes the socket. Called from outside, it stops the worker
    // for good: a restart in progress completes first and no later restart happens.
    virtual void ExitWorkThread();
    // Sends the worker's search query; the base class sends nothing. Always 0.
    virtual int SendSearchCommand(const std::uint8_t* query);
    // Forgets the last answer, so that the next one is handed off even if it repeats.
    virtual void ClearLastInfo();
    // The body of the receive thread.
    virtual int WorkThread();
    // Handles one datagram (NUL-terminated after length bytes); the base class ignores it.
    virtual void HandleReceive(const char* data, int length, const char* senderIP);

    // True once no receive thread runs in this worker any more; false if the time ran out.
    bool WaitUntilThreadsLeft(std::chrono::milliseconds timeout);

    int GetPort() const { return nPort.load(); }
    const std::string& GetIP() const { return strIP; }
    // The address the socket is bound to, or port 0 when the worker has no socket.
    boost::asio::ip::udp::endpoint LocalEndpoint();

protected:
    // Socket operations, serialised with each other and with the receive; they throw
    // boost::system::system_error on failure.
    void OpenSocket();
    void BindSocket(const boost::asio::ip::udp::endpoint& endpoint);
    template <typename Option> void SetSocketOption(const Option& option)
    {
        std::lock_guard lock(mtxSocket);
        sock.set_option(option);
    }
    void SendDatagram(const void* pData, std::size_t nSize,
                      const boost::asio::ip::udp::endpoint& destination);
    // Wakes a blocked receive, waits until it has returned, then closes the socket.
    void CloseSocket();
    // Starts and detaches the receive thread.
    void StartReceiveThread();
    // The next port after a failed create, at most 20 in the worker's life.
    void RetryPort();
    // What every destructor does first: stop for good, close, wait for the receive thread, so
    // that no thread calls into a worker whose derived part is being destroyed.
    void StopAndWait();

    // Stores the record as the last answer and returns true unless it is identical to the
    // last answer; an identical one is dropped and, when bForgetRepeat, forgotten.
    bool RememberAnswer(const SearchDeviceInfo& record, bool bForgetRepeat);

    // Held by every create and exit, so that a stop from outside and a restart on the receive
    // thread never interleave. With bExit, an exit that is not part of a restart stops the
    // worker for good.
    class CLifeLock {
    public:
        explicit CLifeLock(CSearchDeviceThread& worker, bool bExit = false);
    private:
        std::lock_guard<std::recursive_mutex> lock;
    };

    // Guarded by mtxLastInfo: the GUI thread clears it while the receive thread compares.
    SearchDeviceInfo lastDeviceInfo;
    boost::asio::io_context ioContext;
    boost::asio::ip::udp::socket sock;
    std::string strIP;
    // Atomic: a port retry during a restart changes it while the GUI thread logs with it.
    std::atomic<int> nPort{1530};
    int testCount = 0;
    std::atomic<bool> bExitSock{false};
    std::atomic<bool> bRetartSock{false};
    bool bRetryPort = false;

private:
    std::size_t Receive(char* pBuffer, boost::asio::ip::udp::endpoint& sender);
    void Restart();
    void LeaveThread();

    std::recursive_mutex mtxLife;
    bool bStopped = false;
    bool bInRestart = false;

    std::mutex mtxSocket;
    std::condition_variable cvSocket;
    bool bInReceive = false;
    int nThreads = 0;

    std::mutex mtxLastInfo;
};

// The endpoint of an address and a port; throws when the port is outside 0 to 65535.
boost::asio::ip::udp::endpoint PortEndpoint(const boost::asio::ip::address_v4& address, int nPort);
