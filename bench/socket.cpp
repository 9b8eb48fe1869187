// The socket against raw Winsock on loopback, in one run:
// - bulk: 256 MiB through VIoSocket (64 KiB buffers, four writes and four reads outstanding, the sender on a
//   thread of its own) against a blocking send/recv pair on two threads;
// - round trips: a 64-byte request echoed by the server, through VIoSocket against a WSAAsyncSelect window
//   loop that does the same with recv and send.
// Each ratio is our throughput over the raw one; best of three runs of each side, alternating.
#include "hostkit/CountedBuffer.h"
#include "net/VAddress.h"
#include "net/VIoSocket.h"
#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace
{
using bench::Now;

constexpr unsigned long long kBulkBytes = 256ull << 20;
constexpr unsigned kChunk = 64 << 10;
constexpr int kOutstanding = 4;
constexpr int kRoundTrips = 2000;
constexpr unsigned kMessage = 64;
constexpr int kRuns = 3;
// What a host that streams gives its sockets in place of the socket's own 16 KiB; the raw pair keeps the
// system's defaults, which grow on their own.
constexpr int kStreamBuffer = 4 << 20;

class CSink final : public VUnknown<ISocketSink>
{
public:
    void OnReadComplete(void*, DWORD error, IBuffer* buffer) override { onRead(error, buffer); }
    void OnWriteComplete(void*, DWORD error, IBuffer* buffer, unsigned) override { onWrite(error, buffer); }
    void OnReadOOBComplete(void*, DWORD, IBuffer*) override {}
    void OnWriteOOBComplete(void*, DWORD, IBuffer*, unsigned) override {}
    void OnConnectComplete(void*, DWORD error) override { connected = error == 0 ? 1 : -1; }

    std::function<void(DWORD, IBuffer*)> onRead = [](DWORD, IBuffer*) {};
    std::function<void(DWORD, IBuffer*)> onWrite = [](DWORD, IBuffer*) {};
    int connected = 0;
};

class CAcceptSink final : public VUnknown<IListenSocketSink>
{
public:
    void OnAcceptComplete(void*, DWORD error, ISocket*, IInternetAddress*, IInternetAddress*) override
    {
        accepted = error == 0 ? 1 : -1;
    }
    int accepted = 0;
};

bool PumpUntil(const std::function<bool()>& done)
{
    MSG msg;
    while (!done())
    {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0)
            return false;
        DispatchMessageW(&msg);
    }
    return true;
}

// A listener on 127.0.0.1 and the socket it accepts into, both on this thread.
struct LibraryListener
{
    LibraryListener()
    {
        auto* address = new VAddressIPv4;
        address->SetAddress("127.0.0.1", 0);
        listener->SetAcceptSink(&acceptSink);
        listener->Create(address);
        listener->Bind(nullptr, address);
        listener->Listen(1);
        server->Create(address);
        server->SetSink(&serverSink);
        IInternetAddress* bound = nullptr;
        listener->GetSockName(bound);
        port = bound->GetPort();
        bound->Release();
        address->Release();
        listener->Accept(nullptr, server);
    }
    ~LibraryListener()
    {
        server->Release();
        listener->Release();
    }

    CSink serverSink;
    CAcceptSink acceptSink;
    VIoSocket* listener = new VIoSocket;
    VIoSocket* server = new VIoSocket;
    unsigned short port = 0;
};

// A client connected to the listener's server, all on this thread.
struct LibraryPair : LibraryListener
{
    LibraryPair()
    {
        client->SetSink(&clientSink);
        client->CreateAndConnect(nullptr, "127.0.0.1", port, nullptr);
        ok = PumpUntil([&] { return clientSink.connected != 0 && acceptSink.accepted != 0; }) &&
             clientSink.connected == 1 && acceptSink.accepted == 1;
    }
    ~LibraryPair() { client->Release(); }

    CSink clientSink;
    VIoSocket* client = new VIoSocket;
    bool ok = false;
};

