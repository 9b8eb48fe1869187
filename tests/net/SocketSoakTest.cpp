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

#include <algorithm>
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

// Open handles of this process, from the system's handle table (Wine's GetProcessHandleCount reports none).
unsigned long HandleCount()
{
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
    // Two words of header, then entries of 40 bytes whose second word is the owning process.
    const auto word = [&](size_t offset) { return *reinterpret_cast<const ULONG_PTR*>(&buffer[offset]); };
    unsigned long mine = 0;
    for (ULONG_PTR i = 0; status == 0 && i < word(0); ++i)
        mine += word(16 + i * 40 + 8) == ::GetCurrentProcessId();
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

struct Soak;

// The client of one connection, an echoing server or a listener; each counts its requests' completions.
class CPeer final : public IReadFromSocketSink, public IListenSocketSink
{
public:
    CPeer(Soak& soak, bool server, int abortAt) : soak(soak), server(server), abortAt(abortAt) {}

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
    void OnWriteComplete(void* context, DWORD error, IBuffer*, unsigned) override
    {
        Count(context);
        if (error != 0)
            Finish();
    }

    void Send(const std::string& bytes);
    void Receive(IBuffer* buffer);
    void SendNext();
    void Finish();
    void* NewTicket();
    void Count(void* context) { ++*static_cast<int*>(context); }

    Soak& soak;
    const bool server;
    const int abortAt; // a server resets its connection on this read (0: never)
    int reads = 0;
    CSoakSocket* socket = new CSoakSocket;
    std::string expected;
    std::string echoed;
    int messages = 0;
    bool finished = false;
};

struct Soak
{
    Soak(int connections, int messages) : connections(connections), messages(messages) {}

    CPeer* Peer(bool server, int abortAt = 0)
    {
        peers.push_back(std::make_unique<CPeer>(*this, server, abortAt));
        peers.back()->socket->SetSink(peers.back().get());
        return peers.back().get();
    }

    const int connections;
    const int messages;
    std::mt19937 random{20261206};
    std::vector<std::unique_ptr<int>> completions; // one count per request
    std::vector<std::unique_ptr<CPeer>> peers;
    int finished = 0, cutShort = 0, completedMessages = 0, accepted = 0, plannedAborts = 0;
};

void* CPeer::NewTicket()
{
    soak.completions.push_back(std::make_unique<int>(0));
    return soak.completions.back().get();
}

void CPeer::Send(const std::string& bytes)
{
    auto* message = new VCountedBuffer(bytes.data(), static_cast<unsigned>(bytes.size()));
    socket->Write(NewTicket(), message);
    message->Release();
}

void CPeer::Receive(IBuffer* buffer)
{
    if (buffer)
        return socket->Read(NewTicket(), buffer);
    auto* fresh = new VCountedBuffer(kLargestMessage);
    socket->Read(NewTicket(), fresh);
    fresh->Release();
}

void CPeer::OnAcceptComplete(void* context, DWORD error, ISocket* accepted, IInternetAddress*,
                             IInternetAddress*)
{
    Count(context);
    // The listener receives the accepts; each accepted socket belongs to an echoing server.
    const auto echo =
        std::find_if(soak.peers.begin(), soak.peers.end(),
                     [&](const std::unique_ptr<CPeer>& peer) { return peer->socket == accepted; });
    ASSERT_NE(soak.peers.end(), echo);
    if (error != 0)
        return (*echo)->Finish();
    ++soak.accepted;
    (*echo)->Receive(nullptr);
}

void CPeer::OnConnectComplete(void* context, DWORD error)
{
    Count(context);
    if (error != 0)
        return Finish();
    SendNext();
}

void CPeer::SendNext()
{
    expected.assign(std::uniform_int_distribution<unsigned>(1, kLargestMessage)(soak.random), '\0');
    for (char& c : expected)
        c = static_cast<char>(soak.random());
    echoed.clear();
    Send(expected);
    Receive(nullptr);
}

void CPeer::OnReadComplete(void* context, DWORD error, IBuffer* buffer)
{
    Count(context);
    if (finished)
        return;
    if (error != 0 || buffer->GetLength() == 0)
        return Finish();
    const std::string bytes(reinterpret_cast<const char*>(buffer->GetData()), buffer->GetLength());
    if (server)
    {
        // A reset the client must survive. Each message takes at least one read, so a server that resets on
        // a read up to the message count always cuts its client short.
        if (++reads == abortAt)
        {
            const LINGER abort = {1, 0};
            socket->SetSockOpt(SO_LINGER, &abort, sizeof(abort), SOL_SOCKET);
            return Finish();
        }
        Send(bytes);
        return Receive(buffer);
    }
    echoed += bytes;
    if (echoed.size() < expected.size())
        return Receive(buffer);
    EXPECT_TRUE(echoed == expected) << "an echo came back changed";
    ++soak.completedMessages;
    if (++messages == soak.messages)
        return Finish();
    SendNext();
}

void CPeer::Finish()
{
    if (finished)
        return;
    finished = true;
    soak.cutShort += !server && messages < soak.messages;
    soak.finished += !server;
    socket->Close();
    socket->Release();
}

// Runs the soak's clients against two listeners until every socket is gone.
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
            ASSERT_EQ(0u, echo->socket->Create(address));
            listener->socket->Accept(listener->NewTicket(), echo->socket);
        }
        address->Release();
        listeners.push_back(listener);
    }
    for (int i = 0; i < soak.connections; ++i)
    {
        IInternetAddress* bound = nullptr;
        ASSERT_EQ(0u, listeners[i % 2]->socket->GetSockName(bound));
        CPeer* client = soak.Peer(false);
        client->socket->CreateAndConnect(client->NewTicket(), hosts[i % 2], bound->GetPort(), nullptr);
        bound->Release();
    }

    ASSERT_TRUE(testpump::PumpUntil([&] { return soak.finished == soak.connections; }, 120000))
        << soak.finished << " of " << soak.connections << " connections finished";
    // Servers see their clients' ends; closing the listeners then aborts the accepts nobody used.
    ASSERT_TRUE(testpump::PumpUntil(
        [&]
        {
            return std::all_of(soak.peers.begin(), soak.peers.end(),
                               [&](const std::unique_ptr<CPeer>& peer) {
                                   return !peer->server || peer->finished ||
                                          std::count(listeners.begin(), listeners.end(), peer.get());
                               });
        }));
    for (CPeer* listener : listeners)
        listener->Finish();
    ASSERT_TRUE(testpump::PumpUntil([&] { return g_liveSockets == 0; }))
        << g_liveSockets << " socket objects outlived their last reference";
    const auto wrong = std::count_if(soak.completions.begin(), soak.completions.end(),
                                     [](const std::unique_ptr<int>& count) { return *count != 1; });
    EXPECT_EQ(0, wrong) << "of " << soak.completions.size()
                        << " requests, these did not complete exactly once";
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
        "soak: %d connections, %d messages echoed, %d cut short by a reset, %zu requests, %lu handles "
        "before and after\n",
        soak.connections, soak.completedMessages, soak.cutShort, soak.completions.size(), handlesBefore);
}
