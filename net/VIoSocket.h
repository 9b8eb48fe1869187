/// \class VIoSocket
/// The library's socket. Every operation is a request that completes later through a callback on a sink the
/// host supplies, on the socket's thread, never inside the request call; each request's context comes back
/// unchanged in its completion.
///
/// \code{.cpp}
/// ISocket* socket = new VIoSocket;          // one reference, the caller's
/// socket->SetSink(sink);                    // an ISocketSink of the host's
/// socket->CreateAndConnect(nullptr, "files.example.org", 22, nullptr);
/// // sink->OnConnectComplete(nullptr, 0) later; then:
/// socket->Write(writeContext, request);     // sink->OnWriteComplete(writeContext, 0, request, n)
/// socket->Read(readContext, reply);         // sink->OnReadComplete(readContext, 0, reply): bytes came
/// socket->Close();                          // what is still queued completes with 995
/// socket->Release();
/// \endcode
///
/// The socket belongs to the thread on which Create ran (a connect to a name or address creates it): that
/// thread's framework socket notifications and the socket's own notification window both live there, so it
/// must pump messages. Requests and Close are made on that thread; AddRef and Release from any thread (a
/// last Release elsewhere is carried out on the socket's thread). A name that is not a numeric address is
/// looked up by the host's resolver (PardalinInit); its failures arrive as Winsock codes in
/// OnConnectComplete.
///
/// Reads complete one at a time, oldest first, each with the bytes one receive gave; a read after the end of
/// the stream (0 bytes, error 0) completes with 995. Writes are sent whole, partial sends continuing from
/// where they stopped; a write completion reports the bytes of the whole request. Close completes queued
/// reads (length 0), writes and accepts with 995; a connect still waiting gets no callback. Requests made
/// after Close complete with 995 until Create is called again.
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
    /// No handle and no window yet; one reference.
    VIoSocket();
    VIoSocket(const VIoSocket&) = delete;
    VIoSocket& operator=(const VIoSocket&) = delete;

    // Reference counting
    /// Drops a reference; the last one destroys the socket. On another thread than the socket's, the release
    /// is posted to the socket's thread and the count returned is the one before it.
    ULONG STDMETHODCALLTYPE Release() override;

    // Attributes
    DWORD GetPeerName(IInternetAddress*& address) override;
    DWORD GetSockName(IInternetAddress*& address) override;
    /// The local address in the framework's text form, with its port; false when the socket has none.
    bool GetSockName(CString& address, unsigned& port);
    /// Sets a socket option: 0 or the error. Before Create, SO_OOBINLINE and TCP_NODELAY are remembered and
    /// applied when the handle is made. SO_SNDBUF takes an int (WSAEFAULT otherwise); a size of 0 is
    /// accepted and ignored.
    DWORD SetSockOpt(int option, const void* value, int length, int level) override;
    DWORD GetSockOpt(int option, void* value, int* length, int level) override;
    DWORD EnableInheritance(bool inherit) override;

    // Operations
    void SetSink(ISocketSink* sink) override;
    void SetAcceptSink(IListenSocketSink* sink) override;
    /// Makes the handle for the address's family, type and protocol, with 16 KiB send and receive buffers,
    /// and the notification window on this thread; the socket then belongs to this thread. 0, or the error:
    /// WSAEINVAL for a null address, WSAEISCONN when there is a handle already, ERROR_OUTOFMEMORY when the
    /// window cannot be made.
    DWORD Create(IInternetAddress* address) override;
    DWORD Bind(void* context, IInternetAddress* address) override;
    DWORD Listen(int backlog) override;
    /// Queues an accept into `into`, which must be a VIoSocket (WSAENOTSOCK otherwise); a connection that
    /// arrived before the request is taken at once. The accepted socket delivers its own completions on
    /// this thread.
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

    /// The resolver's answer to this socket's lookup: handed on to CreateAndConnect's resolver sink, then
    /// the socket is created if need be and connects to the first address, or the connect completes with
    /// the failure as a Winsock code. A socket closed meanwhile does neither.
    void OnHostname(void* context, IReportMessageParams* error, const Result& result) override;

protected:
    /// Released, never deleted directly. Completes what is still queued with 995 and releases the sinks.
    ~VIoSocket() override;

    // Overridables of the framework socket
    /// Accepts into `connected`, closing any handle it had first.
    BOOL Accept(CAsyncSocket& connected, SOCKADDR* address, int* length) override;
    /// Bytes can be received: the queued reads are served.
    void OnReceive(int errorCode) override;
    /// Sending is possible again: the queued writes continue where they stopped.
    void OnSend(int errorCode) override;
    /// Out-of-band data arrived: the oldest queued read receives it and completes in OnReadOOBComplete.
    void OnOutOfBandData(int errorCode) override;
    /// A connection waits: the oldest queued accept takes it, or it is counted for the next Accept.
    void OnAccept(int errorCode) override;
    /// The connect finished: OnConnectComplete reports `errorCode`.
    void OnConnect(int errorCode) override;
    /// The peer closed: queued reads take the bytes left, then the end of the stream; queued accepts
    /// complete.
    void OnClose(int errorCode) override;

    // Overridables of the notification window
    /// Runs the posted deliveries of completions and the deferred release on the socket's thread.
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
