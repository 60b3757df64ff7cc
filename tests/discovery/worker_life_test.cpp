// The worker life cycle over real sockets, inside a private namespace so that every port is
// free: datagram sizes, restart after an empty or oversized receive, port retry, and stops that
// wake blocked receives and wait for the handler.
#include "handoff_recorder.h"
#include "lab_fixture.h"

#include "discovery/broadcast_thread.h"
#include "discovery/multicast_thread.h"
#include "discovery/multicommand_thread.h"
#include "discovery/protocol.h"
#include "log/log_system.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <cstdlib>

namespace {

using boost::asio::ip::udp;
using namespace std::chrono_literals;

class Sender {
public:
    Sender() : sock(io, udp::endpoint(udp::v4(), 0)) {}
    void Send(int nPort, const std::string& datagram)
    {
        sock.send_to(boost::asio::buffer(datagram),
                     udp::endpoint(boost::asio::ip::make_address_v4("127.0.0.1"),
                                   static_cast<unsigned short>(nPort)));
    }
private:
    boost::asio::io_context io;
    udp::socket sock;
};

// A bound socket that keeps a port taken.
class PortHolder {
public:
    explicit PortHolder(int nPort)
        : sock(io, udp::endpoint(udp::v4(), static_cast<unsigned short>(nPort))) {}
private:
    boost::asio::io_context io;
    udp::socket sock;
};

struct Datagram {
    std::string strData;
    bool bTerminated;
    std::string strSender;
};

// A base worker that counts its creates and keeps every datagram; its handler can be held.
class RecordingThread : public CSearchDeviceThread {
public:
    ~RecordingThread() override
    {
        Release();
        StopAndWait();
    }
    void CreateWorkThread() override
    {
        ++nCreates;
        CSearchDeviceThread::CreateWorkThread();
    }
    void HandleReceive(const char* data, int length, const char* senderIP) override
    {
        std::unique_lock lock(mtx);
        received.push_back({std::string(data, static_cast<std::size_t>(length)), data[length] == '\0', senderIP});
        bInHandler = true;
        cv.notify_all();
        cv.wait(lock, [this] { return !bHold; });
        bInHandler = false;
    }
    void Hold() { std::lock_guard lock(mtx); bHold = true; }
    void Release()
    {
        std::lock_guard lock(mtx);
        bHold = false;
        cv.notify_all();
    }
    bool WaitInHandler()
    {
        std::unique_lock lock(mtx);
        return cv.wait_for(lock, 5s, [this] { return bInHandler; });
    }
    std::vector<Datagram> Received()
    {
        std::lock_guard lock(mtx);
        return received;
    }

    std::atomic<int> nCreates{0};

private:
    std::mutex mtx;
    std::condition_variable cv;
    std::vector<Datagram> received;
    bool bHold = false;
    bool bInHandler = false;
};

class WorkerLifeTest : public LabTest {
protected:
    std::vector<std::string> Attachments() const override { return {"solo:a:10.213.0.1/16"}; }
    void SetUp() override
    {
        LabTest::SetUp();
        if (IsSkipped())
            return;
        inside = std::make_unique<netlab::Lab::Inside>(*lab, "solo");
        ASSERT_TRUE(inside->Entered());
    }
    void TearDown() override
    {
        inside.reset();
        LabTest::TearDown();
    }

