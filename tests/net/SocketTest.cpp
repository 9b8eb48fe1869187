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

const DWORD kAborted = ERROR_OPERATION_ABORTED;

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

// A completion: its kind is one of the letters below, `bytes` the buffer's length or the bytes written.
constexpr char kRead = 'r', kWrite = 'w', kConnect = 'c', kAccept = 'a', kBind = 'b', kOther = 'o';
struct Event
{
    char kind;
    void* context;
    DWORD error;
    unsigned bytes = 0;
    IBuffer* buffer = nullptr;
    std::string local = {}, peer = {};
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
        Record({kRead, context, error, buffer->GetLength(), buffer});
    }
    void OnWriteComplete(void* context, DWORD error, IBuffer* buffer, unsigned bytes) override
    {
        Record({kWrite, context, error, bytes, buffer});
    }
    void OnReadOOBComplete(void* context, DWORD error, IBuffer*) override
    {
        Record({kOther, context, error});
    }
    void OnWriteOOBComplete(void* context, DWORD error, IBuffer*, unsigned) override
    {
        Record({kOther, context, error});
    }
    void OnConnectComplete(void* context, DWORD error) override { Record({kConnect, context, error}); }
    void OnReadFromComplete(void* context, DWORD error, IBuffer*, IInternetAddress*, int) override
    {
        Record({kOther, context, error});
    }
    void OnAcceptComplete(void* context, DWORD error, ISocket*, IInternetAddress* local,
                          IInternetAddress* peer) override
    {
        Record({kAccept, context, error, 0, nullptr, TextOf(local), TextOf(peer)});
    }
    void OnBindComplete(void* context, DWORD error) override { Record({kBind, context, error}); }

    size_t Count(char kind) const
    {
        return std::count_if(events.begin(), events.end(), [&](const Event& e) { return e.kind == kind; });
    }
    const Event& Last(char kind) const
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

// The text of a socket's own end or its peer's.
std::string EndOf(VIoSocket* socket, bool peer)
{
    IInternetAddress* address = nullptr;
    EXPECT_EQ(0u, peer ? socket->GetPeerName(address) : socket->GetSockName(address));
    const std::string text = TextOf(address);
    if (address)
        address->Release();
    return text;
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
        EXPECT_TRUE(PumpUntil([&] { return sink.Count(kBind) == 1; }));
        EXPECT_EQ(0u, sink.Last(kBind).error);
        EXPECT_EQ(this, sink.Last(kBind).context);
        EXPECT_EQ(0u, socket->Listen(5));
        address->Release();
        const std::string end = EndOf(socket, false);
        port = static_cast<unsigned short>(std::stoi(end.substr(end.rfind(':') + 1)));
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
        EXPECT_TRUE(
            PumpUntil([&] { return clientSink.Count(kConnect) == 1 && listener.sink.Count(kAccept) == 1; }));
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
        if (e.kind == kRead && e.bytes > 0)
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
    ASSERT_TRUE(PumpUntil([&] { return listener.sink.Count(kAccept) == 1; }));
    const Event& accepted = listener.sink.Last(kAccept);
    EXPECT_EQ(0u, accepted.error);
    EXPECT_EQ(&listener, accepted.context);
    Request([&] { server->Read(&serverIn, &serverIn); });

    ASSERT_TRUE(PumpUntil([&] { return clientSink.Count(kRead) == 1; }));
    EXPECT_EQ(0u, clientSink.Last(kConnect).error);
    EXPECT_EQ(&clientSink, clientSink.Last(kConnect).context);
    EXPECT_EQ(5u, clientSink.Last(kWrite).bytes);
    EXPECT_EQ("hello", clientIn.Text());
    // The accept reported both ends: the server's local end is the client's peer and the other way round.
    EXPECT_EQ(EndOf(client, false), accepted.peer);
    EXPECT_EQ(EndOf(client, true), accepted.local);

    client->Release();
    server->Release();
    // Every buffer and sink reference taken was given back with the sockets.
    EXPECT_TRUE(hello.references == 1 && serverIn.references == 1);
    EXPECT_TRUE(clientSink.references == 1 && serverSink.references == 1);
}

