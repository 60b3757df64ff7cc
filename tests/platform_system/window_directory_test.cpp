// Finding windows by title across processes and sending them messages.
#include "platform/remote_window.h"
#include "platform/window_directory.h"
#include "platform/window_directory_protocol.h"

#include "platform/local_socket.h"
#include "test_support.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

constexpr char kTitle[] = "VELK WIFI DISK";

LRESULT HelperAnswer(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return static_cast<LRESULT>(nMsg) * 1000 + static_cast<LRESULT>(wParam) * 10 + lParam;
}

// An owner's GUI thread: a poll loop over the directory's descriptors and a stop signal.
class COwnerThread {
public:
    explicit COwnerThread(CWindowDirectory& directory,
                          CWindowDirectory::PFN_WINDOW_MESSAGE pfnHandler)
        : directory(directory), pfnHandler(std::move(pfnHandler)), thread([this] { Run(); })
    {
    }
    ~COwnerThread()
    {
        std::uint64_t nOne = 1;
        write(nStopFd, &nOne, sizeof nOne);
        thread.join();
        close(nStopFd);
    }

private:
    void Run()
    {
        for (;;) {
            std::vector<pollfd> descriptors{{nStopFd, POLLIN, 0}};
            for (int nFd : directory.GetPollDescriptors())
                descriptors.push_back({nFd, POLLIN, 0});
            if (poll(descriptors.data(), descriptors.size(), -1) < 0)
                continue;
            if (descriptors[0].revents != 0)
                return;
            for (std::size_t i = 1; i < descriptors.size(); ++i) {
                if (descriptors[i].revents != 0)
                    directory.Dispatch(descriptors[i].fd, pfnHandler);
            }
        }
    }

    CWindowDirectory& directory;
    CWindowDirectory::PFN_WINDOW_MESSAGE pfnHandler;
    int nStopFd = eventfd(0, EFD_CLOEXEC);
    std::thread thread;
};

TEST(WindowDirectory, DeliversMessagesToTheOwnersThreadForAnyTitle)
{
    CTempFolder folder;
    CWindowDirectory directory(folder.Path());
    const std::string titles[] = {kTitle, "smb://192.168.1.5/ \\ \"x\" \n",
                                  "\xE4\xB8\xAD\xE6\x96\x87", std::string(2000, 'T')};
    for (std::size_t i = 0; i < std::size(titles); ++i)
        ASSERT_TRUE(directory.Publish(100 + i, titles[i])) << i;

    std::mutex lock;
    std::vector<std::thread::id> handlerThreads;
    COwnerThread owner(
        directory, [&](CWindowDirectory::WindowKey nKey, UINT nMsg, WPARAM wParam, LPARAM lParam) {
            std::lock_guard guard(lock);
            handlerThreads.push_back(std::this_thread::get_id());
            return static_cast<LRESULT>(nKey) * 100000 + HelperAnswer(nMsg, wParam, lParam);
        });

    for (std::size_t i = 0; i < std::size(titles); ++i) {
        CRemoteWindow window = CRemoteWindow::FindWindow(titles[i], folder.Path());
        ASSERT_TRUE(window.IsValid()) << i;
        EXPECT_EQ(window.SendMessage(1124, 0, 0), static_cast<LRESULT>(100 + i) * 100000 + 1124000);
        EXPECT_EQ(window.SendMessage(7, 3, -2), static_cast<LRESULT>(100 + i) * 100000 + 7028);
    }
    std::lock_guard guard(lock);
    ASSERT_EQ(handlerThreads.size(), 2 * std::size(titles));
    for (std::thread::id id : handlerThreads)
        EXPECT_NE(id, std::this_thread::get_id());
}

