// CAsyncSocket over loopback: events reach the object on the thread that attached it, and closed or detached
// sockets hear nothing more.
#include <afxsock.h>

#include "harness/Pump.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
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

TEST(AfxSocket, BadAddressesPortsAndHandlesFailWithTheSocketError)
{
    AfxSocketInit();
    CAsyncSocket socket;
    EXPECT_FALSE(socket.Create(0, SOCK_STREAM, kAllEvents, L"not an address"));
    EXPECT_EQ(INVALID_SOCKET, socket.m_hSocket);
    EXPECT_FALSE(socket.Create(70000, SOCK_STREAM, kAllEvents, L"127.0.0.1"));
    EXPECT_EQ(WSAEINVAL, CAsyncSocket::GetLastError());
    ASSERT_TRUE(socket.Create());
    EXPECT_FALSE(socket.Attach(socket.m_hSocket)); // already has one
    CAsyncSocket other;
    EXPECT_FALSE(other.Attach(socket.m_hSocket)); // belongs to another object
}

namespace
{
CRecorder* g_pThreadClient = nullptr;
UINT g_nThreadPort = 0;

// A user-interface thread that attaches g_pThreadClient, made on another thread, and connects it; the
// socket closes as the thread ends.
class CSocketThread : public CWinThread
{
    DECLARE_DYNCREATE(CSocketThread)
public:
    BOOL InitInstance() override
    {
        g_pThreadClient->dwThreadId = ::GetCurrentThreadId();
        return Connect(*g_pThreadClient, L"127.0.0.1", g_nThreadPort);
    }
    int ExitInstance() override
    {
        g_pThreadClient->Close();
        return CWinThread::ExitInstance();
    }
};
IMPLEMENT_DYNCREATE(CSocketThread, CWinThread)
} // namespace

TEST(AfxSocket, SocketOfASecondUserInterfaceThreadHearsOnThatThread)
{
    Listener listen(L"127.0.0.1");
    listen.server.bEcho = false;
    CRecorder client;
    client.bEcho = true;
    g_pThreadClient = &client;
    g_nThreadPort = listen.nPort;
    std::unique_ptr<CWinThread> pThread(
        AfxBeginThread(RUNTIME_CLASS(CSocketThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    // This thread says "ping"; the other one echoes it.
    ASSERT_TRUE(PumpUntil([&] { return listen.server.m_hSocket != INVALID_SOCKET; }));
    ASSERT_EQ(4, listen.server.Send("ping", 4));
    ASSERT_TRUE(PumpUntil([&] { return listen.server.received == "ping"; }));
    ASSERT_TRUE(::PostThreadMessageW(pThread->m_nThreadID, WM_QUIT, 0, 0));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, 10000));
    EXPECT_EQ(pThread->m_nThreadID, client.dwThreadId);
    EXPECT_EQ("ping", client.received);
    EXPECT_EQ(0u, client.dwWrongThreadEvents);
    EXPECT_EQ(0u, listen.server.dwWrongThreadEvents);
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
