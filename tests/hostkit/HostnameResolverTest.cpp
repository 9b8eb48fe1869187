#include "frame/IReportMessageParams.h"
#include "frame/Pardalin.h"
#include "harness/Pump.h"
#include "hostkit/HostnameResolver.h"
#include "net/VAddress.h"
#include "net/VIoSocket.h"
#include "resources/HostMessageIds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

namespace
{
// Set while a test is inside ResolveHostname on this thread: an answer that arrives then is a fault.
thread_local bool t_insideResolve = false;

// Records every answer; the count of references tells whether the resolver still holds it.
class RecordingSink : public IHostnameResolverSink
{
public:
    // linked counts the entries of the list; loopbackWithPort holds when each is a loopback address with
    // the port asked for.
    struct Answer
    {
        DWORD threadId, messageId;
        bool insideResolve;
        int inserts;
        UINT_PTR count, linked;
        bool loopbackWithPort;
    };

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG remaining = --references;
        if (remaining == 0)
            SetEvent(unreferenced);
        return static_cast<ULONG>(remaining);
    }

    void OnHostname(void* context, IReportMessageParams* error, const Result& result) override
    {
        Answer answer = {GetCurrentThreadId(),
                         error->GetMessageId(),
                         t_insideResolve,
                         error->GetInsertCount(),
                         result.count,
                         0,
                         true};
        for (const Entry* entry = result.first; entry != nullptr; entry = entry->next, ++answer.linked)
            answer.loopbackWithPort &= entry->address->IsLoopback() && entry->address->GetPort() == 2222;
        answers[reinterpret_cast<UINT_PTR>(context)].push_back(answer);
    }

    std::map<UINT_PTR, std::vector<Answer>> answers;
    std::atomic<LONG> references{1};
    HANDLE unreferenced = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~RecordingSink() { CloseHandle(unreferenced); }
};

// A socket type no system knows: getaddrinfo refuses it without asking any name server.
constexpr int UnknownSocketType = 12345;

DWORD Resolve(IHostnameResolver* resolver, RecordingSink& sink, UINT_PTR context, const char* host,
              int socketType = 0)
{
    t_insideResolve = true;
    const DWORD result = resolver->ResolveHostname(&sink, reinterpret_cast<void*>(context), host, 2222,
                                                   socketType, IPPROTO_TCP);
    t_insideResolve = false;
    return result;
}

using testpump::PumpUntil;
} // namespace

TEST(HostkitResolver, EachLookupAnswersOnceOnTheAskingThreadAfterTheCallEvenWithoutItsResolver)
{
    const struct
    {
        const char* host;
        int socketType;
        DWORD messageId;
    } cases[] = {
        {"localhost", 0, 0},
        {"no-such-host.invalid", 0, MSG_HOST_NET_HOST_NOT_FOUND},
        {"", 0, MSG_HOST_NET_HOST_NOT_FOUND},
        {nullptr, 0, MSG_HOST_NET_HOST_NOT_FOUND},
        {"localhost", UnknownSocketType, MSG_HOST_NET_SOCKET_TYPE_NOT_SUPPORTED},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.host ? test.host : "(null)");
        RecordingSink sink;
        auto* resolver = new VHostnameResolver;
        ASSERT_EQ(0u, Resolve(resolver, sink, 1, test.host, test.socketType));
        // The lookup holds what it needs; the resolver may go at once.
        resolver->Release();
        // A name server that drops a query costs the system's retry time; the bound allows for that.
        ASSERT_TRUE(PumpUntil([&] { return sink.references == 1; }, 30000));
        ASSERT_TRUE(sink.answers.size() == 1 && sink.answers[1].size() == 1);
        const RecordingSink::Answer& answer = sink.answers[1][0];
        EXPECT_TRUE(answer.threadId == GetCurrentThreadId() && !answer.insideResolve);
        EXPECT_EQ(test.messageId, answer.messageId);
        EXPECT_TRUE(answer.count == answer.linked && (test.messageId == 0) == (answer.count >= 1));
        EXPECT_TRUE(answer.loopbackWithPort);
        // A failure names the host as its one insert.
        EXPECT_EQ(test.messageId == 0 ? 0 : 1, answer.inserts);
    }
}

