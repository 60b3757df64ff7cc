// How the workers' handlers turn datagrams into hand-offs: the memory of the last answer, the
// alternation of repeated SSDP messages, and the hand-off's mutual exclusion.
#include "handoff_recorder.h"

#include "discovery/broadcast_thread.h"
#include "discovery/multicast_thread.h"
#include "discovery/protocol.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string BroadcastAnswer(const std::string& text, std::uint8_t nKind = 1)
{
    std::string packet(BROADCAST_PACKET_SIZE, '\0');
    packet[0] = static_cast<char>(BROADCAST_OP_ANSWER);
    packet[1] = static_cast<char>(nKind);
    packet.replace(BROADCAST_OFFSET_TEXT, text.size(), text);
    return packet;
}

std::string SsdpNotify(const std::string& nts)
{
    return "NOTIFY * HTTP/1.1\r\nNT: upnp:rootdevice\r\nNTS: " + nts +
           "\r\nLOCATION: http://10.0.0.7:80/d.xml\r\n"
           "SERVER: Linux TUKO/1.0, UPnP/1.0, VELK/disk/WIFI DISK/x\r\n"
           "USN: uuid:12345678-1234-1234-1234-123456789abc::upnp:rootdevice\r\n\r\n";
}

void Receive(CSearchDeviceThread& worker, const std::string& datagram, const char* szSender)
{
    worker.HandleReceive(datagram.c_str(), static_cast<int>(datagram.size()), szSender);
}

TEST(AnswerHandlingTest, BroadcastRepeatIsHandedOffOncePerQuery)
{
    HandOffRecorder recorder;
    CSearchDeviceBroadcastThread worker;
    const std::string answer = BroadcastAnswer("id=A&vendor=VELK");
    Receive(worker, answer, "10.0.0.5");
    Receive(worker, answer, "10.0.0.5");
    Receive(worker, answer, "10.0.0.5");
    EXPECT_EQ(recorder.Events().size(), 1u);
    worker.ClearLastInfo();
    Receive(worker, answer, "10.0.0.5");
    ASSERT_EQ(recorder.Events().size(), 2u);
    EXPECT_EQ(recorder.Events()[1].first.strIP, "10.0.0.5");
    EXPECT_EQ(recorder.Events()[1].second, 1530);
}

TEST(AnswerHandlingTest, AlternatingBroadcastDevicesAreHandedOffEveryTime)
{
    HandOffRecorder recorder;
    CSearchDeviceBroadcastThread worker;
    for (int i = 0; i < 3; ++i) {
        Receive(worker, BroadcastAnswer("id=A"), "10.0.0.5");
        Receive(worker, BroadcastAnswer("id=B"), "10.0.0.6");
    }
    EXPECT_EQ(recorder.Events().size(), 6u);
}

TEST(AnswerHandlingTest, BroadcastDatagramsOfOtherSizesOrNotFromDevicesAreDropped)
{
    HandOffRecorder recorder;
    CSearchDeviceBroadcastThread worker;
    const std::string answer = BroadcastAnswer("id=A");
    Receive(worker, answer.substr(0, 147), "10.0.0.5");
    Receive(worker, answer + "x", "10.0.0.5");
    std::string query = answer;
    query[0] = static_cast<char>(BROADCAST_OP_QUERY);
    Receive(worker, query, "10.0.0.5");
    EXPECT_TRUE(recorder.Events().empty());
}

TEST(AnswerHandlingTest, IdenticalSsdpMessagesPassAlternately)
{
    HandOffRecorder recorder;
    CSearchDeviceMulticastThread worker;
    for (int i = 0; i < 5; ++i)
        Receive(worker, SsdpNotify("ssdp:alive"), "10.0.0.7");
    EXPECT_EQ(recorder.Events().size(), 3u);
}

TEST(AnswerHandlingTest, ByebyeRightAfterAnIdenticalAliveNeedsASecondOne)
{
    HandOffRecorder recorder;
    CSearchDeviceMulticastThread worker;
    Receive(worker, SsdpNotify("ssdp:alive"), "10.0.0.7");
    Receive(worker, SsdpNotify("ssdp:byebye"), "10.0.0.7");
    Receive(worker, SsdpNotify("ssdp:byebye"), "10.0.0.7");
    const auto events = recorder.Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].first.nType, 2);
    EXPECT_EQ(events[1].first.nType, 4);
    EXPECT_EQ(events[1].first.strID, "12345678-1234-1234-1234-1234567");
}

TEST(AnswerHandlingTest, BaseWorkerIgnoresDatagramsAndSendsNothing)
{
    HandOffRecorder recorder;
    CSearchDeviceThread worker;
    Receive(worker, BroadcastAnswer("id=A"), "10.0.0.5");
    EXPECT_EQ(worker.SendSearchCommand(BuildBroadcastQuery().data()), 0);
    EXPECT_TRUE(recorder.Events().empty());
    EXPECT_EQ(worker.LocalEndpoint().port(), 0);
}

TEST(AnswerHandlingTest, SendWithoutASocketFailsQuietly)
{
    CSearchDeviceBroadcastThread broadcast;
    CSearchDeviceMulticastThread multicast;
    EXPECT_EQ(broadcast.SendSearchCommand(BuildBroadcastQuery().data()), 0);
    EXPECT_EQ(broadcast.SendSearchCommand(nullptr), 0);
    EXPECT_EQ(multicast.SendSearchCommand(nullptr), 0);
}

TEST(AnswerHandlingTest, ClearFromAnotherThreadWhileAnswersArrive)
{
    HandOffRecorder recorder;
    CSearchDeviceBroadcastThread worker;
    std::atomic<bool> bDone{false};
    std::thread receiver([&] {
        for (int i = 0; i < 2000; ++i)
            Receive(worker, BroadcastAnswer("id=A"), "10.0.0.5");
        bDone = true;
    });
    int nClears = 0;
    while (!bDone) {
        worker.ClearLastInfo();
        ++nClears;
    }
    receiver.join();
    const std::size_t nEvents = recorder.Events().size();
    EXPECT_GE(nEvents, 1u);
    EXPECT_LE(nEvents, static_cast<std::size_t>(nClears) + 1);
}

TEST(AnswerHandlingTest, HandOffLetsOneWorkerInAtATime)
{
    std::atomic<int> nInside{0};
    std::atomic<bool> bOverlap{false};
    std::atomic<int> nCalls{0};
    SetHandOffTarget([&](const SearchDeviceInfo&, int) {
        if (nInside.fetch_add(1) != 0)
            bOverlap = true;
        std::this_thread::yield();
        nInside.fetch_sub(1);
        ++nCalls;
        return 0;
    });
    std::vector<std::thread> workers;
    for (int nPort = 0; nPort < 4; ++nPort) {
        workers.emplace_back([nPort] {
            for (int i = 0; i < 200; ++i)
                HandOff(MakeDeviceInfo(), nPort);
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    SetHandOffTarget({});
    EXPECT_FALSE(bOverlap);
    EXPECT_EQ(nCalls, 800);
    HandOff(MakeDeviceInfo(), 1);
}

} // namespace
