// VIoSocket over loopback, IPv4 and IPv6: requests complete once each, on the socket's thread, never inside
// the request call; the stream's end, Close, binds, options, name connects and foreign releases behave as
// the socket promises. One test has socat as the peer, so the socket talks to Linux's own stack.
#include "frame/Pardalin.h"
#include "frame/VReportMessageParams.h"
#include "net/VAddress.h"
#include "net/VIoSocket.h"
#include "resources/HostMessageIds.h"

#include "harness/Pump.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using testpump::PumpUntil;

namespace
{
// Set around every request call, so that a callback can tell it came from inside one.
bool g_insideRequest = false;

template <class F> void Request(F&& call)
{
    g_insideRequest = true;
    call();
    g_insideRequest = false;
}

class CBuffer final : public IBuffer
{
public:
    explicit CBuffer(unsigned capacity, const std::string& text = std::string())
        : bytes(capacity), length(static_cast<unsigned>(text.size()))
    {
        std::copy(text.begin(), text.end(), bytes.begin());
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    bool Reserve(unsigned capacity) override
    {
        bytes.resize(std::max<size_t>(bytes.size(), capacity));
        return true;
    }
    BYTE* GetData() override { return bytes.data(); }
    unsigned GetCapacity() override { return static_cast<unsigned>(bytes.size()); }
    unsigned GetLength() override { return length; }
    void SetLength(unsigned newLength) override { length = newLength; }

    std::string Text() const { return std::string(bytes.begin(), bytes.begin() + length); }

    std::vector<BYTE> bytes;
    unsigned length;
    long references = 1;
};

struct Event
{
    enum Kind
    {
        kRead,
        kWrite,
        kReadOOB,
        kWriteOOB,
        kConnect,
        kAccept,
        kBind,
        kReadFrom
    } kind;
    void* context;
    DWORD error;
    unsigned bytes;
    IBuffer* buffer;
    std::string local;
    std::string peer;
};

std::string TextOf(IInternetAddress* address)
{
    VString text;
    return address ? std::string(address->ToString(text, true).GetString()) : std::string();
}

// Every sink interface at once; records each completion and checks where it ran.
class CSink final : public IReadFromSocketSink, public IListenSocketSink, public IBindSocketSink
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    void OnReadComplete(void* context, DWORD error, IBuffer* buffer) override
    {
        Record({Event::kRead, context, error, buffer->GetLength(), buffer, {}, {}});
    }
    void OnWriteComplete(void* context, DWORD error, IBuffer* buffer, unsigned bytes) override
    {
        Record({Event::kWrite, context, error, bytes, buffer, {}, {}});
    }
    void OnReadOOBComplete(void* context, DWORD error, IBuffer* buffer) override
    {
        Record({Event::kReadOOB, context, error, buffer->GetLength(), buffer, {}, {}});
    }
    void OnWriteOOBComplete(void* context, DWORD error, IBuffer* buffer, unsigned bytes) override
    {
        Record({Event::kWriteOOB, context, error, bytes, buffer, {}, {}});
    }
    void OnConnectComplete(void* context, DWORD error) override
    {
        Record({Event::kConnect, context, error, 0, nullptr, {}, {}});
    }
    void OnReadFromComplete(void* context, DWORD error, IBuffer* buffer, IInternetAddress* sender,
                            int reserved) override
    {
        EXPECT_EQ(0, reserved);
        Record({Event::kReadFrom, context, error, buffer->GetLength(), buffer, {}, TextOf(sender)});
    }
    void OnAcceptComplete(void* context, DWORD error, ISocket*, IInternetAddress* local,
                          IInternetAddress* peer) override
    {
        Record({Event::kAccept, context, error, 0, nullptr, TextOf(local), TextOf(peer)});
    }
    void OnBindComplete(void* context, DWORD error) override
    {
        Record({Event::kBind, context, error, 0, nullptr, {}, {}});
    }

    size_t Count(Event::Kind kind) const
    {
        return std::count_if(events.begin(), events.end(), [&](const Event& e) { return e.kind == kind; });
    }
    const Event& Last(Event::Kind kind) const
    {
        return *std::find_if(events.rbegin(), events.rend(), [&](const Event& e) { return e.kind == kind; });
    }