TEST_P(SocketLoopback, ReadServedInTheCallEndOfStreamOnceAndAForeignLastRelease)
{
    Pair pair(GetParam());
    CBuffer data(16, "ready"), in(16);
    Request([&] { pair.client->Write(nullptr, &data); });
    // The data is signalled while no read is queued.
    ASSERT_TRUE(PumpUntil([&] { return pair.server->receives == 1; }));
    Request([&] { pair.server->Read(&in, &in); });
    EXPECT_EQ(0u, pair.serverSink.Count(kRead));
    EXPECT_EQ("ready", in.Text()) << "the read was not served in the call";
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Count(kRead) == 1; }));
    EXPECT_EQ(5u, pair.serverSink.Last(kRead).bytes);

    // The end of the stream completes one read with no bytes; the next ones, queued or later, are aborted.
    pair.serverSink.events.clear();
    CBuffer first(16), second(16), later(16);
    Request(
        [&]
        {
            pair.server->Read(&first, &first);
            pair.server->Read(&second, &second);
            pair.client->Shutdown(SD_SEND);
        });
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Count(kRead) == 2; }));
    Request([&] { pair.server->Read(&later, &later); });
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Count(kRead) == 3; }));
    const std::vector<Event>& events = pair.serverSink.events;
    EXPECT_TRUE(events[0].context == &first && events[0].error == 0 && events[0].bytes == 0);
    EXPECT_TRUE(events[1].context == &second && events[1].error == kAborted);
    EXPECT_TRUE(events[2].context == &later && events[2].error == kAborted);

    // The last release on another thread is carried out on the socket's: its queued read is aborted here.
    CBuffer pending(16);
    Request([&] { pair.client->Read(&pending, &pending); });
    VIoSocket* client = pair.client;
    pair.client = new VIoSocket;
    ULONG count = 0;
    std::thread worker([&] { count = client->Release(); });
    worker.join();
    EXPECT_EQ(1u, count) << "the foreign release changed the count or destroyed the socket";
    EXPECT_EQ(2, pending.references);
    EXPECT_EQ(0u, pair.clientSink.Count(kRead));
    ASSERT_TRUE(PumpUntil([&] { return pair.clientSink.Count(kRead) == 1; }));
    EXPECT_EQ(kAborted, pair.clientSink.Last(kRead).error);
    EXPECT_TRUE(pending.references == 1 && pair.clientSink.references == 1);
}

TEST_P(SocketLoopback, CloseAbortsQueuedRequestsAfterDeliveringFinishedOnes)
{
    Pair pair(GetParam());
    // Once a write has completed, the next one is sent inside the call and its completion posted.
    CBuffer first(16, "x"), ping(16, "ping"), waiting(16, "unchanged"), target(16);
    Request([&] { pair.server->Write(&first, &first); });
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Count(kWrite) == 1; }));
    pair.serverSink.events.clear();

    CSink acceptTargetSink;
    VIoSocket* acceptTarget = pair.listener.Target(acceptTargetSink, GetParam());
    std::vector<std::unique_ptr<CBuffer>> writes;
    Request(
        [&]
        {
            pair.server->Write(&ping, &ping);
            pair.server->Read(&waiting, &waiting);
            pair.listener.socket->Accept(&target, acceptTarget);
            // The peer reads nothing: once the send buffers are full the rest stays queued.
            for (int i = 0; i < 64; ++i)
            {
                writes.push_back(std::make_unique<CBuffer>(256 * 1024));
                writes.back()->SetLength(256 * 1024);
                pair.server->Write(writes.back().get(), writes.back().get());
            }
        });
    EXPECT_TRUE(pair.serverSink.events.empty());
    // Close delivers inside the call: first what had finished, then the aborted requests.
    pair.server->Close();
    pair.listener.socket->Close();
    const std::vector<Event>& events = pair.serverSink.events;
    ASSERT_EQ(writes.size() + 2, events.size());
    EXPECT_TRUE(events[0].context == &ping && events[0].error == 0 && events[0].bytes == 4);
    size_t read = 0;
    while (read + 1 < events.size() && events[read].kind == kWrite && events[read].error == 0)
        ++read;
    EXPECT_TRUE(events[read].kind == kRead && events[read].error == kAborted);
    EXPECT_EQ(0u, waiting.GetLength());
    for (size_t i = read + 1; i < events.size(); ++i)
        EXPECT_TRUE(events[i].kind == kWrite && events[i].error == kAborted && events[i].bytes == 0) << i;
    ASSERT_EQ(2u, pair.listener.sink.Count(kAccept));
    EXPECT_EQ(&target, pair.listener.sink.Last(kAccept).context);
    EXPECT_EQ(kAborted, pair.listener.sink.Last(kAccept).error);

    // After Close, requests complete with 995, and not inside the call.
    CBuffer afterwards(16);
    Request([&] { pair.server->Read(&afterwards, &afterwards); });
    ASSERT_TRUE(PumpUntil([&] { return pair.serverSink.Last(kRead).context == &afterwards; }));
    EXPECT_EQ(kAborted, pair.serverSink.Last(kRead).error);
    acceptTarget->Release();
    for (auto& buffer : writes)
        EXPECT_EQ(1, buffer->references);
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
    ASSERT_TRUE(PumpUntil([&] { return sink.Count(kBind) == 1; }));
    EXPECT_EQ(static_cast<DWORD>(WSAEADDRINUSE), sink.Last(kBind).error);
    // A connect while one is pending does nothing; ReadOOB never completes.
    CBuffer oob(16);
    Request(
        [&]
        {
            socket->Connect(&listener, address);
            socket->Connect(&sink, address);
            socket->ReadOOB(&oob, &oob);
        });
    ASSERT_TRUE(PumpUntil([&] { return sink.Count(kConnect) == 1; }));
    EXPECT_EQ(&listener, sink.Last(kConnect).context);
    EXPECT_EQ(1, oob.references);
    address->Release();
    socket->Release();
    EXPECT_EQ(1, sink.references);
}

