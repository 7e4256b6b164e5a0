// SPDX-License-Identifier: MIT
// Sockets over real loopback connections inside this thread's event loop.
#include "socket/CKivSocket.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CIPAddressCtrl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <cerrno>
#include <string>

namespace {

// Runs the event loop until cond holds, for five seconds at most.
template <class F> bool waitFor(F cond)
{
    QElapsedTimer timer;
    timer.start();
    while (!cond() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return cond();
}

struct Probe : CKivSocket {
    int connectError = -1;
    int closes = 0;
    void OnConnect(int error) override
    {
        connectError = error;
        CKivSocket::OnConnect(error);
    }
    void OnClose(int error) override
    {
        ++closes;
        CKivSocket::OnClose(error);
    }
};

UINT listenOnFreePort(CKivSocket& server)
{
    EXPECT_TRUE(server.Create(0, SOCK_STREAM, "127.0.0.1"));
    EXPECT_TRUE(server.Listen());
    CString address;
    UINT port = 0;
    EXPECT_TRUE(server.GetSockName(address, port));
    return port;
}

std::vector<std::string> debugTexts(const MessageBoxRecorder& boxes)
{
    std::vector<std::string> texts;
    for (const auto& b : boxes.shown())
        if (b.caption == "Debug")
            texts.push_back(b.text);
    return texts;
}

class Loopback : public testing::Test {
protected:
    MessageBoxRecorder boxes;
    CKivSocket server;
    Probe client;
    UINT port = 0;

    void SetUp() override
    {
        port = listenOnFreePort(server);
        ASSERT_NE(port, 0u);
        client.SetLocalPort(port);
        ASSERT_NE(client.Connect("127.0.0.1"), 0);
        ASSERT_TRUE(waitFor([&] { return server.GetConnection() && client.connectError == 0; }));
    }
};

} // namespace

TEST(CKivSocket, StoredPortStartsAt777)
{
    CKivSocket s;
    EXPECT_EQ(s.GetLocalPort(), 777u);
    EXPECT_EQ(s.SetLocalPort(4000), 1);
    EXPECT_EQ(s.GetLocalPort(), 4000u);
}

TEST(CKivSocket, SendWithoutAPeerGivesZeroAndShowsNothing)
{
    MessageBoxRecorder boxes;
    CKivSocket s;
    EXPECT_EQ(s.Send("x", 1), 0);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(CKivSocket, ShowErrorShowsTheSystemsTextOnlyForAnError)
{
    MessageBoxRecorder boxes;
    CAsyncSocket::SetLastError(0);
    CKivSocket::ShowError();
    EXPECT_TRUE(boxes.shown().empty());

    CKivSocket s;
    char buffer[8];
    EXPECT_EQ(s.Receive(buffer, sizeof buffer), SOCKET_ERROR);
    EXPECT_EQ(CAsyncSocket::GetLastError(), ENOTCONN);
    CKivSocket::ShowError();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Error");
    EXPECT_EQ(boxes.shown()[0].text, CAsyncSocket::ErrorText(ENOTCONN));
    EXPECT_EQ(boxes.shown()[0].type, MB_ICONINFORMATION | MB_OK);
    EXPECT_FALSE(boxes.shown()[0].text.empty());
}

TEST_F(Loopback, ConnectsAcceptsAndSendsFromTheListeningSide)
{
    EXPECT_TRUE(boxes.shown().empty()) << "a connect under way is no error";
    EXPECT_EQ(server.Send("hello", 5), 1);
    ASSERT_TRUE(waitFor([&] { return !debugTexts(boxes).empty(); }));
    EXPECT_EQ(debugTexts(boxes), (std::vector<std::string> {"hello"}));
}

TEST_F(Loopback, ALongMessageShowsItsFirst255BytesFirst)
{
    std::string message(255, 'a');
    message += std::string(45, 'b');
    EXPECT_EQ(server.Send(message.data(), static_cast<int>(message.size())), 1);
    // All 300 bytes arrive before the first event is handled, so the first box
    // holds 255 of them and the rest follows in a second event.
    ASSERT_TRUE(waitFor([&] { return debugTexts(boxes).size() >= 2; }));
    EXPECT_EQ(debugTexts(boxes)[0], std::string(255, 'a'));
    EXPECT_EQ(debugTexts(boxes)[1], std::string(45, 'b'));
}

TEST_F(Loopback, ASecondPeerReplacesTheFirst)
{
    CAsyncSocket* first = server.GetConnection();
    Probe second;
    second.SetLocalPort(port);
    ASSERT_NE(second.Connect("localhost"), 0);
    ASSERT_TRUE(waitFor([&] { return server.GetConnection() != first && second.connectError == 0; }));
    EXPECT_EQ(server.Send("two", 3), 1);
    ASSERT_TRUE(waitFor([&] { return !debugTexts(boxes).empty(); }));
    EXPECT_EQ(debugTexts(boxes), (std::vector<std::string> {"two"}));
    EXPECT_TRUE(waitFor([&] { return client.closes == 1; })) << "the first peer's connection went";
}

TEST_F(Loopback, ASendToAPeerThatLeftShowsTheError)
{
    client.Close();
    // Sends go out until the server notices the peer left; then one fails.
    ASSERT_TRUE(waitFor([&] {
        EXPECT_EQ(server.Send("late", 4), 1);
        return !boxes.shown().empty();
    }));
    EXPECT_EQ(boxes.shown().back().caption, "Error");
    EXPECT_EQ(boxes.shown().back().text, CAsyncSocket::ErrorText(ENOTCONN));
}

TEST(CKivSocket, ARefusedConnectionEndsInOnConnect)
{
    MessageBoxRecorder boxes;
    UINT closedPort = 0;
    {
        CKivSocket probe;
        closedPort = listenOnFreePort(probe);
    } // nobody listens there any more
    Probe client;
    client.SetLocalPort(closedPort);
    EXPECT_NE(client.Connect("127.0.0.1"), 0);
    ASSERT_TRUE(waitFor([&] { return client.connectError > 0; }));
    EXPECT_EQ(client.connectError, ECONNREFUSED);
}

TEST(CKivSocket, ListeningOnAPortInUseFails)
{
    CKivSocket first, second;
    const UINT port = listenOnFreePort(first);
    EXPECT_TRUE(second.Create(port, SOCK_STREAM, "127.0.0.1"));
    EXPECT_FALSE(second.Listen());
    EXPECT_EQ(CAsyncSocket::GetLastError(), EADDRINUSE);
}

TEST(CKivSocket, GetAddressReadsTheFourFields)
{
    CIPAddressCtrl control;
    EXPECT_EQ(CKivSocket::GetAddress(nullptr), "");
    EXPECT_EQ(CKivSocket::GetAddress(&control), "") << "blank reads 0.0.0.0";
    const QList<QLineEdit*> fields = control.widget()->findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 4);
    const auto type = [&](std::initializer_list<const char*> texts) {
        int i = 0;
        for (const char* text : texts)
            fields[i++]->setText(text);
    };
    type({"0", "0", "0", "0"});
    EXPECT_EQ(CKivSocket::GetAddress(&control), "");
    type({"192", "168", "0", "1"});
    EXPECT_EQ(CKivSocket::GetAddress(&control), "192.168.0.1");
    BYTE a, b, c, d;
    EXPECT_EQ(control.GetAddress(a, b, c, d), 4);
    type({"10", "", "", "7"});
    EXPECT_EQ(control.GetAddress(a, b, c, d), 2) << "blank fields do not count";
    EXPECT_EQ(b, 0);
    EXPECT_EQ(d, 7);
}