    std::vector<Event> events;
    std::function<void(const Event&)> react;
    long references = 1;

private:
    void Record(const Event& event)
    {
        EXPECT_FALSE(g_insideRequest) << "a completion ran inside a request call";
        EXPECT_EQ(owner, ::GetCurrentThreadId()) << "a completion ran on another thread";
        events.push_back(event);
        if (react)
            react(event);
    }

    const DWORD owner = ::GetCurrentThreadId();
};

// Counts the receive notifications, so a test knows the socket has seen its data arrive.
class CObservedSocket final : public VIoSocket
{
public:
    int receives = 0;

protected:
    void OnReceive(int errorCode) override
    {
        ++receives;
        VIoSocket::OnReceive(errorCode);
    }
};

IInternetAddress* MakeAddress(const char* host, unsigned short port)
{
    IInternetAddress* address = strchr(host, ':') ? static_cast<IInternetAddress*>(new VAddressIPv6)
                                                  : static_cast<IInternetAddress*>(new VAddressIPv4);
    EXPECT_TRUE(address->SetAddress(host, port));
    return address;
}

unsigned short PortOf(VIoSocket* socket)
{
    IInternetAddress* local = nullptr;
    EXPECT_EQ(0u, socket->GetSockName(local));
    const unsigned short port = local ? local->GetPort() : 0;
    if (local)
        local->Release();
    return port;
}

// A listener on a loopback address with a port of the system's choosing.
struct Listener
{
    explicit Listener(const char* host)
    {
        IInternetAddress* address = MakeAddress(host, 0);
        socket->SetAcceptSink(&sink);
        EXPECT_EQ(0u, socket->Create(address));
        // The sink takes binds too: the outcome arrives as a callback.
        EXPECT_EQ(static_cast<DWORD>(ERROR_IO_PENDING), socket->Bind(this, address));
        EXPECT_TRUE(PumpUntil([&] { return sink.Count(Event::kBind) == 1; }));
        EXPECT_EQ(0u, sink.Last(Event::kBind).error);
        EXPECT_EQ(this, sink.Last(Event::kBind).context);
        EXPECT_EQ(0u, socket->Listen(5));
        address->Release();
        port = PortOf(socket);
    }
    ~Listener() { socket->Release(); }

    // A socket made ready to be accepted into, with its own sink.
    CObservedSocket* Target(CSink& targetSink, const char* host)
    {
        auto* target = new CObservedSocket;
        IInternetAddress* address = MakeAddress(host, 0);
        EXPECT_EQ(0u, target->Create(address));
        address->Release();
        target->SetSink(&targetSink);
        return target;
    }

    CSink sink;
    VIoSocket* socket = new VIoSocket;
    unsigned short port = 0;
};

// A connected pair: `client` connected to `server` accepted through a listener.
struct Pair
{
    explicit Pair(const char* host) : listener(host)
    {
        server = listener.Target(serverSink, host);
        Request([&] { listener.socket->Accept(&listener, server); });
        client->SetSink(&clientSink);
        Request([&] { client->CreateAndConnect(this, host, listener.port, nullptr); });
        EXPECT_TRUE(PumpUntil(
            [&]
            { return clientSink.Count(Event::kConnect) == 1 && listener.sink.Count(Event::kAccept) == 1; }));
    }
    ~Pair()
    {
        client->Release();
        server->Release();
    }

    Listener listener;
    CSink serverSink, clientSink;
    CObservedSocket* server = nullptr;
    VIoSocket* client = new VIoSocket;
};

class SocketLoopback : public ::testing::TestWithParam<const char*>
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(AfxSocketInit()); }
};
} // namespace

