/// \struct ISocket
/// The socket as the host calls it: every request completes later through a callback on a sink of the
/// host's, on the socket's thread, never inside the request call. VIoSocket implements it.
///
/// \code{.cpp}
/// ISocket* socket = new VIoSocket;
/// socket->SetSink(mySink);                                  // an ISocketSink
/// socket->CreateAndConnect(context, "example.org", 22, nullptr);
/// // ... mySink->OnConnectComplete(context, 0) arrives later on this thread
/// socket->Read(readContext, buffer);                        // OnReadComplete when bytes came
/// socket->Release();
/// \endcode
///
/// Error codes are 0 for success, otherwise a Winsock or Win32 code (995, ERROR_OPERATION_ABORTED, for a
/// request cut off by Close or a read after the end of the stream). Each request's `context` comes back
/// unchanged in its completion.

/// \struct IInputOutput
/// The reads and writes a socket shares with any byte stream, each completed through the stream's sink.
///
/// \code{.cpp}
/// IInputOutput* stream = socket;     // an ISocket
/// stream->Write(nullptr, request);   // sink->OnWriteComplete(nullptr, 0, request, bytes) later
/// stream->Close();                   // what is still queued completes with 995
/// \endcode

/// \struct ISocketSink
/// The host's callbacks for a socket's reads, writes and connects, called on the socket's thread. `buffer` is
/// the request's; its length is set to the bytes read before a read completes.
///
/// \code{.cpp}
/// class CSession : public VUnknown<ISocketSink>
/// {
///     void OnConnectComplete(void* context, DWORD error) override; // 0: connected
///     void OnReadComplete(void* context, DWORD error, IBuffer* buffer) override;
///     ...
/// };
/// socket->SetSink(session);
/// \endcode

/// \struct IReadFromSocketSink
/// A socket sink that also takes ReadFrom's completions, with the sender's address.
///
/// \code{.cpp}
/// class CDatagrams : public VUnknown<IReadFromSocketSink> { ... };
/// socket->SetSink(datagrams);
/// socket->ReadFrom(nullptr, buffer); // datagrams->OnReadFromComplete(nullptr, 0, buffer, sender, 0)
/// \endcode

/// \struct IListenSocketSink
/// The host's callback for a listening socket's accepts.
///
/// \code{.cpp}
/// listener->SetAcceptSink(acceptSink);
/// listener->Listen(SOMAXCONN);
/// listener->Accept(nullptr, incoming); // acceptSink->OnAcceptComplete(nullptr, 0, incoming, local, peer)
/// \endcode

/// \struct IBindSocketSink
/// Implemented beside ISocketSink or IListenSocketSink by a sink that wants Bind's outcome as a callback
/// rather than as Bind's return value. The socket finds it by a cast of the sink it is given, and holds no
/// reference of its own through it.
///
/// \code{.cpp}
/// class CServer : public VUnknown<IListenSocketSink>, public IBindSocketSink { ... };
/// listener->SetAcceptSink(server);
/// listener->Bind(nullptr, address); // 997; server->OnBindComplete(nullptr, 0) later
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "frame/HostnameResolver.h"
#include "net/IBuffer.h"
#include "net/IInternetAddress.h"

#include <unknwn.h>

struct IInputOutput : public IUnknown
{
    /// Queues a read into `buffer` (up to its capacity); it completes, oldest first, with the bytes one
    /// receive gave. A read after the end of the stream completes with 995.
    virtual void Read(void* context, IBuffer* buffer) = 0;
    /// Queues a write of the buffer's first GetLength bytes; it completes once all of them are sent.
    virtual void Write(void* context, IBuffer* buffer) = 0;
    /// Closes the handle and completes every queued read, write and accept with 995.
    virtual void Close() = 0;
};

struct ISocketSink;
struct IListenSocketSink;

