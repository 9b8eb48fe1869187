#include "net/VIoSocket.h"

#include "frame/IReportMessageParams.h"
#include "frame/detail/HostServices.h"
#include "net/detail/AddressFunctions.h"
#include "net/detail/CircularList.h"
#include "resources/HostMessageIds.h"

using pardalin::detail::CircularList;
using pardalin::detail::ListNode;

template class VUnknown<Interface::VIoSocket>;

namespace
{
// The socket's own notifications, posted to its window with wParam and lParam 0.
constexpr UINT kDeliverReads = WM_USER + 1;
constexpr UINT kDeliverWrites = WM_USER + 2;
constexpr UINT kDeliverConnects = WM_USER + 3;
constexpr UINT kDeliverAccepts = WM_USER + 4;
constexpr UINT kDeliverBinds = WM_USER + 5;
constexpr UINT kDeferredRelease = WM_USER + 6;

enum RequestKind : DWORD
{
    kPlain = 0,
    kOutOfBand = 1,
    kAddressed = 2
};

constexpr long kConnectEvents = FD_READ | FD_WRITE | FD_OOB | FD_CONNECT | FD_CLOSE;
constexpr long kAcceptedEvents = FD_READ | FD_WRITE | FD_OOB | FD_CLOSE;
constexpr long kListenEvents = FD_ACCEPT | FD_CLOSE;
constexpr int kBufferSize = 16384;
constexpr int kSockAddrSize = 128;

// The host's resolver failures, as the Winsock codes a connect completes with.
struct ResolverError
{
    DWORD messageId;
    DWORD code;
};

constexpr ResolverError kResolverErrors[] = {
    {MSG_HOST_NET_INVALID_ARGUMENT, WSAEINVAL},
    {MSG_HOST_NET_TIMED_OUT, WSAETIMEDOUT},
    {MSG_HOST_NET_NOT_CONNECTED, WSAENOTCONN},
    {MSG_HOST_NET_HOST_UNREACHABLE, WSAEHOSTUNREACH},
    {MSG_HOST_NET_DISCONNECTED, WSAEDISCON},
    {MSG_HOST_NET_FAMILY_NOT_SUPPORTED, WSAEAFNOSUPPORT},
    {MSG_HOST_NET_CONNECTION_RESET, WSAECONNRESET},
    {MSG_HOST_NET_NETWORK_UNREACHABLE, WSAENETUNREACH},
    {MSG_HOST_NET_CONNECTION_ABORTED, WSAECONNABORTED},
    {MSG_HOST_NET_CONNECTION_REFUSED, WSAECONNREFUSED},
    {MSG_HOST_NET_ADDRESS_NOT_AVAILABLE, WSAEADDRNOTAVAIL},
    {MSG_HOST_NET_TRY_AGAIN, WSATRY_AGAIN},
    {MSG_HOST_NET_NO_RECOVERY, WSANO_RECOVERY},
    {MSG_HOST_NET_NO_DATA, WSANO_DATA},
    {MSG_HOST_NET_ADDRESS_IN_USE, WSAEADDRINUSE},
    {MSG_HOST_NET_SOCKET_TYPE_NOT_SUPPORTED, WSAESOCKTNOSUPPORT},
    {MSG_HOST_NET_OUT_OF_MEMORY, ERROR_NOT_ENOUGH_MEMORY},
    {MSG_HOST_NET_TYPE_NOT_FOUND, WSATYPE_NOT_FOUND},
    {MSG_HOST_NET_NETWORK_DOWN, WSAENETDOWN},
    {MSG_HOST_NET_NO_BUFFERS, WSAENOBUFS},
    {MSG_HOST_NET_SHUT_DOWN, WSAESHUTDOWN},
};

DWORD MapResolverError(DWORD messageId)
{
    for (const ResolverError& entry : kResolverErrors)
        if (entry.messageId == messageId)
            return entry.code;
    return WSAHOST_NOT_FOUND;
}

DWORD LastSocketError()
{
    return static_cast<DWORD>(::WSAGetLastError());
}

// A counted reference held for a scope.
template <class T> class Hold
{
public:
    explicit Hold(T* object) : object(object)
    {
        if (object)
            object->AddRef();
    }
    ~Hold()
    {
        if (object)
            object->Release();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    T* object;
};

template <class T> T* Retain(T* object)
{
    if (object)
        object->AddRef();
    return object;
}

template <class T> void ReleaseAndClear(T*& object)
{
    if (object)
        object->Release();
    object = nullptr;
}
} // namespace

// A queued request. `object` is the read or write buffer, the accept's target socket or the caller's
// resolver sink of a name connect; the entry holds a reference on it and on `address`.
struct Request : ListNode
{
    void* context = nullptr;
    DWORD kind = kPlain;
    IUnknown* object = nullptr;
    IInternetAddress* address = nullptr;