TEST_P(SocketLoopback, ConnectAcceptAndEchoWithAWriteQueuedBeforeTheConnect)
{
    Listener listener(GetParam());
    CSink serverSink, clientSink;
    VIoSocket* server = listener.Target(serverSink, GetParam());
    VIoSocket* client = new VIoSocket;
    client->SetSink(&clientSink);
    CBuffer hello(64, "hello"), serverIn(64), clientIn(64);
    // The server echoes what it reads.
    serverSink.react = [&](const Event& e)
    {
        if (e.kind == Event::kRead && e.bytes > 0)
            server->Write(&serverIn, &serverIn);
    };
    Request(
        [&]
        {
            listener.socket->Accept(&listener, server);
            client->CreateAndConnect(&clientSink, GetParam(), listener.port, nullptr);
            // Waits for the connect: the send notification after it releases it.
            client->Write(&hello, &hello);
            client->Read(&clientIn, &clientIn);
        });
    ASSERT_TRUE(PumpUntil([&] { return listener.sink.Count(Event::kAccept) == 1; }));
    const Event& accepted = listener.sink.Last(Event::kAccept);
    EXPECT_EQ(0u, accepted.error);
    EXPECT_EQ(&listener, accepted.context);
    Request([&] { server->Read(&serverIn, &serverIn); });

    ASSERT_TRUE(PumpUntil([&] { return clientSink.Count(Event::kRead) == 1; }));
    EXPECT_EQ(0u, clientSink.Last(Event::kConnect).error);
    EXPECT_EQ(&clientSink, clientSink.Last(Event::kConnect).context);
    EXPECT_EQ(5u, clientSink.Last(Event::kWrite).bytes);
    EXPECT_EQ("hello", clientIn.Text());
    // The accept reported both ends: the server's local end is the client's peer and the other way round.
    IInternetAddress* clientLocal = nullptr;
    IInternetAddress* clientPeer = nullptr;
    ASSERT_EQ(0u, client->GetSockName(clientLocal));
    ASSERT_EQ(0u, client->GetPeerName(clientPeer));
    EXPECT_EQ(TextOf(clientLocal), accepted.peer);
    EXPECT_EQ(TextOf(clientPeer), accepted.local);
    clientLocal->Release();
    clientPeer->Release();

    client->Release();
    server->Release();
    // Every buffer and sink reference taken was given back with the sockets.
    EXPECT_EQ(1, hello.references);
    EXPECT_EQ(1, serverIn.references);
    EXPECT_EQ(1, clientSink.references);
    EXPECT_EQ(1, serverSink.references);
}

TEST_P(SocketLoopback, ReadServedAtOnceCompletesAfterTheCallAndTheEndOfStreamOnceThenAborted)
{
    Pair pair(GetParam());
    CBuffer data(16, "ready"), in(16);
    Request([&] { pair.client->Write(nullptr, &data); });
    // The data is signalled while no read is queued.
    ASSERT_TRUE(PumpUntil([&] { return pair.server->receives == 1; }));
    Request([&] { pair.server->Read(&in, &in); });
    EXPECT_EQ(0u, pair.serverSink.Count(Event::kRead));
    EXPECT_EQ("ready", in.Text()) << "the read was not served in the call";
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Count(Event::kRead) == 1; }));
    EXPECT_EQ(5u, pair.serverSink.Last(Event::kRead).bytes);

    // The end of the stream completes one read with no bytes; the next ones are aborted.
    pair.serverSink.events.clear();
    CBuffer first(16), second(16), later(16);
    Request(
        [&]
        {
            pair.server->Read(&first, &first);
            pair.server->Read(&second, &second);
            pair.client->Shutdown(SD_SEND);
        });
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Count(Event::kRead) == 2; }));
    EXPECT_EQ(&first, pair.serverSink.events[0].context);
    EXPECT_EQ(0u, pair.serverSink.events[0].error);
    EXPECT_EQ(0u, pair.serverSink.events[0].bytes);
    EXPECT_EQ(&second, pair.serverSink.events[1].context);
    EXPECT_EQ(static_cast<DWORD>(ERROR_OPERATION_ABORTED), pair.serverSink.events[1].error);
    Request([&] { pair.server->Read(&later, &later); });
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Count(Event::kRead) == 3; }));
    EXPECT_EQ(static_cast<DWORD>(ERROR_OPERATION_ABORTED), pair.serverSink.events[2].error);
}