TEST(WindowDirectory, FindsOnlyPublishedTitles)
{
    CTempFolder folder;
    CWindowDirectory directory(folder.Path());
    EXPECT_FALSE(directory.Publish(1, ""));
    ASSERT_TRUE(directory.Publish(1, kTitle));
    EXPECT_FALSE(CRemoteWindow::FindWindow("VELK WIFI DIS", folder.Path()).IsValid());
    EXPECT_FALSE(CRemoteWindow::FindWindow("", folder.Path()).IsValid());
    EXPECT_FALSE(CRemoteWindow::FindWindow(kTitle, std::string()).IsValid());
    EXPECT_TRUE(CRemoteWindow::FindWindow(kTitle, folder.Path()).IsValid());

    directory.Withdraw(1);
    EXPECT_FALSE(CRemoteWindow::FindWindow(kTitle, folder.Path()).IsValid());
    EXPECT_FALSE(CRemoteWindow().SendMessage(1, 0, 0));
}

TEST(WindowDirectory, ReachesAnotherProcess)
{
    CTempFolder folder;
    CChildProcess owner({HelperProgram(), "window", folder.Path(), kTitle, "serve"});
    ASSERT_EQ(owner.ReadLine(), "published");
    CRemoteWindow window = CRemoteWindow::FindWindow(kTitle, folder.Path());
    ASSERT_TRUE(window.IsValid());
    EXPECT_EQ(window.SendMessage(1124, 0, 0), HelperAnswer(1124, 0, 0));
    EXPECT_EQ(owner.ReadLine(), "message 1124 0 0");

    // A live owner keeps its title: a second window of that title is not published.
    CWindowDirectory directory(folder.Path());
    EXPECT_FALSE(directory.Publish(1, kTitle));
    EXPECT_EQ(owner.CloseInputAndWait(), 0);
}

TEST(WindowDirectory, ReplacesTheSocketOfADeadOwner)
{
    CTempFolder folder;
    CChildProcess owner({HelperProgram(), "window", folder.Path(), kTitle, "serve"});
    ASSERT_EQ(owner.ReadLine(), "published");
    owner.Kill();
    ASSERT_EQ(access((folder / WindowSocketName(kTitle)).c_str(), F_OK), 0);
    EXPECT_FALSE(CRemoteWindow::FindWindow(kTitle, folder.Path()).IsValid());

    CWindowDirectory directory(folder.Path());
    ASSERT_TRUE(directory.Publish(1, kTitle));
    COwnerThread thread(directory, [](auto, UINT nMsg, WPARAM, LPARAM) { return LRESULT(nMsg); });
    EXPECT_EQ(CRemoteWindow::FindWindow(kTitle, folder.Path()).SendMessage(1124, 0, 0), 1124);
}

