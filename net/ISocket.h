// The socket's interfaces: what the host calls (ISocket) and the sinks on which every request completes.
//
//     ISocket* socket = new VIoSocket;
//     socket->SetSink(mySink);                                  // an ISocketSink
//     socket->CreateAndConnect(context, "example.org", 22, nullptr);
//     // ... mySink->OnConnectComplete(context, 0) arrives later on this thread
//     socket->Read(readContext, buffer);                        // OnReadComplete when bytes came
//     socket->Release();
//
// Every request completes through a callback on the socket's thread, never inside the request call. Error
// codes are 0 for success, otherwise a Winsock or Win32 code (995 for a request cut off by Close or a read
// after the end of the stream).
#pragma once

#include "core/PardalinApi.h"
#include "frame/HostnameResolver.h"
#include "net/IBuffer.h"
#include "net/IInternetAddress.h"

#include <unknwn.h>

struct IInputOutput : public IUnknown
{
    virtual void Read(void* context, IBuffer* buffer) = 0;
    virtual void Write(void* context, IBuffer* buffer) = 0;
    // Completes every queued read, write and accept with 995.
    virtual void Close() = 0;
};

struct ISocketSink;
struct IListenSocketSink;

struct ISocket : public IInputOutput
{
    virtual void SetSink(ISocketSink* sink) = 0;
    virtual void SetAcceptSink(IListenSocketSink* sink) = 0;
    // Makes the handle for the address's family, type and protocol; the socket then belongs to this thread.
    virtual DWORD Create(IInternetAddress* address) = 0;
    // 997 when the sink implements IBindSocketSink: the outcome then arrives in OnBindComplete.
    virtual DWORD Bind(void* context, IInternetAddress* address) = 0;
    virtual DWORD Listen(int backlog) = 0;
    // `into` is a socket on which Create was called; it receives the connection.
    virtual void Accept(void* context, ISocket* into) = 0;
    virtual void Connect(void* context, IInternetAddress* address) = 0;
    // A numeric host connects at once; a name goes to the host's resolver first. `resolverSink` (may be null)
    // is handed the resolver's answer as well.
    virtual void CreateAndConnect(void* context, const char* host, unsigned short port,
                                  IHostnameResolverSink* resolverSink) = 0;
    virtual DWORD Shutdown(int how) = 0;
    virtual DWORD EnableInheritance(bool inherit) = 0;
    // Before Create, SO_OOBINLINE and TCP_NODELAY are remembered and applied when the handle is made.
    virtual DWORD SetSockOpt(int option, const void* value, int length, int level) = 0;
    virtual DWORD GetSockOpt(int option, void* value, int* length, int level) = 0;
    // The address comes with one reference for the caller.
    virtual DWORD GetPeerName(IInternetAddress*& address) = 0;
    virtual DWORD GetSockName(IInternetAddress*& address) = 0;
    // Never completes: out-of-band bytes arrive in ordinary reads.
    virtual void ReadOOB(void* context, IBuffer* buffer) = 0;
    virtual void WriteOOB(void* context, IBuffer* buffer) = 0;
    virtual void WriteTo(void* context, IInternetAddress* address, IBuffer* buffer) = 0;
    // Completes through IReadFromSocketSink with the sender's address.
    virtual void ReadFrom(void* context, IBuffer* buffer) = 0;

    virtual ~ISocket() {}

protected:
    virtual void DeleteThis() = 0;
};

// The host's callbacks for reads, writes and connects. `buffer` is the request's; its length is set to the
// bytes read before OnReadComplete.
struct ISocketSink : public IUnknown
{
    virtual void OnReadComplete(void* context, DWORD error, IBuffer* buffer) = 0;
    virtual void OnWriteComplete(void* context, DWORD error, IBuffer* buffer, unsigned bytes) = 0;
    virtual void OnReadOOBComplete(void* context, DWORD error, IBuffer* buffer) = 0;
    virtual void OnWriteOOBComplete(void* context, DWORD error, IBuffer* buffer, unsigned bytes) = 0;
    virtual void OnConnectComplete(void* context, DWORD error) = 0;
};

// A sink that also takes ReadFrom's completions.
struct IReadFromSocketSink : public ISocketSink
{
    virtual void OnReadFromComplete(void* context, DWORD error, IBuffer* buffer, IInternetAddress* sender,
                                    int reserved) = 0;
};

struct IListenSocketSink : public IUnknown
{
    // `accepted` is the request's target; the addresses are valid for the call.
    virtual void OnAcceptComplete(void* context, DWORD error, ISocket* accepted, IInternetAddress* local,
                                  IInternetAddress* peer) = 0;
};

// Implemented beside ISocketSink or IListenSocketSink by a sink that wants Bind's outcome as a callback.
struct IBindSocketSink
{
    virtual void OnBindComplete(void* context, DWORD error) = 0;

protected:
    virtual ~IBindSocketSink() {}
};

namespace Interface
{
// What VIoSocket is: a socket that is also the resolver's sink for its own name connects.
struct VIoSocket : public ISocket, public IHostnameResolverSink
{
};
} // namespace Interface