    Request() = default;
    Request(void* context, DWORD kind, IUnknown* object, IInternetAddress* address = nullptr)
        : context(context), kind(kind), object(Retain(object)), address(Retain(address))
    {
    }
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;
    virtual ~Request()
    {
        ReleaseAndClear(object);
        ReleaseAndClear(address);
    }

    IBuffer* Buffer() const { return static_cast<IBuffer*>(object); }
    ISocket* Target() const { return static_cast<ISocket*>(object); }
    IHostnameResolverSink* ResolverSink() const { return static_cast<IHostnameResolverSink*>(object); }
};

struct VIoSocket::RequestResult : Request
{
    DWORD error = 0;
    DWORD bytes = 0;
    IInternetAddress* local = nullptr;
    IInternetAddress* peer = nullptr;

    // Takes over the request's references; the request is deleted.
    RequestResult(Request* request, DWORD error, DWORD bytes) : error(error), bytes(bytes)
    {
        context = request->context;
        kind = request->kind;
        std::swap(object, request->object);
        std::swap(address, request->address);
        delete request;
    }
    RequestResult(void* context, DWORD error) : error(error) { this->context = context; }
    ~RequestResult() override
    {
        ReleaseAndClear(local);
        ReleaseAndClear(peer);
    }
};

struct VIoSocket::Queues
{
    CircularList<Request> connectRequests;
    CircularList<Request> acceptRequests;
    CircularList<Request> readRequests;
    CircularList<Request> writeRequests;
    CircularList<RequestResult> completedReads;
    CircularList<RequestResult> completedWrites;
    CircularList<RequestResult> completedAccepts;
    CircularList<RequestResult> completedConnects;
    CircularList<RequestResult> completedBinds;

    template <class T> static void Empty(CircularList<T>& list)
    {
        while (T* entry = list.PopFront())
            delete entry;
    }