// socat connects from Linux and echoes through a pipe: a peer whose socket stack nobody here wrote. socat is
// the pipe's only reader and writes to it blocking, in blocks of 8 KiB by default: once the socket back to us
// is slow for a moment and the pipe fills, a block that needs more than the one free page never completes
// and socat stops for good. Blocks of one page (-b 4096) always fit in the space its select waited for.
TEST_P(SocketLoopback, EchoesThroughSocatAsTheLinuxPeer)
{
    Listener listener(GetParam());
    CSink serverSink;
    VIoSocket* server = listener.Target(serverSink, GetParam());
    Request([&] { listener.socket->Accept(nullptr, server); });
    std::wstring command = L"socat -b 4096 " +
                           std::wstring(strchr(GetParam(), ':') ? L"TCP6:[::1]:" : L"TCP4:127.0.0.1:") +
                           std::to_wstring(listener.port) + L" PIPE";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(::CreateProcessW(L"Z:\\usr\\bin\\socat", &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process))
        << "socat could not be started (error " << ::GetLastError() << "); the set-up script installs it";
    // Wine runs a Linux program without a process object to wait on; its closing the stream is the sign it
    // has finished.
    for (HANDLE handle : {process.hThread, process.hProcess})
        if (handle)
            ::CloseHandle(handle);
    ASSERT_TRUE(PumpUntil([&] { return listener.sink.Count(kAccept) == 1; }));
    ASSERT_EQ(0u, listener.sink.Last(kAccept).error);

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
        ends += e.kind == kRead && e.error == 0 && e.bytes == 0;
        aborted += e.kind == kRead && e.error == kAborted;
        if (e.kind == kRead && e.error == 0 && e.bytes > 0)
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
    EXPECT_EQ(size, serverSink.Last(kWrite).bytes);
    // Our end of the stream reaches socat, which closes its end: one read sees the end, the three still
    // queued after it are aborted.
    EXPECT_EQ(0u, server->Shutdown(SD_SEND));
    ASSERT_TRUE(PumpUntil([&] { return ends + aborted == 4; }, 30000));
    EXPECT_EQ(1, ends);
    server->Release();
    for (auto& buffer : reads)
        EXPECT_EQ(1, buffer->references);
}

INSTANTIATE_TEST_SUITE_P(Families, SocketLoopback, ::testing::Values("127.0.0.1", "::1"),
                         [](const ::testing::TestParamInfo<const char*>& info)
                         { return std::string(info.index == 0 ? "IPv4" : "IPv6"); });

namespace
{
// A resolver whose lookups the test answers itself, when it likes and as often as it likes; it also
// records the answers forwarded to the caller's own resolver sink.
class CScriptedResolver final : public IHostnameResolver, public IHostnameResolverSink
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    DWORD ResolveHostname(IHostnameResolverSink* sink, void* context, const char* host, unsigned short port,
                          int socketType, int protocol) override
    {
        EXPECT_TRUE(context == nullptr && socketType == 0 && protocol == IPPROTO_TCP);
        lookups.push_back({sink, host, port});
        return 0;
    }
    void OnHostname(void*, IReportMessageParams* error, const Result&) override
    {
        forwarded.push_back(error->GetMessageId());
    }