// The sender runs on a thread of its own, as the raw side's does: its socket, sink and message loop live
// there.
double LibraryBulk()
{
    LibraryListener side;
    const unsigned short port = side.port;
    VIoSocket* const server = side.server;
    const HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool sendFailed = false;
    std::thread sender(
        [&]
        {
            CSink sink;
            auto* client = new VIoSocket;
            client->SetSink(&sink);
            client->CreateAndConnect(nullptr, "127.0.0.1", port, nullptr);
            PumpUntil([&] { return sink.connected != 0; });
            client->SetSockOpt(SO_SNDBUF, &kStreamBuffer, sizeof(kStreamBuffer), SOL_SOCKET);
            WaitForSingleObject(go, INFINITE);
            unsigned long long queued = 0, written = 0;
            sink.onWrite = [&](DWORD error, IBuffer* buffer)
            {
                sendFailed = sendFailed || error != 0;
                written += buffer->GetLength();
                if (!sendFailed && queued < kBulkBytes)
                {
                    queued += buffer->GetLength();
                    client->Write(nullptr, buffer);
                }
            };
            std::vector<VCountedBuffer*> buffers;
            for (int i = 0; i < kOutstanding && sink.connected == 1; ++i)
            {
                buffers.push_back(new VCountedBuffer(kChunk));
                buffers.back()->SetLength(kChunk);
                queued += kChunk;
                client->Write(nullptr, buffers.back());
            }
            sendFailed = sendFailed || sink.connected != 1;
            PumpUntil([&] { return sendFailed || written >= kBulkBytes; });
            client->Close();
            client->Release();
            for (VCountedBuffer* buffer : buffers)
                buffer->Release();
        });

    PumpUntil([&] { return side.acceptSink.accepted != 0; });
    server->SetSockOpt(SO_RCVBUF, &kStreamBuffer, sizeof(kStreamBuffer), SOL_SOCKET);
    unsigned long long received = 0;
    bool failed = side.acceptSink.accepted != 1;
    side.serverSink.onRead = [&](DWORD error, IBuffer* buffer)
    {
        failed = failed || error != 0 || buffer->GetLength() == 0;
        received += buffer->GetLength();
        if (!failed && received < kBulkBytes)
            server->Read(nullptr, buffer);
    };
    std::vector<VCountedBuffer*> buffers;
    const double start = Now();
    for (int i = 0; i < kOutstanding && !failed; ++i)
    {
        buffers.push_back(new VCountedBuffer(kChunk));
        server->Read(nullptr, buffers.back());
    }
    SetEvent(go);
    PumpUntil([&] { return failed || received >= kBulkBytes; });
    const double elapsed = failed || received != kBulkBytes ? -1 : Now() - start;
    sender.join();
    CloseHandle(go);
    // Closing completes the reads still queued with 995.
    server->Close();
    for (VCountedBuffer* buffer : buffers)
        buffer->Release();
    return sendFailed ? -1 : elapsed;
}

double LibraryRoundTrips()
{
    LibraryPair pair;
    if (!pair.ok)
        return -1;
    auto* request = new VCountedBuffer(kMessage);
    request->SetLength(kMessage);
    auto* serverIn = new VCountedBuffer(kMessage);
    auto* clientIn = new VCountedBuffer(kMessage);
    unsigned serverHas = 0, clientHas = 0;
    int done = 0;
    bool failed = false;
    // Partial reads are possible: each side reads until it holds the whole message.
    pair.serverSink.onRead = [&](DWORD error, IBuffer* buffer)
    {
        failed = failed || error != 0 || buffer->GetLength() == 0;
        serverHas += buffer->GetLength();
        if (failed)
            return;
        if (serverHas < kMessage)
            return pair.server->Read(nullptr, buffer);
        serverHas = 0;
        pair.server->Write(nullptr, request);
        pair.server->Read(nullptr, buffer);
    };
    pair.clientSink.onRead = [&](DWORD error, IBuffer* buffer)
    {
        failed = failed || error != 0 || buffer->GetLength() == 0;
        clientHas += buffer->GetLength();
        if (failed)
            return;
        if (clientHas < kMessage)
            return pair.client->Read(nullptr, buffer);
        clientHas = 0;
        if (++done < kRoundTrips)
        {
            pair.client->Write(nullptr, request);
            pair.client->Read(nullptr, buffer);
        }
    };
    const double start = Now();
    pair.server->Read(nullptr, serverIn);
    pair.client->Write(nullptr, request);
    pair.client->Read(nullptr, clientIn);
    PumpUntil([&] { return failed || done >= kRoundTrips; });
    const double elapsed = failed ? -1 : Now() - start;
    pair.client->Close();
    pair.server->Close();
    request->Release();
    serverIn->Release();
    clientIn->Release();
    return elapsed;
}