struct ISocket : public IInputOutput
{
    /// The sink of reads, writes and connects; the socket holds a reference on it. A sink that also
    /// implements IBindSocketSink takes Bind's outcomes, unless an earlier sink already does.
    virtual void SetSink(ISocketSink* sink) = 0;
    /// The sink of accepts; the socket holds a reference on it. It may take Bind's outcomes as SetSink's
    /// does.
    virtual void SetAcceptSink(IListenSocketSink* sink) = 0;
    /// Makes the handle for the address's family, type and protocol; the socket then belongs to this thread.
    /// 0, or the error: WSAEINVAL for a null address, WSAEISCONN when there is a handle already.
    virtual DWORD Create(IInternetAddress* address) = 0;
    /// Binds the handle to `address`: 0 or the error. 997 (ERROR_IO_PENDING) when the socket has an
    /// IBindSocketSink: the outcome then arrives in OnBindComplete with `context`.
    virtual DWORD Bind(void* context, IInternetAddress* address) = 0;
    /// Starts listening, with accept notifications: 0 or the error.
    virtual DWORD Listen(int backlog) = 0;
    /// Queues an accept. `into` is a socket of the library's on which Create was called; it receives the
    /// connection, and IListenSocketSink::OnAcceptComplete reports it.
    virtual void Accept(void* context, ISocket* into) = 0;
    /// Connects the created socket to `address`; the outcome arrives in ISocketSink::OnConnectComplete. A
    /// connect made while another still waits is ignored.
    virtual void Connect(void* context, IInternetAddress* address) = 0;
    /// Creates the socket when it has no handle yet, then connects. A numeric host connects at once; a name
    /// goes to the host's resolver first, and a failed lookup completes the connect with a Winsock code.
    /// `resolverSink` (may be null) is handed the resolver's answer as well.
    virtual void CreateAndConnect(void* context, const char* host, unsigned short port,
                                  IHostnameResolverSink* resolverSink) = 0;
    /// Shuts down receiving, sending or both (SD_RECEIVE, SD_SEND, SD_BOTH): 0 or the error.
    virtual DWORD Shutdown(int how) = 0;
    /// Whether child processes inherit the handle: 0 or the system's error.
    virtual DWORD EnableInheritance(bool inherit) = 0;
    /// Sets a socket option: 0 or the error. Before Create, SO_OOBINLINE and TCP_NODELAY are remembered and
    /// applied when the handle is made.
    virtual DWORD SetSockOpt(int option, const void* value, int length, int level) = 0;
    /// Reads a socket option into `value`, `length` in and out: 0 or the error.
    virtual DWORD GetSockOpt(int option, void* value, int* length, int level) = 0;
    /// The connected peer's address, with one reference for the caller; null, with the error returned, when
    /// there is none.
    virtual DWORD GetPeerName(IInternetAddress*& address) = 0;
    /// The socket's local address, as GetPeerName gives the peer's.
    virtual DWORD GetSockName(IInternetAddress*& address) = 0;
    /// Never completes: out-of-band bytes arrive in ordinary reads.
    virtual void ReadOOB(void* context, IBuffer* buffer) = 0;
    /// Queues a write sent as out-of-band data; it completes in ISocketSink::OnWriteOOBComplete (or, when
    /// Close cuts it off, in OnWriteComplete).
    virtual void WriteOOB(void* context, IBuffer* buffer) = 0;
    /// Queues a write sent to `address` (a datagram socket's destination); it completes in
    /// ISocketSink::OnWriteComplete. The socket holds a reference on the address until then.
    virtual void WriteTo(void* context, IInternetAddress* address, IBuffer* buffer) = 0;
    /// Queues a read that also reports the sender's address; it completes through
    /// IReadFromSocketSink::OnReadFromComplete, and only a sink that implements it hears of it.
    virtual void ReadFrom(void* context, IBuffer* buffer) = 0;

    /// Sockets are released, never deleted through this interface.
    virtual ~ISocket() {}

protected:
    /// Destroys the object when its last reference goes.
    virtual void DeleteThis() = 0;
};

struct ISocketSink : public IUnknown
{
    /// A read finished: the buffer's length is the bytes received (0 with an error, or once at the end of
    /// the stream).
    virtual void OnReadComplete(void* context, DWORD error, IBuffer* buffer) = 0;
    /// A write finished: `bytes` is the whole request's length on success, 0 with an error.
    virtual void OnWriteComplete(void* context, DWORD error, IBuffer* buffer, unsigned bytes) = 0;
    /// A queued read was filled with out-of-band data instead of ordinary bytes.
    virtual void OnReadOOBComplete(void* context, DWORD error, IBuffer* buffer) = 0;
    /// A WriteOOB request finished, reported as OnWriteComplete reports a write.
    virtual void OnWriteOOBComplete(void* context, DWORD error, IBuffer* buffer, unsigned bytes) = 0;
    /// A connect finished: 0 when connected, otherwise why not.
    virtual void OnConnectComplete(void* context, DWORD error) = 0;
};

struct IReadFromSocketSink : public ISocketSink
{
    /// A ReadFrom finished: `sender` (null with an error) is valid for the call; a sink that keeps it takes
    /// a reference. `reserved` is 0.
    virtual void OnReadFromComplete(void* context, DWORD error, IBuffer* buffer, IInternetAddress* sender,
                                    int reserved) = 0;
};

struct IListenSocketSink : public IUnknown
{
    /// An accept finished. `accepted` is the request's target, now connected; the addresses are valid for
    /// the call.
    virtual void OnAcceptComplete(void* context, DWORD error, ISocket* accepted, IInternetAddress* local,
                                  IInternetAddress* peer) = 0;
};

struct IBindSocketSink
{
    /// The outcome of Bind: 0 or the error, with the `context` given to Bind.
    virtual void OnBindComplete(void* context, DWORD error) = 0;

protected:
    /// Not deleted through this interface: the object's own reference counting owns it.
    virtual ~IBindSocketSink() {}
};

/// The combined interfaces the library's classes implement.
namespace Interface
{
/// What VIoSocket is: a socket that is also the resolver's sink for its own name connects.
///
/// \code{.cpp}
/// Interface::VIoSocket* socket = new VIoSocket;
/// ISocket* asSocket = socket;                // what the host calls
/// IHostnameResolverSink* asSink = socket;    // what the resolver answers
/// \endcode
struct VIoSocket : public ISocket, public IHostnameResolverSink
{
};
} // namespace Interface
