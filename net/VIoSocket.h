// VIoSocket: the library's socket. Every operation is a request that completes later through a callback on
// a sink the host supplies, on the socket's thread, never inside the request call; each request's context
// comes back unchanged in its completion.
//
//     ISocket* socket = new VIoSocket;          // one reference, the caller's
//     socket->SetSink(sink);                    // an ISocketSink of the host's
//     socket->CreateAndConnect(nullptr, "files.example.org", 22, nullptr);
//     // sink->OnConnectComplete(nullptr, 0) later; then:
//     socket->Write(writeContext, request);     // sink->OnWriteComplete(writeContext, 0, request, n)
//     socket->Read(readContext, reply);         // sink->OnReadComplete(readContext, 0, reply): bytes came
//     socket->Close();                          // what is still queued completes with 995
//     socket->Release();
//
// The socket belongs to the thread on which Create ran (a connect to a name or address creates it): that
// thread's framework socket notifications and the socket's own notification window both live there, so it
// must pump messages. Requests and Close are made on that thread; AddRef and Release from any thread (a
// last Release elsewhere is carried out on the socket's thread). A name that is not a numeric address is
// looked up by the host's resolver (PardalinInit); its failures arrive as Winsock codes in OnConnectComplete.
//
// Reads complete one at a time, oldest first, each with the bytes one receive gave; a read after the end of
// the stream (0 bytes, error 0) completes with 995. Writes are sent whole, partial sends continuing from
// where they stopped; a write completion reports the bytes of the whole request. Close completes queued
// reads (length 0), writes and accepts with 995; a connect still waiting gets no callback. Requests made
// after Close complete with 995 until Create is called again.
#pragma once

#include "core/PardalinApi.h"
#include "net/ISocket.h"
#include "net/VNotificationSink.h"
#include "net/VUnknown.h"

#include <afxsock.h>

// Declared before any use so that the one exported instantiation serves the library and its hosts.
extern template class PARDALIN_API VUnknown<Interface::VIoSocket>;

class PARDALIN_API VIoSocket : public CAsyncSocket,
                               private VNotificationSink,
                               public VUnknown<Interface::VIoSocket>
{
public:
    // A finished request on its way to the sink.
    struct RequestResult;

    // Construction
    // No handle and no window yet; one reference.
    VIoSocket();
    VIoSocket(const VIoSocket&) = delete;
    VIoSocket& operator=(const VIoSocket&) = delete;

    // Reference counting
    // On another thread than the socket's, the release is posted to the socket's thread and the count
    // returned is the one before it.
    ULONG STDMETHODCALLTYPE Release() override;

    // Attributes
    DWORD GetPeerName(IInternetAddress*& address) override;
    DWORD GetSockName(IInternetAddress*& address) override;
    // The local address in the framework's text form; false when the socket has none.
    bool GetSockName(CString& address, unsigned& port);
    DWORD SetSockOpt(int option, const void* value, int length, int level) override;
    DWORD GetSockOpt(int option, void* value, int* length, int level) override;
    DWORD EnableInheritance(bool inherit) override;

    // Operations
    void SetSink(ISocketSink* sink) override;
    void SetAcceptSink(IListenSocketSink* sink) override;
    DWORD Create(IInternetAddress* address) override;
    DWORD Bind(void* context, IInternetAddress* address) override;
    DWORD Listen(int backlog) override;
    void Accept(void* context, ISocket* into) override;
    void Connect(void* context, IInternetAddress* address) override;
    void CreateAndConnect(void* context, const char* host, unsigned short port,
                          IHostnameResolverSink* resolverSink) override;
    DWORD Shutdown(int how) override;
    void Read(void* context, IBuffer* buffer) override;
    void ReadFrom(void* context, IBuffer* buffer) override;
    void ReadOOB(void* context, IBuffer* buffer) override;
    void Write(void* context, IBuffer* buffer) override;
    void WriteOOB(void* context, IBuffer* buffer) override;
    void WriteTo(void* context, IInternetAddress* address, IBuffer* buffer) override;
    void Close() override;

    // The resolver's answer to this socket's lookup.
    void OnHostname(void* context, IReportMessageParams* error, const Result& result) override;

protected:
    // Released, never deleted directly.
    ~VIoSocket() override;

    // Overridables of the framework socket
    BOOL Accept(CAsyncSocket& connected, SOCKADDR* address, int* length) override;
    void OnReceive(int errorCode) override;
    void OnSend(int errorCode) override;
    void OnOutOfBandData(int errorCode) override;
    void OnAccept(int errorCode) override;
    void OnConnect(int errorCode) override;
    void OnClose(int errorCode) override;

    // Overridables of the notification window: the posted deliveries and the deferred release.
    LRESULT OnNotify(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Queues;

    // The state of a new connection, for a handle made by Create or by an accept.
    void StartConnection();
    void ReadLoop(bool fromNotification, bool outOfBand);
    void SendLoop(bool fromNotification);
    void AcceptOne(bool fromNotification);
    void CloseInternal();
    // Makes sure the notification window exists, then posts `message`.
    void PostDelivery(UINT message);
    void QueueCompletedConnect(void* context, DWORD error);
    void DeliverReads();
    void DeliverWrites();
    void DeliverAccepts();
    void DeliverConnects();
    void DeliverBinds();

    ISocketSink* sink;
    IListenSocketSink* acceptSink;
    IBindSocketSink* bindSink;
    bool oobInline;
    bool noDelay;
    unsigned long pendingIncoming;
    bool sendBlocked;
    unsigned long sentSoFar;
    bool readable;
    bool closed;
    bool eofReported;
    bool readsPosted;
    bool writesPosted;
    // Set by Close, cleared by Create: requests then complete with 995 at once.
    bool shut;
    Queues* queues;
};