TEST(WindowDirectory, AHungOrVanishedOwnerDoesNotHoldTheSender)
{
    CTempFolder folder;
    CChildProcess hung({HelperProgram(), "window", folder.Path(), "hung", "hang"});
    ASSERT_EQ(hung.ReadLine(), "published");
    CRemoteWindow window = CRemoteWindow::FindWindow("hung", folder.Path());
    ASSERT_TRUE(window.IsValid());
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(window.SendMessage(1124, 0, 0, 300ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_FALSE(window.IsValid());

    CChildProcess vanishing({HelperProgram(), "window", folder.Path(), "vanishing", "serve"});
    ASSERT_EQ(vanishing.ReadLine(), "published");
    CRemoteWindow gone = CRemoteWindow::FindWindow("vanishing", folder.Path());
    ASSERT_TRUE(gone.IsValid());
    vanishing.Kill();
    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(gone.SendMessage(1124, 0, 0, 60s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

TEST(WindowDirectory, LeavesStrangersFilesAlone)
{
    CTempFolder folder;
    CTempFolder elsewhere;
    std::string socketPath = folder / WindowSocketName(kTitle);
    WriteFileText(elsewhere / "target", "keep\n");
    symlink((elsewhere / "target").c_str(), socketPath.c_str());
    CWindowDirectory directory(folder.Path());
    EXPECT_FALSE(directory.Publish(1, kTitle));
    EXPECT_FALSE(CRemoteWindow::FindWindow(kTitle, folder.Path()).IsValid());
    EXPECT_EQ(ReadFileText(elsewhere / "target"), "keep\n");

    if (geteuid() != 0)
        GTEST_SKIP() << "making a stranger's socket needs root";
    unlink(socketPath.c_str());
    // A live listener of another user, which must neither be reached nor replaced.
    int nFd = OpenLocalPacketSocket();
    sockaddr_un address;
    ASSERT_TRUE(MakeLocalAddress(socketPath, address));
    ASSERT_EQ(bind(nFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(nFd, 4), 0);
    ASSERT_EQ(chown(socketPath.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(CRemoteWindow::FindWindow(kTitle, folder.Path()).IsValid());
    EXPECT_FALSE(directory.Publish(1, kTitle));
    EXPECT_EQ(access(socketPath.c_str(), F_OK), 0);
    close(nFd);
}

TEST(WindowDirectory, AnswersOnlyForTheExactTitle)
{
    CTempFolder folder;
    CWindowDirectory directory(folder.Path());
    ASSERT_TRUE(directory.Publish(1, kTitle));
    std::atomic<int> nHandled{0};
    COwnerThread owner(directory, [&](auto, UINT, WPARAM, LPARAM) { return LRESULT(++nHandled); });

    // A sender whose title merely hashes to the same socket gets no answer from this window.
    int nFd = OpenLocalPacketSocket();
    sockaddr_un address;
    ASSERT_TRUE(MakeLocalAddress(folder / WindowSocketName(kTitle), address));
    ASSERT_EQ(connect(nFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    for (const std::string& request : {EncodeWindowRequest({1124, 0, 0, "another title"}),
                                       EncodeWindowRequest({1124, 0, 0, kTitle})}) {
        ASSERT_EQ(send(nFd, request.data(), request.size(), 0),
                  static_cast<ssize_t>(request.size()));
        pollfd descriptor{nFd, POLLIN, 0};
        ASSERT_EQ(poll(&descriptor, 1, 10000), 1);
        char buffer[64];
        ssize_t nRead = recv(nFd, buffer, sizeof buffer, 0);
        ASSERT_GT(nRead, 0);
        std::optional<WindowReply> reply = ParseWindowReply(std::string_view(buffer, nRead));
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->nStatus,
                  request.find("another") == std::string::npos ? WindowReplyStatus::Handled
                                                               : WindowReplyStatus::NoSuchWindow);
    }
    EXPECT_EQ(nHandled.load(), 1);

    // Garbage ends the connection instead of reaching the handler.
    ASSERT_EQ(send(nFd, "junk", 4, 0), 4);
    pollfd descriptor{nFd, POLLIN, 0};
    ASSERT_EQ(poll(&descriptor, 1, 10000), 1);
    char c;
    EXPECT_EQ(recv(nFd, &c, 1, 0), 0);
    close(nFd);
    EXPECT_EQ(nHandled.load(), 1);
}

TEST(WindowDirectory, HandlerMayRetitleItsWindow)
{
    CTempFolder folder;
    CWindowDirectory directory(folder.Path());
    ASSERT_TRUE(directory.Publish(1, "old title"));
    COwnerThread owner(directory, [&](CWindowDirectory::WindowKey nKey, UINT nMsg, WPARAM, LPARAM) {
        directory.Publish(nKey, "new title");
        return LRESULT(nMsg);
    });
    CRemoteWindow old = CRemoteWindow::FindWindow("old title", folder.Path());
    ASSERT_TRUE(old.IsValid());
    EXPECT_EQ(old.SendMessage(5, 0, 0), 5);
    EXPECT_FALSE(old.SendMessage(6, 0, 0));
    EXPECT_FALSE(CRemoteWindow::FindWindow("old title", folder.Path()).IsValid());
    EXPECT_EQ(CRemoteWindow::FindWindow("new title", folder.Path()).SendMessage(7, 0, 0), 7);
}

TEST(WindowDirectory, UsesTheRuntimeFolder)
{
    CTempFolder folder;
    setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
    CWindowDirectory directory;
    ASSERT_TRUE(directory.Publish(1, kTitle));
    EXPECT_TRUE(CRemoteWindow::FindWindow(kTitle).IsValid());
    EXPECT_TRUE(IsOwnSocketFile(folder / WindowSocketName(kTitle)));
    unsetenv("XDG_RUNTIME_DIR");
}

} // namespace