    std::unique_ptr<netlab::Lab::Inside> inside;
};

TEST_F(WorkerLifeTest, DatagramsUpTo1024BytesAreHandledWithATerminatingNul)
{
    RecordingThread worker;
    worker.InitValue(nullptr, 1530, false);
    Sender sender;
    sender.Send(1530, "x");
    sender.Send(1530, std::string(1024, 'y'));
    ASSERT_TRUE(Eventually([&] { return worker.Received().size() == 2; }));
    const auto received = worker.Received();
    EXPECT_EQ(received[0].strData, "x");
    EXPECT_EQ(received[1].strData, std::string(1024, 'y'));
    EXPECT_TRUE(received[0].bTerminated && received[1].bTerminated);
    EXPECT_EQ(received[1].strSender, "127.0.0.1");
    EXPECT_EQ(worker.nCreates, 1);
}

TEST_F(WorkerLifeTest, EmptyOrOversizedDatagramRestartsTheWorkerOnTheSamePort)
{
    for (const std::size_t nSize : {std::size_t(0), std::size_t(1025), std::size_t(4000)}) {
        RecordingThread worker;
        worker.InitValue(nullptr, 1530, false);
        Sender sender;
        sender.Send(1530, std::string(nSize, 'z'));
        ASSERT_TRUE(Eventually([&] { return worker.nCreates == 2; })) << nSize;
        EXPECT_TRUE(worker.Received().empty()) << nSize;
        ASSERT_TRUE(Eventually([&] { return worker.LocalEndpoint().port() == 1530; })) << nSize;
        sender.Send(1530, "after");
        ASSERT_TRUE(Eventually([&] { return worker.Received().size() == 1; })) << nSize;
        EXPECT_EQ(worker.Received()[0].strData, "after");
        EXPECT_EQ(worker.GetPort(), 1530);
    }
}

TEST_F(WorkerLifeTest, ExitWhileADatagramIsHandledLetsTheHandlerFinishWithoutRestart)
{
    RecordingThread worker;
    worker.InitValue(nullptr, 1530, false);
    worker.Hold();
    Sender sender;
    sender.Send(1530, "held");
    ASSERT_TRUE(worker.WaitInHandler());
    const auto start = std::chrono::steady_clock::now();
    worker.ExitWorkThread();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(worker.WaitUntilThreadsLeft(50ms));
    worker.Release();
    EXPECT_TRUE(worker.WaitUntilThreadsLeft(1s));
    EXPECT_EQ(worker.nCreates, 1);
    EXPECT_EQ(worker.Received().size(), 1u);
    EXPECT_EQ(worker.LocalEndpoint().port(), 0);
}

TEST_F(WorkerLifeTest, ExitWakesEveryBlockedReceiveAtOnce)
{
    CSearchDeviceBroadcastThread broadcast;
    CSearchDeviceMulticastThread multicast;
    CSearchDeviceMultiCommandThead command;
    RecordingThread base;
    broadcast.InitValue(nullptr, 67, false);
    multicast.InitValue(nullptr, 1900, false);
    command.InitValue("127.0.0.1", 1530, true);
    base.InitValue(nullptr, 1600, false);
    CSearchDeviceThread* workers[] = {&broadcast, &multicast, &command, &base};
    for (CSearchDeviceThread* worker : workers)
        ASSERT_NE(worker->LocalEndpoint().port(), 0);
    std::this_thread::sleep_for(20ms);

    const auto start = std::chrono::steady_clock::now();
    for (CSearchDeviceThread* worker : workers)
        worker->ExitWorkThread();
    for (CSearchDeviceThread* worker : workers)
        EXPECT_TRUE(worker->WaitUntilThreadsLeft(500ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    Sender().Send(1600, "too late");
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(base.Received().empty());
    EXPECT_EQ(base.nCreates, 1);
}

TEST_F(WorkerLifeTest, StopAmidRestartsEndsTheWorkerForGood)
{
    std::atomic<bool> bSending{true};
    std::thread restarter([&] {
        Sender sender;
        while (bSending)
            sender.Send(1530, "");
    });
    // Each stop lands at another moment of the restart cycle.
    for (int nRound = 0; nRound < 100; ++nRound) {
        RecordingThread worker;
        worker.InitValue(nullptr, 1530, false);
        ASSERT_TRUE(Eventually([&] { return worker.nCreates > 1 + nRound % 3; }));
        worker.ExitWorkThread();
        ASSERT_TRUE(worker.WaitUntilThreadsLeft(1s)) << "round " << nRound;
        const int nCreates = worker.nCreates;
        std::this_thread::sleep_for(1ms);
        ASSERT_EQ(worker.nCreates, nCreates) << "round " << nRound;
        ASSERT_EQ(worker.LocalEndpoint().port(), 0) << "round " << nRound;
    }
    bSending = false;
    restarter.join();
}

TEST_F(WorkerLifeTest, PortRetryTakesTheFirstFreeOfTheNextTwenty)
{
    const struct {
        int nTaken;
        int nBound;
    } cases[] = {{0, 1530}, {1, 1531}, {11, 1541}, {20, 1550}, {21, 0}};
    for (const auto& c : cases) {
        std::vector<std::unique_ptr<PortHolder>> holders;
        for (int n = 0; n < c.nTaken; ++n)
            holders.push_back(std::make_unique<PortHolder>(1530 + n));
        CSearchDeviceMultiCommandThead worker;
        worker.InitValue("127.0.0.1", 1530, true);
        EXPECT_EQ(worker.LocalEndpoint().port(), c.nBound) << c.nTaken << " taken";
        EXPECT_EQ(worker.GetPort(), c.nBound ? c.nBound : 1550) << c.nTaken << " taken";
    }
}

TEST_F(WorkerLifeTest, WorkersWithoutRetryStayIdleOnATakenPort)
{
    PortHolder holder67(67);
    PortHolder holder1900(1900);
    CSearchDeviceBroadcastThread broadcast;
    CSearchDeviceMulticastThread multicast;
    broadcast.InitValue(nullptr, 67, false);
    multicast.InitValue(nullptr, 1900, false);
    EXPECT_EQ(broadcast.LocalEndpoint().port(), 0);
    EXPECT_EQ(multicast.LocalEndpoint().port(), 0);
    EXPECT_EQ(multicast.GetPort(), 1900);
    EXPECT_TRUE(broadcast.WaitUntilThreadsLeft(0ms));
}

TEST_F(WorkerLifeTest, UnparsableAddressLeavesTheWorkerIdle)
{
    CSearchDeviceMultiCommandThead worker;
    worker.InitValue("not-an-address", 1530, false);
    EXPECT_EQ(worker.LocalEndpoint().port(), 0);
}

class LoggedWorkerTest : public WorkerLifeTest {
protected:
    void SetUp() override
    {
        WorkerLifeTest::SetUp();
        if (IsSkipped())
            return;
        char szTemplate[] = "/tmp/velk-worker-log-XXXXXX";
        ASSERT_NE(mkdtemp(szTemplate), nullptr);
        folder = szTemplate;
        pEcho = std::tmpfile();
        CLogSystem::Enable((folder / "search.log").c_str(), pEcho);
    }
    void TearDown() override
    {
        CLogSystem::Reset();
        if (pEcho)
            std::fclose(pEcho);
        if (!folder.empty())
            std::filesystem::remove_all(folder);
        WorkerLifeTest::TearDown();
    }
    // The log's messages without their stamps.
    std::multiset<std::string> Messages() const
    {
        std::ifstream file(folder / "search.log", std::ios::binary);
        const std::regex stamped(R"(\[--[0-9:.]+--\]\*(.*)\r)");
        const std::regex written(R"((.*)\*\[\d\d::\d\d:\d\d:\d\d\]\r)");
        std::multiset<std::string> messages;
        std::smatch match;
        for (std::string line; std::getline(file, line);) {
            if (std::regex_match(line, match, stamped) || std::regex_match(line, match, written))
                messages.insert(match[1]);
            else
                messages.insert("unexpected line: " + line);
        }
        return messages;
    }

    std::filesystem::path folder;
    std::FILE* pEcho = nullptr;
};

TEST_F(LoggedWorkerTest, BroadcastWorkerLogsEveryStepWithItsPort)
{
    HandOffRecorder recorder;
    {
        CSearchDeviceBroadcastThread worker;
        worker.InitValue(nullptr, 67, false);
        std::string answer(BROADCAST_PACKET_SIZE, '\0');
        answer[0] = static_cast<char>(BROADCAST_OP_ANSWER);
        answer[1] = 1;
        answer.replace(BROADCAST_OFFSET_TEXT, 7, "id=A1&x");
        std::string other = answer;
        other[0] = 0x05;
        Sender sender;
        sender.Send(67, answer);
        sender.Send(67, answer);
        sender.Send(67, other);
        ASSERT_TRUE(recorder.WaitFor(1));
        ASSERT_TRUE(Eventually([&] { return Messages().count("SendThread 67 : Recive IP : 127.0.0.1 is not Device ") == 1; }));
        worker.ExitWorkThread();
        ASSERT_TRUE(worker.WaitUntilThreadsLeft(1s));
    }
    const std::multiset<std::string> messages = Messages();
    const std::pair<const char*, std::size_t> expected[] = {
        {"SendThread 67 : Init Search Device Work Thread Value, strIP : , nPort : 67  ", 1},
        {"SendThread 67 : Create Search Device Work Thread ", 1},
        {"SendThread 67 : Begin Search Device Work Thread  ", 1},
        {"SendThread 67 : Wait Reciver Socket Protocol Info  ", 4},
        {"SendThread 67 : Reciver Socket Protocol Info, nReceive = 148  ", 3},
        {"SendThread 67 : Recive Socket Protocol IP : 127.0.0.1, nLen : 148  ", 3},
        {"SendThread 67 : Handle Broadcast Recive Information  ", 3},
        {"SendThread 67 : Handle Broadcast Recive Information Success ", 1},
        {"SendThread 67 : Handle Broadcast Recive Information Fail ", 1},
        {"SendThread 67 : Recive IP : 127.0.0.1 is not Device ", 1},
        {"Handle 67 : Search 67 Thread Find Device and wait for mutex  ", 1},
        {"Handle 67 : Search 67 Thread Find Device have Mutex  ", 1},
        {"Handle 67 : Search 67 Thread Find Device ID : A1, IP : 127.0.0.1  ", 1},
        {"Handle 67 : Search 67 Thread Find Device Success Handle  ", 1},
        {"SendThread 67 : Reciver Socket Protocol Info, nReceive = 0  ", 1},
        {"SendThread 67 : Exit Search Device Tread , bExitSock : 1  ", 1},
        {"SendThread 67 : Finish Search Device Work Thread  ", 1},
    };
    std::size_t nExpected = 0;
    for (const auto& [szLine, nCount] : expected) {
        EXPECT_EQ(messages.count(szLine), nCount) << szLine;
        nExpected += nCount;
    }
    EXPECT_EQ(messages.size(), nExpected);
    for (const std::string& message : messages)
        EXPECT_EQ(message.find("unexpected"), std::string::npos) << message;
}

TEST_F(LoggedWorkerTest, RestartAndRetryAreLogged)
{
    PortHolder holder(1530);
    CSearchDeviceMultiCommandThead worker;
    worker.InitValue("127.0.0.1", 1530, true);
    Sender().Send(1531, "");
    ASSERT_TRUE(Eventually([&] {
        return Messages().count("SendThread 1531 : Begin Search Device Work Thread  ") == 2;
    }));
    worker.ExitWorkThread();
    const std::multiset<std::string> messages = Messages();
    for (const char* szLine : {
             "SendThread 1530 : Create Search Device Work Thread   ",
             "SendThread 1530 : Handle Create Search Device Work Thread Error  ",
             "SendThread 1531 : Test Create Search Device Work Thread, testCount = 1, port = 1531  ",
             "SendThread 1531 : Reciver Socket Protocol Null Info, bExitSock = 0, bRetartSock = 0  "}) {
        EXPECT_EQ(messages.count(szLine), 1u) << szLine;
    }
    EXPECT_EQ(messages.count("SendThread 1531 : Exit Search Device Tread , bExitSock : 1  "), 2u);
    const auto error = std::find_if(messages.begin(), messages.end(), [](const std::string& m) {
        return m.starts_with("SendThread 1530 : Create Search Device Work Thread Error : ") && m.ends_with("   ");
    });
    EXPECT_NE(error, messages.end());
}

} // namespace
