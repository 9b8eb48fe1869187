// A soak: many connections at once over IPv4 and IPv6 loopback, each running echoed messages of random
// sizes, while every fourth server resets its connection part-way. Afterwards every request has completed
// exactly once, every socket object is gone, and the process holds the handles it held before. The test
// suite runs a short round; PARDALIN_SOAK_MESSAGES sets the messages per connection (scripts/run-fuzz.sh runs
// the long round).
#include "hostkit/CountedBuffer.h"
#include "net/VAddress.h"
#include "net/VIoSocket.h"

#include "harness/Pump.h"

#include <gtest/gtest.h>

#include <winternl.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr unsigned kLargestMessage = 2048;

int MessagesPerConnection()
{
    char value[16] = {};
    GetEnvironmentVariableA("PARDALIN_SOAK_MESSAGES", value, sizeof(value));
    const int messages = std::atoi(value);
    return messages > 0 ? messages : 4;
}

// Open handles of this process. GetProcessHandleCount first; where it reports none (Wine's), the system's
// handle table filtered to this process.
unsigned long HandleCount()
{
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count != 0)
        return count;
    struct Entry
    {
        PVOID object;
        ULONG_PTR process;
        ULONG_PTR handle;
        ULONG access;
        USHORT trace, type;
        ULONG attributes, reserved;
    };
    struct Table
    {
        ULONG_PTR count, reserved;
        Entry entries[1];
    };
    using Query = NTSTATUS(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    const ULONG kExtendedHandleInformation = 64;
    std::vector<BYTE> buffer(1 << 20);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = query(kExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                           &needed)) == static_cast<NTSTATUS>(0xC0000004L))
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    unsigned long mine = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i)
        mine += table->entries[i].process == ::GetCurrentProcessId();
    return mine;
}

int g_liveSockets = 0;

class CSoakSocket final : public VIoSocket
{
public:
    CSoakSocket() { ++g_liveSockets; }

protected:
    ~CSoakSocket() override { --g_liveSockets; }
};

// One per request: its completions are counted.
struct Ticket
{
    int completions = 0;
};

struct Soak;

// The client of one connection, or an echoing server; both react to their completions.
class CPeer final : public IReadFromSocketSink, public IListenSocketSink
{
public:
    CPeer(Soak& soak, bool server, int abortAt = 0)
        : soak(soak), server(server), abortAt(abortAt), socket(new CSoakSocket)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    void OnReadOOBComplete(void* context, DWORD, IBuffer*) override { Count(context); }
    void OnWriteOOBComplete(void* context, DWORD, IBuffer*, unsigned) override { Count(context); }
    void OnReadFromComplete(void* context, DWORD, IBuffer*, IInternetAddress*, int) override
    {
        Count(context);
    }
    void OnAcceptComplete(void* context, DWORD error, ISocket*, IInternetAddress*,
                          IInternetAddress*) override;
    void OnConnectComplete(void* context, DWORD error) override;
    void OnReadComplete(void* context, DWORD error, IBuffer* buffer) override;
    void OnWriteComplete(void* context, DWORD error, IBuffer* buffer, unsigned bytes) override;

    void SendNext();
    void Finish(bool aborted);
    void* NewTicket();
    void Count(void* context) { ++static_cast<Ticket*>(context)->completions; }

    Soak& soak;
    const bool server;
    const int abortAt; // a server resets its connection on this read (0: never)
    int reads = 0;
    CSoakSocket* socket;
    std::string expected;
    std::string echoed;
    int messages = 0;
    bool finished = false;
};

struct Soak
{
    Soak(int connections, int messages) : connections(connections), messages(messages) {}

    const int connections;
    const int messages;
    std::mt19937 random{20261206};
    std::vector<std::unique_ptr<Ticket>> tickets;
    std::vector<std::unique_ptr<CPeer>> peers;
    int finished = 0;
    int cutShort = 0;
    int completedMessages = 0;
    int accepted = 0;
    int plannedAborts = 0;

    CPeer* Peer(bool server, int abortAt = 0)
    {
        peers.push_back(std::make_unique<CPeer>(*this, server, abortAt));
        return peers.back().get();
    }
};

void* CPeer::NewTicket()
{
    soak.tickets.push_back(std::make_unique<Ticket>());
    return soak.tickets.back().get();
}

void CPeer::OnAcceptComplete(void* context, DWORD error, ISocket* accepted, IInternetAddress*,
                             IInternetAddress*)
{
    Count(context);
    // The listener's own peer object receives accepts; each accepted socket gets an echoing server.
    auto* target = static_cast<CSoakSocket*>(accepted);
    CPeer* echo = nullptr;
    for (auto& peer : soak.peers)
        if (peer->socket == target)
            echo = peer.get();
    if (error != 0 || echo == nullptr)
    {
        if (echo)
            echo->Finish(true);
        return;
    }
    ++soak.accepted;
    auto* buffer = new VCountedBuffer(kLargestMessage);
    echo->socket->Read(echo->NewTicket(), buffer);
    buffer->Release();
}

void CPeer::OnConnectComplete(void* context, DWORD error)
{
    Count(context);
    if (error != 0)
        return Finish(true);
    SendNext();
}

void CPeer::SendNext()
{
    std::uniform_int_distribution<unsigned> size(1, kLargestMessage);
    expected.assign(size(soak.random), '\0');
    for (char& c : expected)
        c = static_cast<char>(soak.random());
    echoed.clear();
    auto* message = new VCountedBuffer(expected.data(), static_cast<unsigned>(expected.size()));
    socket->Write(NewTicket(), message);
    message->Release();
    auto* in = new VCountedBuffer(kLargestMessage);
    socket->Read(NewTicket(), in);
    in->Release();
}

