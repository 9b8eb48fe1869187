// CAsyncSocket over loopback: events reach the object on the thread that attached it, closed and detached
// sockets hear nothing more, and a socket passes from one object to another.
#include <afxsock.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
constexpr DWORD kGenerous = 10000;
const long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

// Dispatches this thread's messages until done() holds; false when the time-out (a hang) comes first. Only a
// message or hWake (signalled by another thread) makes it look at done() again.
bool PumpUntil(const std::function<bool()>& done, HANDLE hWake = nullptr)
{
    const ULONGLONG deadline = ::GetTickCount64() + kGenerous;
    MSG msg;
    while (!done())
    {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return false;
        ::MsgWaitForMultipleObjects(hWake != nullptr ? 1 : 0, &hWake, FALSE,
                                    static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    return true;
}

// Records every event with the thread it arrived on; echoes what it receives when asked to.
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

bool Connect(CRecorder& client, LPCTSTR lpszAddress, UINT nPort)
{
    if (!client.Create(0, SOCK_STREAM, kAllEvents, lpszAddress))
        return false;
    return client.Connect(lpszAddress, nPort) || CAsyncSocket::GetLastError() == WSAEWOULDBLOCK;
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
        ASSERT_TRUE(client.Create(0, SOCK_STREAM, kAllEvents, c.first));
        ASSERT_TRUE(client.Connect(c.second, listen.nPort) || CAsyncSocket::GetLastError() == WSAEWOULDBLOCK);
        ASSERT_TRUE(PumpUntil(
            [&] { return client.nConnectError == 0 && listen.server.m_hSocket != INVALID_SOCKET; }));
        EXPECT_EQ(&listen.server, CAsyncSocket::FromHandle(listen.server.m_hSocket));

        // Each end names the other.
        CString peer, local;
        UINT nPeerPort = 0, nLocalPort = 0;
        ASSERT_TRUE(listen.server.GetPeerName(peer, nPeerPort));
        ASSERT_TRUE(client.GetSockName(local, nLocalPort));
        EXPECT_EQ(local, peer);
        EXPECT_EQ(nLocalPort, nPeerPort);

        ASSERT_EQ(5, client.Send("hello", 5));
        ASSERT_TRUE(PumpUntil([&] { return client.received == "hello"; }));
        EXPECT_EQ("hello", listen.server.received);

        // The end of the client's sending reaches the server; a closed socket is out of the map.
        ASSERT_TRUE(client.ShutDown(CAsyncSocket::sends));
        ASSERT_TRUE(PumpUntil([&] { return listen.server.bClosed; }));
        const SOCKET hClient = client.m_hSocket;
        client.Close();
        EXPECT_EQ(INVALID_SOCKET, client.m_hSocket);
        EXPECT_EQ(nullptr, CAsyncSocket::FromHandle(hClient));
        for (CRecorder* pSocket : {&listen.listener, &listen.server, &client})
            EXPECT_EQ(0u, pSocket->dwWrongThreadEvents);
    }
}

TEST(AfxSocket, BadAddressesAndPortsFailWithTheSocketError)
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
    EXPECT_FALSE(socket.Connect(L"", 80));
    DWORD dwNonBlocking = 1;
    EXPECT_TRUE(socket.IOCtl(FIONBIO, &dwNonBlocking));
    const BOOL bNoDelay = TRUE;
    ASSERT_TRUE(socket.SetSockOpt(TCP_NODELAY, &bNoDelay, sizeof(bNoDelay), IPPROTO_TCP));
    BOOL bRead = FALSE;
    int nLength = sizeof(bRead);
    ASSERT_TRUE(socket.GetSockOpt(TCP_NODELAY, &bRead, &nLength, IPPROTO_TCP));
    EXPECT_TRUE(bRead);
    EXPECT_FALSE(socket.GetSockOpt(0x7FFF, &bRead, &nLength));
    EXPECT_EQ(WSAENOPROTOOPT, CAsyncSocket::GetLastError());
}

namespace
{
struct ThreadRecord
{
    UINT nPort = 0;
    HANDLE hDone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD dwThreadId = 0;
    DWORD dwWrongThreadEvents = 1;
    std::string received;
    bool bFoundOnItsThread = false;
    ~ThreadRecord() { ::CloseHandle(hDone); }
};
ThreadRecord* g_pThreadRecord = nullptr;

// A user-interface thread that connects, says "ping", and ends once the echo is back.
class CSocketThread : public CWinThread
{
    DECLARE_DYNCREATE(CSocketThread)
public:
    class CClient : public CRecorder
    {
    public:
        void OnConnect(int nErrorCode) override
        {
            CRecorder::OnConnect(nErrorCode);
            Send("ping", 4);
        }
        void OnReceive(int nErrorCode) override
        {
            CRecorder::OnReceive(nErrorCode);
            if (received != "ping")
                return;
            g_pThreadRecord->dwThreadId = dwThreadId;
            g_pThreadRecord->dwWrongThreadEvents = dwWrongThreadEvents;
            g_pThreadRecord->received = received;
            g_pThreadRecord->bFoundOnItsThread = CAsyncSocket::FromHandle(m_hSocket) == this;
            Close();
            ::PostQuitMessage(0);
        }
    } client;

