// CAsyncSocket over loopback. The library's sockets reach it through their own tests (events on the
// attaching thread, accepts, closes); these are the text-address form and the handle map's stale events.
#include <afxsock.h>

#include "harness/Pump.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
const long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

using testpump::PumpUntil;

// Records every event with the thread it arrived on; echoes what it receives, or closes on it, when asked to.
class CRecorder : public CAsyncSocket
{
public:
    bool bEcho = false;
    bool bCloseOnReceive = false;
    CAsyncSocket* pAcceptInto = nullptr;
    int nConnectError = -1;
    bool bClosed = false;
    int nEvents = 0;
    std::string received;
    DWORD dwWrongThreadEvents = 0;
    DWORD dwThreadId = ::GetCurrentThreadId();

    void OnReceive(int) override
    {
        Seen();
        char buffer[256];
        const int nRead = Receive(buffer, sizeof(buffer));
        if (nRead > 0)
        {
            received.append(buffer, nRead);
            if (bEcho)
                Send(buffer, nRead);
        }
        if (bCloseOnReceive)
            Close();
    }
    void OnSend(int) override { Seen(); }
    void OnAccept(int) override
    {
        Seen();
        if (pAcceptInto != nullptr)
            Accept(*pAcceptInto);
    }
    void OnConnect(int nErrorCode) override
    {
        Seen();
        nConnectError = nErrorCode;
    }
    void OnClose(int) override
    {
        Seen();
        bClosed = true;
    }

private:
    void Seen()
    {
        ++nEvents;
        if (::GetCurrentThreadId() != dwThreadId)
            ++dwWrongThreadEvents;
    }
};

// A listener with its accepted end on the calling thread, and the port it listens on.
struct Listener
{
    CRecorder listener;
    CRecorder server;
    UINT nPort = 0;

    explicit Listener(LPCTSTR lpszAddress)
    {
        AfxSocketInit();
        listener.pAcceptInto = &server;
        server.bEcho = true;
        CString address;
        EXPECT_TRUE(listener.Create(0, SOCK_STREAM, FD_ACCEPT | FD_CLOSE, lpszAddress));
        EXPECT_TRUE(listener.Listen());
        EXPECT_TRUE(listener.GetSockName(address, nPort));
        EXPECT_EQ(CString(lpszAddress), address);
    }
};

// Creates client on lpszAddress's family and starts its connection to lpszName.
bool Connect(CRecorder& client, LPCTSTR lpszAddress, UINT nPort, LPCTSTR lpszName = nullptr)
{
    if (!client.Create(0, SOCK_STREAM, kAllEvents, lpszAddress))
        return false;
    return client.Connect(lpszName != nullptr ? lpszName : lpszAddress, nPort) ||
           CAsyncSocket::GetLastError() == WSAEWOULDBLOCK;
}

// Connects client to listen and pumps until both ends are up.
bool ConnectAndWait(Listener& listen, CRecorder& client, LPCTSTR lpszAddress, LPCTSTR lpszName = nullptr)
{
    return Connect(client, lpszAddress, listen.nPort, lpszName) &&
           PumpUntil([&] { return client.nConnectError == 0 && listen.server.m_hSocket != INVALID_SOCKET; });
}
} // namespace

TEST(AfxSocket, EchoOverLoopbackOnTheAttachingThread)
{
    // The IPv4 client connects by name.
    const std::pair<LPCTSTR, LPCTSTR> cases[] = {{L"127.0.0.1", L"localhost"}, {L"::1", L"::1"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(CStringA(c.first).GetString());
        Listener listen(c.first);
        CRecorder client;
        ASSERT_TRUE(ConnectAndWait(listen, client, c.first, c.second));
        ASSERT_EQ(5, client.Send("hello", 5));
        ASSERT_TRUE(PumpUntil([&] { return client.received == "hello"; }));

        // The end of the client's sending reaches the server; a closed socket is out of the map.
        ASSERT_TRUE(client.ShutDown(CAsyncSocket::sends));
        ASSERT_TRUE(PumpUntil([&] { return listen.server.bClosed; }));
        const SOCKET hClient = client.m_hSocket;
        client.Close();
        EXPECT_EQ(nullptr, CAsyncSocket::FromHandle(hClient));
        for (CRecorder* pSocket : {&listen.listener, &listen.server, &client})
            EXPECT_EQ(0u, pSocket->dwWrongThreadEvents);
    }
}

TEST(AfxSocket, DetachedAndClosedSocketsHearNothingMore)
{
    Listener listen(L"::1");
    CRecorder client;
    ASSERT_TRUE(ConnectAndWait(listen, client, L"::1"));

    // The accepted end moves to a new object; an event queued before the detach is the old object's and
    // reaches neither.
    const SOCKET hServer = listen.server.Detach();
    ASSERT_NE(INVALID_SOCKET, hServer);
    EXPECT_EQ(nullptr, CAsyncSocket::FromHandle(hServer));
    const int nOldEvents = listen.server.nEvents;
    CRecorder next;
    next.bCloseOnReceive = true;
    ASSERT_TRUE(next.Attach(hServer));
    EXPECT_FALSE(next.Attach(hServer));           // already has one
    EXPECT_FALSE(CAsyncSocket().Attach(hServer)); // belongs to another object
    CAsyncSocket::DoCallBack(hServer, WSAMAKESELECTREPLY(FD_CLOSE, 0));
    EXPECT_FALSE(next.bClosed);

    // The new object closes inside OnReceive; the events the system would still deliver reach nobody.
    ASSERT_EQ(1, client.Send("a", 1));
    ASSERT_TRUE(PumpUntil([&] { return next.m_hSocket == INVALID_SOCKET; }));
    const int nEventsAtClose = next.nEvents;
    CAsyncSocket::DoCallBack(hServer, WSAMAKESELECTREPLY(FD_READ, 0));
    CAsyncSocket::DoCallBack(hServer, WSAMAKESELECTREPLY(FD_CLOSE, 0));
    ASSERT_EQ(1, client.Send("b", 1));
    ASSERT_TRUE(PumpUntil([&] { return client.bClosed; }));
    EXPECT_EQ(nEventsAtClose, next.nEvents);
    EXPECT_EQ("a", next.received);
    EXPECT_EQ(nOldEvents, listen.server.nEvents);
}