TEST_P(SocketLoopback, CloseAbortsQueuedRequestsAfterDeliveringFinishedOnes)
{
    Pair pair(GetParam());
    // Once a write has completed, the next one is sent inside the call and its completion posted.
    CBuffer first(16, "x"), ping(16, "ping"), waiting(16, "unchanged"), target(16);
    Request([&] { pair.server->Write(&first, &first); });
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Count(Event::kWrite) == 1; }));
    pair.serverSink.events.clear();

    CSink acceptTargetSink;
    VIoSocket* acceptTarget = pair.listener.Target(acceptTargetSink, GetParam());
    std::vector<CBuffer*> writes;
    Request(
        [&]
        {
            pair.server->Write(&ping, &ping);
            pair.server->Read(&waiting, &waiting);
            pair.listener.socket->Accept(&target, acceptTarget);
            // The peer reads nothing: once the send buffers are full the rest stays queued.
            for (int i = 0; i < 64; ++i)
            {
                writes.push_back(new CBuffer(256 * 1024));
                writes.back()->SetLength(256 * 1024);
                pair.server->Write(writes.back(), writes.back());
            }
        });
    EXPECT_TRUE(pair.serverSink.events.empty());
    // Close delivers inside the call: first what had finished, then the aborted requests.
    pair.server->Close();
    pair.listener.socket->Close();
    const std::vector<Event>& events = pair.serverSink.events;
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(&ping, events[0].context);
    EXPECT_EQ(0u, events[0].error);
    EXPECT_EQ(4u, events[0].bytes);
    size_t read = 0;
    while (read < events.size() && events[read].kind == Event::kWrite && events[read].error == 0)
        ++read;
    ASSERT_LT(read + 1, events.size());
    EXPECT_EQ(Event::kRead, events[read].kind);
    EXPECT_EQ(static_cast<DWORD>(ERROR_OPERATION_ABORTED), events[read].error);
    EXPECT_EQ(0u, waiting.GetLength());
    for (size_t i = read + 1; i < events.size(); ++i)
    {
        EXPECT_EQ(Event::kWrite, events[i].kind);
        EXPECT_EQ(static_cast<DWORD>(ERROR_OPERATION_ABORTED), events[i].error);
        EXPECT_EQ(0u, events[i].bytes);
    }
    EXPECT_EQ(writes.size() + 2, events.size());
    ASSERT_EQ(2u, pair.listener.sink.Count(Event::kAccept));
    EXPECT_EQ(&target, pair.listener.sink.Last(Event::kAccept).context);
    EXPECT_EQ(static_cast<DWORD>(ERROR_OPERATION_ABORTED), pair.listener.sink.Last(Event::kAccept).error);

    // After Close, requests complete with 995, and not inside the call.
    CBuffer afterwards(16);
    Request([&] { pair.server->Read(&afterwards, &afterwards); });
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Last(Event::kRead).context == &afterwards; }));
    EXPECT_EQ(static_cast<DWORD>(ERROR_OPERATION_ABORTED), pair.serverSink.Last(Event::kRead).error);
    acceptTarget->Release();
    for (CBuffer* buffer : writes)
    {
        EXPECT_EQ(1, buffer->references);
        delete buffer;
    }
}