    // Answers a lookup with `address`, or with the failure `messageId`.
    void Answer(size_t index, IInternetAddress* address, DWORD messageId = 0)
    {
        VReportMessageParams error(messageId);
        const IHostnameResolverSink::Entry entry = {nullptr, "answer", address};
        const IHostnameResolverSink::Result result = {address ? 1u : 0u, address ? &entry : nullptr};
        lookups[index].sink->OnHostname(nullptr, &error, result);
    }
    void AnswerLast(IInternetAddress* address, DWORD messageId = 0)
    {
        Answer(lookups.size() - 1, address, messageId);
    }

    struct Lookup
    {
        IHostnameResolverSink* sink;
        std::string host;
        unsigned short port;
    };
    std::vector<Lookup> lookups;
    std::vector<DWORD> forwarded;
    int factoryCalls = 0;
    long references = 1;
};

CScriptedResolver* g_resolver = nullptr;

IHostnameResolver* ScriptedResolverFactory()
{
    ++g_resolver->factoryCalls;
    return g_resolver;
}
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
    CSink sink;
    const auto connect =
        [&](void* context, const char* host, unsigned short port, IHostnameResolverSink* caller)
    {
        VIoSocket* socket = new VIoSocket;
        socket->SetSink(&sink);
        Request([&] { socket->CreateAndConnect(context, host, port, caller); });
        return socket;
    };

    // A numeric host never reaches the resolver.
    connect(&listener, "127.0.0.1", listener.port, nullptr)->Release();
    EXPECT_EQ(0, resolver.factoryCalls);

    // A name: one lookup, answered later with the listener's address; the caller's sink hears the answer.
    VIoSocket* named = connect(&sink, "files.example", listener.port, &resolver);
    ASSERT_EQ(1u, resolver.lookups.size());
    EXPECT_EQ(1, resolver.factoryCalls);
    EXPECT_EQ("files.example", resolver.lookups[0].host);
    EXPECT_EQ(listener.port, resolver.lookups[0].port);
    EXPECT_EQ(2, resolver.references) << "the caller's sink is held while the name is looked up";
    IInternetAddress* address = MakeAddress("127.0.0.1", listener.port);
    resolver.Answer(0, address);
    EXPECT_EQ((std::vector<DWORD>{0}), resolver.forwarded);
    EXPECT_EQ(1, resolver.references);
    ASSERT_TRUE(PumpUntil([&] { return sink.Count(kConnect) == 1; }));
    EXPECT_TRUE(sink.Last(kConnect).context == &sink && sink.Last(kConnect).error == 0);
    // A second answer to the same lookup finds no connect waiting and changes nothing.
    resolver.Answer(0, address);
    named->Release();

    // Failures: refused maps to 10061, an id outside the table to "host not found"; each factory call once.
    const DWORD failures[][2] = {{MSG_HOST_NET_CONNECTION_REFUSED, WSAECONNREFUSED},
                                 {MSG_HOST_NET_NO_DATA, WSANO_DATA},
                                 {MSG_HOST_NET_HOST_NOT_FOUND, WSAHOST_NOT_FOUND}};
    for (const auto& failure : failures)
    {
        VIoSocket* failing = connect(&resolver, "nowhere.example", 22, nullptr);
        Request([&] { resolver.AnswerLast(nullptr, failure[0]); });
        ASSERT_TRUE(PumpUntil([&] { return sink.Last(kConnect).context == &resolver; }));
        EXPECT_EQ(failure[1], sink.Last(kConnect).error) << std::hex << failure[0];
        sink.events.clear();
        failing->Release();
    }
    EXPECT_EQ(4, resolver.factoryCalls);
    // A socket closed during its lookup stays closed when the answer comes; the caller's sink still hears it.
    VIoSocket* closed = connect(nullptr, "late.example", listener.port, &resolver);
    closed->Close();
    resolver.AnswerLast(address);
    EXPECT_EQ(2u, resolver.forwarded.size());
    IInternetAddress* none = nullptr;
    EXPECT_NE(0u, closed->GetSockName(none)) << "the answer opened the closed socket";
    closed->Release();
    // A lookup that is never answered: the socket goes away with its request, and nothing is called.
    connect(nullptr, "silent.example", 22, &resolver)->Release();
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(2u, resolver.forwarded.size());
    address->Release();
    server->Release();
    PardalinInit(nullptr, nullptr);
    g_resolver = nullptr;
    EXPECT_EQ(1, resolver.references) << "every reference the library took was given back";
}