    BOOL InitInstance() override
    {
        // The object was made on the thread that started this one.
        client.dwThreadId = ::GetCurrentThreadId();
        return Connect(client, L"127.0.0.1", g_pThreadRecord->nPort);
    }
    int ExitInstance() override
    {
        ::SetEvent(g_pThreadRecord->hDone);
        return CWinThread::ExitInstance();
    }
};
IMPLEMENT_DYNCREATE(CSocketThread, CWinThread)
} // namespace

TEST(AfxSocket, SocketOfASecondUserInterfaceThreadHearsOnThatThread)
{
    Listener listen(L"127.0.0.1");
    ThreadRecord record;
    record.nPort = listen.nPort;
    g_pThreadRecord = &record;
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CSocketThread));
    ASSERT_NE(nullptr, pThread);
    const DWORD dwThreadId = pThread->m_nThreadID;
    // This thread accepts and echoes while the other one talks.
    ASSERT_TRUE(
        PumpUntil([&] { return ::WaitForSingleObject(record.hDone, 0) == WAIT_OBJECT_0; }, record.hDone));
    g_pThreadRecord = nullptr;
    EXPECT_EQ(dwThreadId, record.dwThreadId);
    EXPECT_EQ(0u, record.dwWrongThreadEvents);
    EXPECT_EQ("ping", record.received);
    EXPECT_TRUE(record.bFoundOnItsThread);
    EXPECT_EQ(0u, listen.server.dwWrongThreadEvents);
}

TEST(AfxSocket, CloseInsideOnReceiveDropsTheEventsStillQueued)
{
    Listener listen(L"127.0.0.1");
    listen.server.bEcho = false;
    listen.server.bCloseOnReceive = true;
    CRecorder client;
    ASSERT_TRUE(Connect(client, L"127.0.0.1", listen.nPort));
    ASSERT_TRUE(
        PumpUntil([&] { return listen.server.m_hSocket != INVALID_SOCKET && client.nConnectError == 0; }));
    const SOCKET hServer = listen.server.m_hSocket;
    ASSERT_EQ(1, client.Send("a", 1));
    ASSERT_TRUE(PumpUntil([&] { return listen.server.m_hSocket == INVALID_SOCKET; }));
    const int nEventsAtClose = listen.server.nEvents;

    // Events for the closed socket, as the system would still deliver them, reach nobody.
    CAsyncSocket::DoCallBack(hServer, WSAMAKESELECTREPLY(FD_READ, 0));
    CAsyncSocket::DoCallBack(hServer, WSAMAKESELECTREPLY(FD_CLOSE, 0));
    ASSERT_EQ(1, client.Send("b", 1));
    ASSERT_TRUE(PumpUntil([&] { return client.bClosed; }));
    EXPECT_EQ(nEventsAtClose, listen.server.nEvents);
    EXPECT_EQ("a", listen.server.received);
}

TEST(AfxSocket, DetachedSocketKeepsWorkingForItsNextObject)
{
    Listener listen(L"::1");
    CRecorder client;
    ASSERT_TRUE(Connect(client, L"::1", listen.nPort));
    ASSERT_TRUE(
        PumpUntil([&] { return listen.server.m_hSocket != INVALID_SOCKET && client.nConnectError == 0; }));

    // The echoing end moves to a new object; the old one hears nothing more.
    const SOCKET hServer = listen.server.Detach();
    ASSERT_NE(INVALID_SOCKET, hServer);
    EXPECT_EQ(INVALID_SOCKET, listen.server.m_hSocket);
    EXPECT_EQ(nullptr, CAsyncSocket::FromHandle(hServer));
    const int nOldEvents = listen.server.nEvents;
    CRecorder next;
    next.bEcho = true;
    ASSERT_TRUE(next.Attach(hServer));
    EXPECT_EQ(&next, CAsyncSocket::FromHandle(hServer));
    ASSERT_EQ(3, client.Send("abc", 3));
    ASSERT_TRUE(PumpUntil([&] { return client.received == "abc"; }));
    EXPECT_EQ("abc", next.received);
    EXPECT_EQ(nOldEvents, listen.server.nEvents);
}