TEST_P(SocketLoopback, OptionsBeforeCreateAndBindOutcomesThroughTheSink)
{
    IInternetAddress* address = MakeAddress(GetParam(), 0);
    VIoSocket* socket = new VIoSocket;
    const int on = 1;
    int value = 0;
    int length = sizeof(value);
    // Without a handle, no-delay is remembered; SO_SNDBUF's length is checked and 0 ignored in any state.
    EXPECT_EQ(0u, socket->SetSockOpt(TCP_NODELAY, &on, sizeof(on), IPPROTO_TCP));
    EXPECT_EQ(static_cast<DWORD>(WSAEFAULT), socket->SetSockOpt(SO_SNDBUF, &on, 3, SOL_SOCKET));
    EXPECT_EQ(0u, socket->SetSockOpt(SO_SNDBUF, &value, sizeof(value), SOL_SOCKET));
    EXPECT_EQ(static_cast<DWORD>(WSAENOTSOCK), socket->GetSockOpt(TCP_NODELAY, &value, &length, IPPROTO_TCP));
    ASSERT_EQ(0u, socket->Create(address));
    value = 0;
    EXPECT_EQ(0u, socket->GetSockOpt(TCP_NODELAY, &value, &length, IPPROTO_TCP));
    EXPECT_NE(0, value) << "the remembered option was not applied";
    length = sizeof(value);
    EXPECT_EQ(0u, socket->GetSockOpt(SO_RCVBUF, &value, &length, SOL_SOCKET));
    EXPECT_EQ(16384, value);

    // A port in use: without a bind sink the error comes back at once, with one it arrives as a callback.
    Listener listener(GetParam());
    address->SetPort(listener.port);
    EXPECT_EQ(static_cast<DWORD>(WSAEADDRINUSE), socket->Bind(nullptr, address));
    CSink sink;
    socket->SetSink(&sink);
    Request([&] { EXPECT_EQ(static_cast<DWORD>(ERROR_IO_PENDING), socket->Bind(&sink, address)); });
    ASSERT_TRUE(PumpUntil([&] { return sink.Count(Event::kBind) == 1; }));
    EXPECT_EQ(static_cast<DWORD>(WSAEADDRINUSE), sink.Last(Event::kBind).error);
    // A connect while one is pending does nothing; ReadOOB never completes.
    CBuffer oob(16);
    Request(
        [&]
        {
            socket->Connect(&listener, address);
            socket->Connect(&sink, address);
            socket->ReadOOB(&oob, &oob);
        });
    ASSERT_TRUE(PumpUntil([&] { return sink.Count(Event::kConnect) == 1; }));
    EXPECT_EQ(&listener, sink.Last(Event::kConnect).context);
    EXPECT_EQ(1, oob.references);
    address->Release();
    socket->Release();
    EXPECT_EQ(1, sink.references);
}

// socat connects from Linux and echoes through a pipe: a peer whose socket stack nobody here wrote.
TEST_P(SocketLoopback, EchoesThroughSocatAsTheLinuxPeer)
{
    Listener listener(GetParam());
    CSink serverSink;
    VIoSocket* server = listener.Target(serverSink, GetParam());
    Request([&] { listener.socket->Accept(nullptr, server); });

    const bool v6 = strchr(GetParam(), ':') != nullptr;
    std::wstring command = L"socat " + std::wstring(v6 ? L"TCP6:[::1]:" : L"TCP4:127.0.0.1:") +
                           std::to_wstring(listener.port) + L" PIPE";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(::CreateProcessW(L"Z:\\usr\\bin\\socat", &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process))
        << "socat could not be started (error " << ::GetLastError() << "); the set-up script installs it";
    ASSERT_TRUE(PumpUntil([&] { return listener.sink.Count(Event::kAccept) == 1; }));
    ASSERT_EQ(0u, listener.sink.Last(Event::kAccept).error);

    // One large write goes out whole through partial sends; four reads stay outstanding, each queued again
    // as it completes.
    const unsigned size = 4 << 20;
    std::string pattern(size, '\0');
    for (unsigned i = 0; i < size; ++i)
        pattern[i] = static_cast<char>((i * 131) ^ (i >> 9));
    CBuffer out(size, pattern);
    std::vector<std::unique_ptr<CBuffer>> reads;
    std::string echoed;
    int ends = 0, aborted = 0;
    serverSink.react = [&](const Event& e)
    {
        if (e.kind != Event::kRead)
            return;
        ends += e.error == 0 && e.bytes == 0;
        aborted += e.error == ERROR_OPERATION_ABORTED;
        if (e.error == 0 && e.bytes > 0)
        {
            echoed += static_cast<CBuffer*>(e.buffer)->Text();
            server->Read(e.buffer, e.buffer);
        }
    };
    Request(
        [&]
        {
            server->Write(&out, &out);
            for (int i = 0; i < 4; ++i)
            {
                reads.push_back(std::make_unique<CBuffer>(65536));
                server->Read(reads.back().get(), reads.back().get());
            }
        });
    ASSERT_TRUE(PumpUntil([&] { return echoed.size() >= size; }, 60000));
    EXPECT_TRUE(echoed == pattern) << "the bytes came back changed or out of order";
    EXPECT_EQ(size, serverSink.Last(Event::kWrite).bytes);
    // Our end of the stream reaches socat, which then closes its end.
    EXPECT_EQ(0u, server->Shutdown(SD_SEND));
    // The end of the stream completes one read; the three still queued after it are aborted.
    ASSERT_TRUE(PumpUntil([&] { return ends + aborted == 4; }, 30000));
    EXPECT_EQ(1, ends);
    // Wine runs a Linux program without a process object to wait on; its closing the stream is the sign it
    // has finished.
    if (process.hThread)
        ::CloseHandle(process.hThread);
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    server->Release();
    for (auto& buffer : reads)
        EXPECT_EQ(1, buffer->references);
}