TEST(HostkitResolver, ManyLookupsFromTwoThreadsAreEachAnsweredOnceOnTheirOwnThread)
{
    constexpr UINT_PTR Lookups = 40;
    struct Outcome
    {
        DWORD threadId = 0;
        bool pumped = false;
        RecordingSink sink;
    };
    Outcome outcomes[2];
    const auto ask = [&](Outcome& outcome)
    {
        outcome.threadId = GetCurrentThreadId();
        for (UINT_PTR i = 0; i < Lookups; ++i)
            Resolve(VHostnameResolverInstance(), outcome.sink, i, "localhost",
                    i % 3 == 0 ? UnknownSocketType : 0);
        outcome.pumped = PumpUntil([&] { return outcome.sink.references == 1; });
    };
    std::thread first(ask, std::ref(outcomes[0])), second(ask, std::ref(outcomes[1]));
    first.join();
    second.join();

    for (Outcome& outcome : outcomes)
    {
        ASSERT_TRUE(outcome.pumped);
        ASSERT_EQ(Lookups, outcome.sink.answers.size());
        for (UINT_PTR i = 0; i < Lookups; ++i)
        {
            SCOPED_TRACE(i);
            ASSERT_EQ(1u, outcome.sink.answers[i].size());
            const RecordingSink::Answer& answer = outcome.sink.answers[i][0];
            EXPECT_EQ(outcome.threadId, answer.threadId);
            EXPECT_EQ(i % 3 == 0 ? MSG_HOST_NET_SOCKET_TYPE_NOT_SUPPORTED : 0u, answer.messageId);
        }
    }
}

TEST(HostkitResolver, AThreadThatEndsWithLookupsOutstandingGetsNoAnswerAndItsSinksAreReleased)
{
    RecordingSink sink;
    std::thread asker(
        [&]
        {
            // One answer still with the worker, one already queued for this thread, which never pumps.
            Resolve(VHostnameResolverInstance(), sink, 1, "localhost");
            Resolve(VHostnameResolverInstance(), sink, 2, "");
        });
    asker.join();
    sink.Release();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(sink.unreferenced, 30000));
    EXPECT_TRUE(sink.answers.empty());
}

namespace
{
class ConnectSink : public ISocketSink
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    void OnReadComplete(void*, DWORD, IBuffer*) override {}
    void OnWriteComplete(void*, DWORD, IBuffer*, unsigned) override {}
    void OnReadOOBComplete(void*, DWORD, IBuffer*) override {}
    void OnWriteOOBComplete(void*, DWORD, IBuffer*, unsigned) override {}
    void OnConnectComplete(void*, DWORD error) override { errors.push_back(error); }
    std::vector<DWORD> errors;
};
} // namespace

// The socket reads the answer's layout and maps its ids: what a host gets from PardalinInit with this
// resolver.
TEST(HostkitResolver, TheLibrarysSocketConnectsByNameThroughIt)
{
    ASSERT_TRUE(AfxSocketInit());
    PardalinInit(&VHostnameResolverInstance, nullptr);
    auto* listener = new VIoSocket;
    auto* any = new VAddressIPv4;
    ASSERT_TRUE(any->SetAddress("127.0.0.1", 0));
    ASSERT_EQ(0u, listener->Create(any));
    ASSERT_EQ(0u, listener->Bind(nullptr, any));
    ASSERT_EQ(0u, listener->Listen(5));
    IInternetAddress* bound = nullptr;
    ASSERT_EQ(0u, listener->GetSockName(bound));

    const struct
    {
        const char* host;
        DWORD error;
    } cases[] = {{"localhost", 0}, {"no-such-host.invalid", WSAHOST_NOT_FOUND}};
    // The host-not-found id is outside the socket's table, so the socket reports it as 11001.
    for (const auto& test : cases)
    {
        ConnectSink sink;
        auto* client = new VIoSocket;
        client->SetSink(&sink);
        client->CreateAndConnect(nullptr, test.host, bound->GetPort(), nullptr);
        EXPECT_TRUE(PumpUntil([&] { return !sink.errors.empty(); }, 30000));
        EXPECT_EQ(std::vector<DWORD>{test.error}, sink.errors) << test.host;
        client->Release();
    }
    bound->Release();
    any->Release();
    listener->Release();
    PardalinInit(nullptr, nullptr);
}