    ~Queues()
    {
        Empty(connectRequests);
        Empty(acceptRequests);
        Empty(readRequests);
        Empty(writeRequests);
        Empty(completedReads);
        Empty(completedWrites);
        Empty(completedAccepts);
        Empty(completedConnects);
        Empty(completedBinds);
    }
};

// Construction

VIoSocket::VIoSocket()
    : sink(nullptr), acceptSink(nullptr), bindSink(nullptr), oobInline(false), noDelay(false),
      pendingIncoming(0), sendBlocked(true), sentSoFar(0), readable(false), closed(false), eofReported(false),
      readsPosted(false), writesPosted(false), shut(false), queues(new Queues)
{
}

VIoSocket::~VIoSocket()
{
    // The window goes first, so that no delivery or deferred release reaches the object while it is torn
    // down, even when a sink's callback below pumps messages.
    VNotificationSink::Destroy();
    // The close below holds references on the socket as it works; the count must not reach 0 again.
    AddRef();
    CloseInternal();
    ReleaseAndClear(sink);
    ReleaseAndClear(acceptSink);
    bindSink = nullptr;
    delete queues;
}

// Reference counting

ULONG STDMETHODCALLTYPE VIoSocket::Release()
{
    if (!GetNotificationWindow() || GetOwnerThreadId() == ::GetCurrentThreadId())
        return VUnknown<Interface::VIoSocket>::Release();
    // The caller's reference travels with the message; the socket's thread drops it.
    const ULONG count = AddRef();
    VUnknown<Interface::VIoSocket>::Release();
    if (!PostNotification(kDeferredRelease))
        TRACE(L"VIoSocket: the socket's thread is gone; its last release is dropped.\n");
    return count - 1;
}

// Attributes

DWORD VIoSocket::GetPeerName(IInternetAddress*& address)
{
    address = nullptr;
    SOCKADDR_STORAGE storage = {};
    int length = kSockAddrSize;
    if (!CAsyncSocket::GetPeerName(reinterpret_cast<SOCKADDR*>(&storage), &length))
        return LastSocketError();
    address = pardalin::detail::CreateAddressFromSockAddr(reinterpret_cast<sockaddr*>(&storage), length);
    return address ? 0 : MSG_HOST_NET_UNSUPPORTED_ADDRESS_FAMILY;
}

DWORD VIoSocket::GetSockName(IInternetAddress*& address)
{
    address = nullptr;
    SOCKADDR_STORAGE storage = {};
    int length = kSockAddrSize;
    if (!CAsyncSocket::GetSockName(reinterpret_cast<SOCKADDR*>(&storage), &length))
        return LastSocketError();
    address = pardalin::detail::CreateAddressFromSockAddr(reinterpret_cast<sockaddr*>(&storage), length);
    return address ? 0 : MSG_HOST_NET_UNSUPPORTED_ADDRESS_FAMILY;
}

bool VIoSocket::GetSockName(CString& address, unsigned& port)
{
    UINT socketPort = 0;
    const bool found = CAsyncSocket::GetSockName(address, socketPort) != FALSE;
    port = socketPort;
    return found;
}

DWORD VIoSocket::SetSockOpt(int option, const void* value, int length, int level)
{
    if (option == SO_SNDBUF)
    {
        if (length != static_cast<int>(sizeof(int)) || !value)
            return WSAEFAULT;
        if (*static_cast<const int*>(value) == 0)
            return 0;
    }
    if (m_hSocket == INVALID_SOCKET && (option == SO_OOBINLINE || option == TCP_NODELAY))
    {
        // Remembered for Create, whatever the level.
        bool wanted = false;
        for (int i = 0; value && i < length && i < static_cast<int>(sizeof(int)); ++i)
            wanted = wanted || static_cast<const char*>(value)[i] != 0;
        (option == SO_OOBINLINE ? oobInline : noDelay) = wanted;
        return 0;
    }
    return CAsyncSocket::SetSockOpt(option, value, length, level) ? 0 : LastSocketError();
}

DWORD VIoSocket::GetSockOpt(int option, void* value, int* length, int level)
{
    return CAsyncSocket::GetSockOpt(option, value, length, level) ? 0 : LastSocketError();
}

DWORD VIoSocket::EnableInheritance(bool inherit)
{
    return ::SetHandleInformation(reinterpret_cast<HANDLE>(m_hSocket), HANDLE_FLAG_INHERIT, inherit ? 1 : 0)
               ? 0
               : ::GetLastError();
}

// Operations

void VIoSocket::SetSink(ISocketSink* newSink)
{
    Retain(newSink);
    ReleaseAndClear(sink);
    sink = newSink;
    if (!bindSink)
        bindSink = dynamic_cast<IBindSocketSink*>(newSink);
}

void VIoSocket::SetAcceptSink(IListenSocketSink* newSink)
{
    Retain(newSink);
    ReleaseAndClear(acceptSink);
    acceptSink = newSink;
    if (!bindSink)
        bindSink = dynamic_cast<IBindSocketSink*>(newSink);
}

DWORD VIoSocket::Create(IInternetAddress* address)
{
    if (!address)
        return WSAEINVAL;
    if (m_hSocket != INVALID_SOCKET)
        return WSAEISCONN;
    const SOCKET handle = ::socket(address->GetFamily(), address->GetSocketType(), address->GetProtocol());
    if (handle == INVALID_SOCKET)
        return LastSocketError();
    // Attached with no events selected: Listen and Connect choose them.
    if (!Attach(handle, 0))
    {
        const DWORD error = LastSocketError();
        ::closesocket(handle);
        return error;
    }
    if (!VNotificationSink::Create())
        return ERROR_OUTOFMEMORY;
    const int on = 1;
    if (oobInline)
        CAsyncSocket::SetSockOpt(SO_OOBINLINE, &on, sizeof(on), SOL_SOCKET);
    if (noDelay)
        CAsyncSocket::SetSockOpt(TCP_NODELAY, &on, sizeof(on), IPPROTO_TCP);
    const int size = kBufferSize;
    CAsyncSocket::SetSockOpt(SO_RCVBUF, &size, sizeof(size), SOL_SOCKET);
    CAsyncSocket::SetSockOpt(SO_SNDBUF, &size, sizeof(size), SOL_SOCKET);
    StartConnection();
    return 0;
}

void VIoSocket::StartConnection()
{
    // Nothing read, nothing closed, and nothing may be sent before the send notification.
    shut = readable = closed = eofReported = false;
    sendBlocked = true;
    sentSoFar = 0;
    pendingIncoming = 0;
}

DWORD VIoSocket::Bind(void* context, IInternetAddress* address)
{
    const sockaddr* sockAddr = nullptr;
    unsigned length = 0;
    DWORD error = WSAEINVAL;
    if (address && address->GetSockAddr(sockAddr, length))
        error = CAsyncSocket::Bind(sockAddr, static_cast<int>(length)) ? 0 : LastSocketError();
    if (!bindSink)
        return error;
    queues->completedBinds.PushBack(new RequestResult(context, error));
    PostDelivery(kDeliverBinds);
    return ERROR_IO_PENDING;
}

DWORD VIoSocket::Listen(int backlog)
{
    if (!AsyncSelect(kListenEvents))
        return LastSocketError();
    return CAsyncSocket::Listen(backlog) ? 0 : LastSocketError();
}

void VIoSocket::Accept(void* context, ISocket* into)
{
    queues->acceptRequests.PushBack(new Request(context, kPlain, into));
    if (shut)
    {
        Request* request = queues->acceptRequests.PopFront();
        queues->completedAccepts.PushBack(new RequestResult(request, ERROR_OPERATION_ABORTED, 0));
        PostDelivery(kDeliverAccepts);
        return;
    }
    if (pendingIncoming > 0)
    {
        --pendingIncoming;
        AcceptOne(false);
    }
}

void VIoSocket::Connect(void* context, IInternetAddress* address)
{
    if (!queues->connectRequests.IsEmpty())
        return;
    queues->connectRequests.PushBack(new Request(context, kPlain, nullptr));
    const sockaddr* sockAddr = nullptr;
    unsigned length = 0;
    DWORD error = 0;
    if (!address || !address->GetSockAddr(sockAddr, length))
        error = WSAEINVAL;
    else if (!AsyncSelect(kConnectEvents))
        error = LastSocketError();
    else if (!CAsyncSocket::Connect(sockAddr, static_cast<int>(length)))
    {
        error = LastSocketError();
        if (error == WSAEWOULDBLOCK)
            error = 0;
    }
    if (error)
    {
        delete queues->connectRequests.PopFront();
        QueueCompletedConnect(context, error);
    }
}

void VIoSocket::CreateAndConnect(void* context, const char* host, unsigned short port,
                                 IHostnameResolverSink* resolverSink)
{
    if (IInternetAddress* const address =
            pardalin::detail::CreateAddressFromNumericHost(host ? host : "", port))
    {
        const DWORD error = m_hSocket == INVALID_SOCKET ? Create(address) : 0;
        if (error)
            QueueCompletedConnect(context, error);
        else
            Connect(context, address);
        address->Release();
        return;
    }
    queues->connectRequests.PushBack(new Request(context, kPlain, resolverSink));
    const VHostnameResolverFactory factory = pardalin::detail::ResolverFactory();
    IHostnameResolver* const resolver = factory ? factory() : nullptr;
    if (!resolver)
    {
        // A host that registered no resolver: the name cannot be looked up.
        TRACE(L"VIoSocket: no host-name resolver is registered.\n");
        delete queues->connectRequests.PopFront();
        QueueCompletedConnect(context, WSAHOST_NOT_FOUND);
        return;
    }
    resolver->ResolveHostname(static_cast<IHostnameResolverSink*>(this), nullptr, host, port, 0, IPPROTO_TCP);
}

void VIoSocket::OnHostname(void* context, IReportMessageParams* error, const Result& result)
{
    Hold<VIoSocket> self(this);
    Request* const request = queues->connectRequests.PopFront();
    if (!request)
        return;
    if (IHostnameResolverSink* const forward = request->ResolverSink())
        forward->OnHostname(context, error, result);
    void* const requestContext = request->context;
    delete request;
    // A socket closed while the name was looked up keeps its connect without a callback, as Close leaves any
    // waiting connect; the answer does not open it again.
    if (shut)
        return;

    const DWORD messageId = error ? error->GetMessageId() : 0;
    IInternetAddress* const address = result.first ? result.first->address : nullptr;
    if (messageId || !address)
    {
        QueueCompletedConnect(requestContext, messageId ? MapResolverError(messageId) : WSAHOST_NOT_FOUND);
        return;
    }
    const DWORD created = m_hSocket == INVALID_SOCKET ? Create(address) : 0;
    if (created)
        QueueCompletedConnect(requestContext, created);
    else
        Connect(requestContext, address);
}

DWORD VIoSocket::Shutdown(int how)
{
    return ShutDown(how) ? 0 : LastSocketError();
}

void VIoSocket::Read(void* context, IBuffer* buffer)
{
    queues->readRequests.PushBack(new Request(context, kPlain, buffer));
    if (readable || closed || shut)
        ReadLoop(false, false);
}

void VIoSocket::ReadFrom(void* context, IBuffer* buffer)
{
    queues->readRequests.PushBack(new Request(context, kAddressed, buffer));
    if (readable || closed || shut)
        ReadLoop(false, false);
}

void VIoSocket::ReadOOB(void*, IBuffer*) {}

void VIoSocket::Write(void* context, IBuffer* buffer)
{
    queues->writeRequests.PushBack(new Request(context, kPlain, buffer));
    if (!sendBlocked || shut)
        SendLoop(false);
}

void VIoSocket::WriteOOB(void* context, IBuffer* buffer)
{
    queues->writeRequests.PushBack(new Request(context, kOutOfBand, buffer));
    if (!sendBlocked || shut)
        SendLoop(false);
}

void VIoSocket::WriteTo(void* context, IInternetAddress* address, IBuffer* buffer)
{
    queues->writeRequests.PushBack(new Request(context, kAddressed, buffer, address));
    if (!sendBlocked || shut)
        SendLoop(false);
}

void VIoSocket::Close()
{
    Hold<VIoSocket> self(this);
    CloseInternal();
}

// The framework socket's notifications

BOOL VIoSocket::Accept(CAsyncSocket& connected, SOCKADDR* address, int* length)
{
    if (connected.m_hSocket != INVALID_SOCKET)
        connected.CAsyncSocket::Close();
    return CAsyncSocket::Accept(connected, address, length);
}

void VIoSocket::OnReceive(int)
{
    readable = true;
    if (!queues->readRequests.IsEmpty())
        ReadLoop(true, false);
}

void VIoSocket::OnOutOfBandData(int)
{
    readable = true;
    if (!queues->readRequests.IsEmpty())
        ReadLoop(true, true);
}

void VIoSocket::OnSend(int)
{
    sendBlocked = false;
    if (!queues->writeRequests.IsEmpty())
        SendLoop(true);
}

void VIoSocket::OnAccept(int)
{
    if (!queues->acceptRequests.IsEmpty())
        AcceptOne(true);
    else
        ++pendingIncoming;
}

void VIoSocket::OnConnect(int errorCode)
{
    Hold<VIoSocket> self(this);
    if (Request* const request = queues->connectRequests.PopFront())
    {
        void* const context = request->context;
        delete request;
        if (ISocketSink* const target = sink)
        {
            Hold<ISocketSink> keep(target);
            target->OnConnectComplete(context, static_cast<DWORD>(errorCode));
        }
        return;
    }
    DeliverConnects();
}

void VIoSocket::OnClose(int)
{
    closed = true;
    Hold<VIoSocket> self(this);
    // Each pass completes at least one read, unless the socket still says "would block".
    for (unsigned long before = 0; (before = queues->readRequests.GetCount()) != 0;)
    {
        ReadLoop(true, false);
        if (queues->readRequests.GetCount() >= before)
            break;
    }
    while (!queues->acceptRequests.IsEmpty())
        AcceptOne(true);
}

LRESULT VIoSocket::OnNotify(UINT message, WPARAM, LPARAM)
{
    Hold<VIoSocket> self(this);
    switch (message)
    {
    case kDeliverReads:
        readsPosted = false;
        DeliverReads();
        break;
    case kDeliverWrites:
        writesPosted = false;
        DeliverWrites();
        break;
    case kDeliverConnects:
        DeliverConnects();
        break;
    case kDeliverAccepts:
        DeliverAccepts();
        break;
    case kDeliverBinds:
        DeliverBinds();
        break;
    case kDeferredRelease:
        VUnknown<Interface::VIoSocket>::Release();
        break;
    default:
        break;
    }
    return 0;
}

// Requests at work

void VIoSocket::ReadLoop(bool fromNotification, bool outOfBand)
{
    Hold<VIoSocket> self(this);
    while (Request* const request = queues->readRequests.Front())
    {
        readable = false;
        IBuffer* const buffer = request->Buffer();
        void* const data = buffer ? buffer->GetData() : nullptr;
        const int capacity = buffer ? static_cast<int>(buffer->GetCapacity()) : 0;
        DWORD kind = request->kind;
        IInternetAddress* sender = nullptr;
        int received = SOCKET_ERROR;
        if (!buffer)
            ::WSASetLastError(WSAEFAULT);
        else if (shut)
            ::WSASetLastError(WSAENOTSOCK);
        else if (outOfBand)
        {
            kind = kOutOfBand;
            received = Receive(data, capacity, MSG_OOB);
        }
        else if (kind == kAddressed)
        {
            SOCKADDR_STORAGE from = {};
            int fromLength = kSockAddrSize;
            received = ReceiveFrom(data, capacity, reinterpret_cast<SOCKADDR*>(&from), &fromLength, 0);
            if (received >= 1)
                sender = pardalin::detail::CreateAddressFromSockAddr(reinterpret_cast<sockaddr*>(&from),
                                                                     fromLength);
        }
        else
            received = Receive(data, capacity, 0);

        DWORD error = 0;
        DWORD bytes = 0;
        bool stop = true;
        if (shut)
            error = ERROR_OPERATION_ABORTED;
        else if (received == SOCKET_ERROR)
        {
            error = LastSocketError();
            if (error == WSAEWOULDBLOCK)
                return;
            stop = false;
        }
        else if (received > 0 || !closed)
            bytes = static_cast<DWORD>(received);
        else if (!eofReported)
            eofReported = true;
        else
            error = ERROR_OPERATION_ABORTED;

        queues->readRequests.PopFront();
        if (buffer)
            buffer->SetLength(bytes);
        auto* const result = new RequestResult(request, error, bytes);
        result->kind = kind;
        result->peer = sender;
        queues->completedReads.PushBack(result);
        if (fromNotification)
            DeliverReads();
        else if (!readsPosted)
        {
            readsPosted = true;
            PostDelivery(kDeliverReads);
        }
        if (stop)
            return;
    }
}

void VIoSocket::SendLoop(bool fromNotification)
{
    Hold<VIoSocket> self(this);
    while (Request* const request = queues->writeRequests.Front())
    {
        IBuffer* const buffer = request->Buffer();
        const unsigned long length = buffer ? buffer->GetLength() : 0;
        DWORD error = 0;
        bool done = false;
        if (!buffer)
            error = WSAEFAULT;
        else if (shut)
            error = ERROR_OPERATION_ABORTED;
        else
        {
            const char* const data = reinterpret_cast<const char*>(buffer->GetData()) + sentSoFar;
            const int remaining = static_cast<int>(length > sentSoFar ? length - sentSoFar : 0);
            int sent = SOCKET_ERROR;
            const sockaddr* to = nullptr;
            unsigned toLength = 0;
            if (request->kind == kAddressed)
            {
                if (request->address && request->address->GetSockAddr(to, toLength))
                    sent = SendTo(data, remaining, to, static_cast<int>(toLength), 0);
                else
                    ::WSASetLastError(WSAEDESTADDRREQ);
            }
            else
                sent = Send(data, remaining, request->kind == kOutOfBand ? MSG_OOB : 0);
            if (sent == SOCKET_ERROR)
            {
                error = LastSocketError();
                if (error == WSAEWOULDBLOCK)
                {
                    sendBlocked = true;
                    return;
                }
            }
            else
            {
                sentSoFar += static_cast<unsigned long>(sent);
                done = sentSoFar >= length;
            }
        }
        if (!error && !done)
            continue;

        const DWORD bytes = error ? 0 : sentSoFar;
        sentSoFar = 0;
        queues->writeRequests.PopFront();
        queues->completedWrites.PushBack(new RequestResult(request, error, bytes));
        if (fromNotification)
            DeliverWrites();
        else if (!writesPosted)
        {
            writesPosted = true;
            PostDelivery(kDeliverWrites);
        }
    }
}

void VIoSocket::AcceptOne(bool fromNotification)
{
    Hold<VIoSocket> self(this);
    Request* const request = queues->acceptRequests.PopFront();
    if (!request)
        return;
    auto* const target = dynamic_cast<VIoSocket*>(request->Target());
    auto* const result = new RequestResult(request, 0, 0);
    SOCKADDR_STORAGE peer = {};
    int peerLength = kSockAddrSize;
    if (!target)
        result->error = WSAENOTSOCK;
    else if (!Accept(*target, reinterpret_cast<SOCKADDR*>(&peer), &peerLength))
        result->error = LastSocketError();
    else
    {
        // The target delivers its own completions through its window, and starts as a fresh connection.
        target->VNotificationSink::Create();
        target->StartConnection();
        if (!target->AsyncSelect(kAcceptedEvents))
            result->error = LastSocketError();
        result->peer =
            pardalin::detail::CreateAddressFromSockAddr(reinterpret_cast<sockaddr*>(&peer), peerLength);
        SOCKADDR_STORAGE local = {};
        int localLength = kSockAddrSize;
        if (::getsockname(target->m_hSocket, reinterpret_cast<sockaddr*>(&local), &localLength) ==
            SOCKET_ERROR)
            result->error = LastSocketError();
        else
            result->local =
                pardalin::detail::CreateAddressFromSockAddr(reinterpret_cast<sockaddr*>(&local), localLength);
    }
    queues->completedAccepts.PushBack(result);
    if (fromNotification)
        DeliverAccepts();
    else
        PostDelivery(kDeliverAccepts);
}

void VIoSocket::CloseInternal()
{
    if (m_hSocket != INVALID_SOCKET)
        AsyncSelect(0);
    CAsyncSocket::Close();
    shut = true;
    DeliverReads();
    DeliverWrites();
    DeliverAccepts();
    DeliverConnects();
    DeliverBinds();
    while (Request* const request = queues->readRequests.PopFront())
    {
        if (IBuffer* const buffer = request->Buffer())
            buffer->SetLength(0);
        queues->completedReads.PushBack(new RequestResult(request, ERROR_OPERATION_ABORTED, 0));
        DeliverReads();
    }
    while (Request* const request = queues->writeRequests.PopFront())
    {
        sentSoFar = 0;
        auto* const result = new RequestResult(request, ERROR_OPERATION_ABORTED, 0);
        // Out-of-band writes too complete as ordinary ones here.
        result->kind = kPlain;
        queues->completedWrites.PushBack(result);
        DeliverWrites();
    }
    while (Request* const request = queues->acceptRequests.PopFront())
    {
        queues->completedAccepts.PushBack(new RequestResult(request, ERROR_OPERATION_ABORTED, 0));
        DeliverAccepts();
    }
}

void VIoSocket::PostDelivery(UINT message)
{
    if (!GetNotificationWindow())
        VNotificationSink::Create();
    if (!PostNotification(message))
        TRACE(L"VIoSocket: a completion could not be posted to the socket's window.\n");
}

void VIoSocket::QueueCompletedConnect(void* context, DWORD error)
{
    queues->completedConnects.PushBack(new RequestResult(context, error));
    PostDelivery(kDeliverConnects);
}

// Delivery: oldest first, each completion once; the sink is held across its call.

void VIoSocket::DeliverReads()
{
    Hold<VIoSocket> self(this);
    while (RequestResult* const result = queues->completedReads.PopFront())
    {
        if (ISocketSink* const target = sink)
        {
            Hold<ISocketSink> keep(target);
            if (result->kind == kOutOfBand)
                target->OnReadOOBComplete(result->context, result->error, result->Buffer());
            else if (result->kind == kAddressed)
            {
                if (auto* const readFrom = dynamic_cast<IReadFromSocketSink*>(target))
                    readFrom->OnReadFromComplete(result->context, result->error, result->Buffer(),
                                                 result->peer, 0);
            }
            else
                target->OnReadComplete(result->context, result->error, result->Buffer());
        }
        delete result;
    }
}

void VIoSocket::DeliverWrites()
{
    Hold<VIoSocket> self(this);
    while (RequestResult* const result = queues->completedWrites.PopFront())
    {
        if (ISocketSink* const target = sink)
        {
            Hold<ISocketSink> keep(target);
            if (result->kind == kOutOfBand)
                target->OnWriteOOBComplete(result->context, result->error, result->Buffer(), result->bytes);
            else
                target->OnWriteComplete(result->context, result->error, result->Buffer(), result->bytes);
        }
        delete result;
    }
}

void VIoSocket::DeliverAccepts()
{
    Hold<VIoSocket> self(this);
    while (RequestResult* const result = queues->completedAccepts.PopFront())
    {
        if (IListenSocketSink* const target = acceptSink)
        {
            Hold<IListenSocketSink> keep(target);
            target->OnAcceptComplete(result->context, result->error, result->Target(), result->local,
                                     result->peer);
        }
        delete result;
    }
}

void VIoSocket::DeliverConnects()
{
    Hold<VIoSocket> self(this);
    while (RequestResult* const result = queues->completedConnects.PopFront())
    {
        if (ISocketSink* const target = sink)
        {
            Hold<ISocketSink> keep(target);
            target->OnConnectComplete(result->context, result->error);
        }
        delete result;
    }
}

void VIoSocket::DeliverBinds()
{
    Hold<VIoSocket> self(this);
    while (RequestResult* const result = queues->completedBinds.PopFront())
    {
        if (bindSink)
            bindSink->OnBindComplete(result->context, result->error);
        delete result;
    }
}