INSTANTIATE_TEST_SUITE_P(Families, SocketLoopback, ::testing::Values("127.0.0.1", "::1"),
                         [](const ::testing::TestParamInfo<const char*>& info)
                         { return std::string(info.index == 0 ? "IPv4" : "IPv6"); });

namespace
{
// A resolver whose lookups the test answers itself, when it likes and as often as it likes.
class CScriptedResolver final : public IHostnameResolver
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    DWORD ResolveHostname(IHostnameResolverSink* sink, void* context, const char* host, unsigned short port,
                          int socketType, int protocol) override
    {
        EXPECT_EQ(nullptr, context);
        EXPECT_EQ(0, socketType);
        EXPECT_EQ(IPPROTO_TCP, protocol);
        lookups.push_back({sink, host, port});
        return 0;
    }

    // Answers the oldest lookup with `address`, or with the failure `messageId`.
    void Answer(size_t index, IInternetAddress* address, DWORD messageId = 0)
    {
        VReportMessageParams error(messageId);
        const IHostnameResolverSink::Entry entry = {nullptr, "answer", address};
        const IHostnameResolverSink::Result result = {address ? 1u : 0u, address ? &entry : nullptr};
        lookups[index].sink->OnHostname(nullptr, &error, result);
    }

    struct Lookup
    {
        IHostnameResolverSink* sink;
        std::string host;
        unsigned short port;
    };
    std::vector<Lookup> lookups;
    int factoryCalls = 0;
};

CScriptedResolver* g_resolver = nullptr;

IHostnameResolver* ScriptedResolverFactory()
{
    ++g_resolver->factoryCalls;
    return g_resolver;
}

// Records the answers forwarded to the caller's own resolver sink.
class CForwardedAnswers final : public IHostnameResolverSink
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    void OnHostname(void*, IReportMessageParams* error, const Result&) override
    {
        ids.push_back(error->GetMessageId());
    }

    std::vector<DWORD> ids;
    long references = 1;
};
} // namespace