void CPeer::OnReadComplete(void* context, DWORD error, IBuffer* buffer)
{
    Count(context);
    if (finished)
        return;
    if (error != 0 || buffer->GetLength() == 0)
        return Finish(error != 0);
    const std::string bytes(reinterpret_cast<const char*>(buffer->GetData()), buffer->GetLength());
    if (server)
    {
        // A reset the client must survive. Each message takes at least one read, so a server that resets on
        // a read up to the message count always cuts its client short.
        if (++reads == abortAt)
        {
            const LINGER abort = {1, 0};
            socket->SetSockOpt(SO_LINGER, &abort, sizeof(abort), SOL_SOCKET);
            return Finish(true);
        }
        auto* echo = new VCountedBuffer(bytes.data(), static_cast<unsigned>(bytes.size()));
        socket->Write(NewTicket(), echo);
        echo->Release();
        socket->Read(NewTicket(), buffer);
        return;
    }
    echoed += bytes;
    if (echoed.size() < expected.size())
        return socket->Read(NewTicket(), buffer);
    EXPECT_TRUE(echoed == expected) << "an echo came back changed";
    ++soak.completedMessages;
    if (++messages == soak.messages)
        return Finish(false);
    SendNext();
}

void CPeer::OnWriteComplete(void* context, DWORD error, IBuffer*, unsigned)
{
    Count(context);
    if (error != 0 && !finished)
        Finish(true);
}

void CPeer::Finish(bool)
{
    if (finished)
        return;
    finished = true;
    soak.cutShort += !server && messages < soak.messages;
    soak.finished += !server;
    socket->Close();
    socket->Release();
}

// Runs `connections` clients of `messages` echoed messages each against two listeners, until every socket is
// gone; failures are reported through the test's assertions.
void RunSoak(Soak& soak)
{
    const char* hosts[] = {"127.0.0.1", "::1"};
    std::vector<CPeer*> listeners;
    for (const char* host : hosts)
    {
        CPeer* listener = soak.Peer(true);
        IInternetAddress* address = strchr(host, ':') ? static_cast<IInternetAddress*>(new VAddressIPv6)
                                                      : static_cast<IInternetAddress*>(new VAddressIPv4);
        ASSERT_TRUE(address->SetAddress(host, 0));
        listener->socket->SetAcceptSink(listener);
        ASSERT_EQ(0u, listener->socket->Create(address));
        ASSERT_EQ(0u, listener->socket->Bind(nullptr, address));
        ASSERT_EQ(0u, listener->socket->Listen(SOMAXCONN));
        // One accept target per connection, queued up front.
        for (int i = 0; i < soak.connections / 2; ++i)
        {
            const int abortAt = i % 4 == 0 ? 1 + i / 4 % soak.messages : 0;
            soak.plannedAborts += abortAt != 0;
            CPeer* echo = soak.Peer(true, abortAt);
            echo->socket->SetSink(echo);
            ASSERT_EQ(0u, echo->socket->Create(address));
            listener->socket->Accept(listener->NewTicket(), echo->socket);
        }
        address->Release();
        listeners.push_back(listener);
    }
    for (int i = 0; i < soak.connections; ++i)
    {
        CPeer* client = soak.Peer(false);
        client->socket->SetSink(client);
        IInternetAddress* bound = nullptr;
        ASSERT_EQ(0u, listeners[i % 2]->socket->GetSockName(bound));
        client->socket->CreateAndConnect(client->NewTicket(), hosts[i % 2], bound->GetPort(), nullptr);
        bound->Release();
    }

    ASSERT_TRUE(testpump::PumpUntil([&] { return soak.finished == soak.connections; }, 120000))
        << soak.finished << " of " << soak.connections << " connections finished";
    // Servers see their clients' ends; closing the listeners then aborts the accepts nobody used.
    ASSERT_TRUE(testpump::PumpUntil(
        [&]
        {
            for (auto& peer : soak.peers)
                if (peer->server && !peer->finished && peer.get() != listeners[0] &&
                    peer.get() != listeners[1])
                    return false;
            return true;
        }));
    for (CPeer* listener : listeners)
        listener->Finish(false);
    ASSERT_TRUE(testpump::PumpUntil([&] { return g_liveSockets == 0; }))
        << g_liveSockets << " socket objects outlived their last reference";
    size_t wrong = 0;
    for (auto& ticket : soak.tickets)
        wrong += ticket->completions != 1;
    EXPECT_EQ(0u, wrong) << "of " << soak.tickets.size() << " requests, these did not complete exactly once";
    EXPECT_EQ(soak.connections, soak.accepted);
}
} // namespace

TEST(SocketSoak, ManyConnectionsWithAbortsCompleteEveryRequestOnceAndLeaveNothingBehind)
{
    ASSERT_TRUE(AfxSocketInit());
    // A small round first, so that what the process keeps for good (socket windows, Winsock's own handles)
    // exists before the count is taken.
    Soak warmUp(4, 4);
    RunSoak(warmUp);
    const unsigned long handlesBefore = HandleCount();
    ASSERT_NE(0u, handlesBefore);

    Soak soak(200, MessagesPerConnection());
    RunSoak(soak);
    EXPECT_EQ(soak.plannedAborts, soak.cutShort) << "clients cut short other than by their server's reset";
    EXPECT_GE(soak.completedMessages, (soak.connections - soak.cutShort) * soak.messages);
    EXPECT_EQ(handlesBefore, HandleCount());
    std::printf(
        "soak: %d connections, %d messages echoed, %d connections cut short by a reset, %zu requests, "
        "%lu handles before and after\n",
        soak.connections, soak.completedMessages, soak.cutShort, soak.tickets.size(), handlesBefore);
}