// A connected pair of plain sockets on 127.0.0.1.
bool RawPair(SOCKET& server, SOCKET& client)
{
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    listen(listener, 1);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const bool connected = connect(client, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    server = accept(listener, nullptr, nullptr);
    closesocket(listener);
    return connected && server != INVALID_SOCKET;
}

double RawBulk()
{
    SOCKET server, client;
    if (!RawPair(server, client))
        return -1;
    std::vector<char> out(kChunk), in(kChunk);
    const double start = Now();
    std::thread sender(
        [&]
        {
            for (unsigned long long sent = 0; sent < kBulkBytes;)
            {
                const int n = send(client, out.data(), kChunk, 0);
                if (n <= 0)
                    return;
                sent += static_cast<unsigned>(n);
            }
        });
    unsigned long long received = 0;
    while (received < kBulkBytes)
    {
        const int n = recv(server, in.data(), kChunk, 0);
        if (n <= 0)
            break;
        received += static_cast<unsigned>(n);
    }
    const double elapsed = Now() - start;
    sender.join();
    closesocket(client);
    closesocket(server);
    return received == kBulkBytes ? elapsed : -1;
}

constexpr UINT kRawEvent = WM_APP + 2;

struct RawLoop
{
    SOCKET server, client;
    unsigned serverHas = 0, clientHas = 0;
    int done = 0;
    bool failed = false;
    char serverIn[kMessage], clientIn[kMessage], request[kMessage] = {};
};

RawLoop* g_raw = nullptr;

LRESULT CALLBACK RawProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRawEvent || WSAGETSELECTEVENT(lParam) != FD_READ)
        return DefWindowProcW(window, message, wParam, lParam);
    RawLoop& raw = *g_raw;
    const SOCKET socket = static_cast<SOCKET>(wParam);
    const bool isServer = socket == raw.server;
    unsigned& has = isServer ? raw.serverHas : raw.clientHas;
    char* in = isServer ? raw.serverIn : raw.clientIn;
    const int n = recv(socket, in + has, kMessage - has, 0);
    if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK)
        return 0;
    if (n <= 0)
    {
        raw.failed = true;
        return 0;
    }
    has += static_cast<unsigned>(n);
    if (has < kMessage)
        return 0;
    has = 0;
    if (isServer)
        send(raw.server, raw.request, kMessage, 0);
    else if (++raw.done < kRoundTrips)
        send(raw.client, raw.request, kMessage, 0);
    return 0;
}

double RawRoundTrips(HWND window)
{
    RawLoop raw;
    if (!RawPair(raw.server, raw.client))
        return -1;
    g_raw = &raw;
    WSAAsyncSelect(raw.server, window, kRawEvent, FD_READ | FD_CLOSE);
    WSAAsyncSelect(raw.client, window, kRawEvent, FD_READ | FD_CLOSE);
    const double start = Now();
    send(raw.client, raw.request, kMessage, 0);
    PumpUntil([&] { return raw.failed || raw.done >= kRoundTrips; });
    const double elapsed = Now() - start;
    closesocket(raw.client);
    closesocket(raw.server);
    g_raw = nullptr;
    return raw.failed ? -1 : elapsed;
}

double Best(double best, double time)
{
    return time < 0 || best < 0 ? -1 : std::min(best, time);
}
} // namespace

int main()
{
    if (!AfxSocketInit())
    {
        std::printf("socket: Windows Sockets did not start\n");
        return 1;
    }
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &RawProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"BenchRawSocket";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, windowClass.hInstance, nullptr);

    double oursBulk = 1e30, rawBulk = 1e30, oursTrips = 1e30, rawTrips = 1e30;
    for (int run = 0; run < kRuns; ++run)
    {
        oursBulk = Best(oursBulk, LibraryBulk());
        rawBulk = Best(rawBulk, RawBulk());
        oursTrips = Best(oursTrips, LibraryRoundTrips());
        rawTrips = Best(rawTrips, RawRoundTrips(window));
    }
    DestroyWindow(window);
    if (oursBulk < 0 || rawBulk < 0 || oursTrips < 0 || rawTrips < 0)
    {
        std::printf("socket: a transfer failed or lost bytes\n");
        return 1;
    }
    const double mib = static_cast<double>(kBulkBytes) / (1 << 20);
    std::printf("socket: bulk %.0f MiB/s through VIoSocket, %.0f MiB/s raw blocking\n", mib / oursBulk,
                mib / rawBulk);
    std::printf("BENCH name=socket_bulk ratio=%.3f target=0.8\n", rawBulk / oursBulk);
    std::printf("socket: %d round trips of %u bytes: %.0f/s through VIoSocket, %.0f/s raw WSAAsyncSelect\n",
                kRoundTrips, kMessage, kRoundTrips / oursTrips, kRoundTrips / rawTrips);
    std::printf("BENCH name=socket_roundtrip ratio=%.3f target=0.8\n", rawTrips / oursTrips);
    return 0;
}