TEST(SocketByName, ConnectsThroughTheHostsResolverAndMapsItsFailures)
{
    ASSERT_TRUE(AfxSocketInit());
    CScriptedResolver resolver;
    g_resolver = &resolver;
    PardalinInit(&ScriptedResolverFactory, nullptr);
    Listener listener("127.0.0.1");
    CSink serverSink;
    VIoSocket* server = listener.Target(serverSink, "127.0.0.1");
    listener.socket->Accept(nullptr, server);

    // A numeric host never reaches the resolver.
    CSink sink;
    VIoSocket* numeric = new VIoSocket;
    numeric->SetSink(&sink);
    Request([&] { numeric->CreateAndConnect(&listener, "127.0.0.1", listener.port, nullptr); });
    ASSERT_TRUE(PumpUntil([&] { return sink.Count(Event::kConnect) == 1; }));
    EXPECT_EQ(0, resolver.factoryCalls);
    numeric->Release();

    // A name: one lookup, answered later with the listener's address; the caller's sink hears the answer.
    VIoSocket* named = new VIoSocket;
    named->SetSink(&sink);
    CForwardedAnswers forwarded;
    Request([&] { named->CreateAndConnect(&sink, "files.example", listener.port, &forwarded); });
    ASSERT_EQ(1u, resolver.lookups.size());
    EXPECT_EQ(1, resolver.factoryCalls);
    EXPECT_EQ("files.example", resolver.lookups[0].host);
    EXPECT_EQ(listener.port, resolver.lookups[0].port);
    EXPECT_EQ(2, forwarded.references);
    IInternetAddress* address = MakeAddress("127.0.0.1", listener.port);
    resolver.Answer(0, address);
    EXPECT_EQ((std::vector<DWORD>{0}), forwarded.ids);
    EXPECT_EQ(1, forwarded.references);
    ASSERT_TRUE(PumpUntil([&] { return sink.Count(Event::kConnect) == 2; }));
    EXPECT_EQ(&sink, sink.Last(Event::kConnect).context);
    EXPECT_EQ(0u, sink.Last(Event::kConnect).error);
    // A second answer to the same lookup finds no connect waiting and changes nothing.
    resolver.Answer(0, address);
    named->Release();

    // Failures: refused maps to 10061, an id outside the table to "host not found"; each factory call once.
    const struct
    {
        DWORD messageId;
        DWORD expected;
    } failures[] = {{MSG_HOST_NET_CONNECTION_REFUSED, WSAECONNREFUSED},
                    {MSG_HOST_NET_NO_DATA, WSANO_DATA},
                    {MSG_HOST_NET_HOST_NOT_FOUND, WSAHOST_NOT_FOUND}};
    for (const auto& failure : failures)
    {
        VIoSocket* failing = new VIoSocket;
        failing->SetSink(&sink);
        Request([&] { failing->CreateAndConnect(&resolver, "nowhere.example", 22, nullptr); });
        Request([&] { resolver.Answer(resolver.lookups.size() - 1, nullptr, failure.messageId); });
        ASSERT_TRUE(PumpUntil([&] { return sink.Last(Event::kConnect).context == &resolver; }));
        EXPECT_EQ(failure.expected, sink.Last(Event::kConnect).error) << std::hex << failure.messageId;
        sink.events.clear();
        failing->Release();
    }
    EXPECT_EQ(4, resolver.factoryCalls);
    sink.events.clear();
    // A socket closed during its lookup stays closed when the answer comes; the caller's sink still hears it.
    VIoSocket* closed = new VIoSocket;
    closed->SetSink(&sink);
    closed->CreateAndConnect(nullptr, "late.example", listener.port, &forwarded);
    closed->Close();
    resolver.Answer(resolver.lookups.size() - 1, address);
    EXPECT_EQ(2u, forwarded.ids.size());
    IInternetAddress* none = nullptr;
    EXPECT_NE(0u, closed->GetSockName(none));
    closed->Release();
    // A lookup that is never answered: the socket goes away with its request, and nothing is called.
    VIoSocket* forgotten = new VIoSocket;
    forgotten->SetSink(&sink);
    forgotten->CreateAndConnect(nullptr, "silent.example", 22, &forwarded);
    forgotten->Release();
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(1, forwarded.references);
    address->Release();
    server->Release();
    PardalinInit(nullptr, nullptr);
    g_resolver = nullptr;
}

TEST(SocketRelease, LastReleaseOnAWorkerIsCarriedOutOnTheSocketsThread)
{
    ASSERT_TRUE(AfxSocketInit());
    Pair pair("127.0.0.1");
    CBuffer pending(16);
    Request([&] { pair.client->Read(&pending, &pending); });
    VIoSocket* client = pair.client;
    pair.client = new VIoSocket;
    ULONG count = 0;
    std::thread worker([&] { count = client->Release(); });
    worker.join();
    EXPECT_EQ(1u, count) << "the foreign release changed the count or destroyed the socket";
    EXPECT_EQ(2, pending.references);
    EXPECT_EQ(0u, pair.clientSink.Count(Event::kRead));
    // On this thread the release destroys the socket: its queued read is aborted here.
    ASSERT_TRUE(PumpUntil([&] { return pair.clientSink.Count(Event::kRead) == 1; }));
    EXPECT_EQ(static_cast<DWORD>(ERROR_OPERATION_ABORTED), pair.clientSink.Last(Event::kRead).error);
    EXPECT_EQ(1, pending.references);
    EXPECT_EQ(1, pair.clientSink.references);
}
