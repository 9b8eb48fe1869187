#include "hostkit/HostnameResolver.h"

#include "frame/VReportMessageParams.h"
#include "net/IDeferredProcedure.h"
#include "net/VAddress.h"
#include "resources/HostMessageIds.h"

#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <vector>

namespace
{
// A system error and the host id that the socket turns back into it; the rest become "host not found".
struct ErrorId
{
    int error;
    DWORD messageId;
};

constexpr ErrorId ErrorIds[] = {
    {WSAEINVAL, MSG_HOST_NET_INVALID_ARGUMENT},
    {WSAETIMEDOUT, MSG_HOST_NET_TIMED_OUT},
    {WSAENOTCONN, MSG_HOST_NET_NOT_CONNECTED},
    {WSAEHOSTUNREACH, MSG_HOST_NET_HOST_UNREACHABLE},
    {WSAEDISCON, MSG_HOST_NET_DISCONNECTED},
    {WSAEAFNOSUPPORT, MSG_HOST_NET_FAMILY_NOT_SUPPORTED},
    {WSAECONNRESET, MSG_HOST_NET_CONNECTION_RESET},
    {WSAENETUNREACH, MSG_HOST_NET_NETWORK_UNREACHABLE},
    {WSAECONNABORTED, MSG_HOST_NET_CONNECTION_ABORTED},
    {WSAECONNREFUSED, MSG_HOST_NET_CONNECTION_REFUSED},
    {WSAEADDRNOTAVAIL, MSG_HOST_NET_ADDRESS_NOT_AVAILABLE},
    {WSATRY_AGAIN, MSG_HOST_NET_TRY_AGAIN},
    {WSANO_RECOVERY, MSG_HOST_NET_NO_RECOVERY},
    {WSANO_DATA, MSG_HOST_NET_NO_DATA},
    {WSAEADDRINUSE, MSG_HOST_NET_ADDRESS_IN_USE},
    {WSAESOCKTNOSUPPORT, MSG_HOST_NET_SOCKET_TYPE_NOT_SUPPORTED},
    {WSA_NOT_ENOUGH_MEMORY, MSG_HOST_NET_OUT_OF_MEMORY},
    {WSATYPE_NOT_FOUND, MSG_HOST_NET_TYPE_NOT_FOUND},
    {WSAENETDOWN, MSG_HOST_NET_NETWORK_DOWN},
    {WSAENOBUFS, MSG_HOST_NET_NO_BUFFERS},
    {WSAESHUTDOWN, MSG_HOST_NET_SHUT_DOWN},
};

DWORD MessageIdForError(int error)
{
    for (const ErrorId& entry : ErrorIds)
    {
        if (entry.error == error)
            return entry.messageId;
    }
    return MSG_HOST_NET_HOST_NOT_FOUND;
}

// One answer as an address object of the library's, or null for a family it has no class for.
IInternetAddress* MakeAddress(const addrinfo& info, unsigned short port)
{
    IInternetAddress* address = nullptr;
    if (info.ai_family == AF_INET)
        address = new VAddressIPv4;
    else if (info.ai_family == AF_INET6)
        address = new VAddressIPv6;
    else
        return nullptr;
    if (!address->SetAddrInfo(&info))
    {
        address->Release();
        return nullptr;
    }
    address->SetPort(port);
    return address;
}

// Winsock for the lookups, started once and kept for the process, so that no lookup pays for starting and
// ending it. 0 or the error that refused it.
int StartSockets()
{
    static const int started = []
    {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data);
    }();
    return started;
}

// What reaches one thread: its dispatcher, while the thread lives. Lookups hold the mailbox, not the
// dispatcher, so a worker that finishes after the thread ended finds the mailbox closed instead of a
// dispatcher whose window is gone.
class ThreadMailbox
{
public:
    explicit ThreadMailbox(IDeferredProcedureDispatcher* owned) : dispatcher(owned) {}
    ThreadMailbox(const ThreadMailbox&) = delete;
    ThreadMailbox& operator=(const ThreadMailbox&) = delete;

    // The calling thread's mailbox, made with its dispatcher on the first call; null when memory cannot be
    // had.
    static std::shared_ptr<ThreadMailbox> Current();

    bool IsOpen() const
    {
        std::lock_guard<std::mutex> guard(lock);
        return dispatcher != nullptr;
    }

    // Queues the procedure for the thread; false once the thread has ended.
    bool Post(IDeferredProcedure* procedure)
    {
        std::lock_guard<std::mutex> guard(lock);
        if (dispatcher == nullptr)
            return false;
        dispatcher->QueueProcedure(procedure, 0);
        return true;
    }

    // On the owning thread as it ends. The dispatcher is released there, where its window lives; procedures
    // still queued run inside that release and find the mailbox closed.
    void Close()
    {
        IDeferredProcedureDispatcher* closing = nullptr;
        {
            std::lock_guard<std::mutex> guard(lock);
            closing = dispatcher;
            dispatcher = nullptr;
        }
        if (closing != nullptr)
            closing->Release();
    }

private:
    mutable std::mutex lock;
    IDeferredProcedureDispatcher* dispatcher;
};

// Each thread's mailbox lives in a fiber-local slot whose callback closes it on that thread as the thread
// ends. A thread-local object with a destructor would do the same on paper, but with the emulated
// thread-local storage of this tool chain such destructors can run after their storage has been freed.
void WINAPI CloseThreadMailbox(void* value)
{
    auto* const held = static_cast<std::shared_ptr<ThreadMailbox>*>(value);
    if (held == nullptr)
        return;
    (*held)->Close();
    delete held;
}

DWORD MailboxSlot()
{
    static const DWORD slot = FlsAlloc(&CloseThreadMailbox);
    return slot;
}

std::shared_ptr<ThreadMailbox> ThreadMailbox::Current()
{
    const DWORD slot = MailboxSlot();
    if (slot == FLS_OUT_OF_INDEXES)
        return nullptr;
    if (auto* const held = static_cast<std::shared_ptr<ThreadMailbox>*>(FlsGetValue(slot)))
        return *held;
    IDeferredProcedureDispatcher* dispatcher = CreateVMsgDeferredProcedureDispatcher();
    if (dispatcher == nullptr)
        return nullptr;
    std::shared_ptr<ThreadMailbox> mailbox;
    try
    {
        mailbox = std::make_shared<ThreadMailbox>(dispatcher);
    }
    catch (const std::bad_alloc&)
    {
        dispatcher->Release();
        return nullptr;
    }
    auto* const held = new (std::nothrow) std::shared_ptr<ThreadMailbox>(mailbox);
    if (held == nullptr || !FlsSetValue(slot, held))
    {
        delete held;
        mailbox->Close();
        return nullptr;
    }
    return mailbox;
}

// One lookup: asked on the requesting thread, run on a worker of the system's pool, answered through the
// requesting thread's mailbox. The worker and the mailbox's queue each hold a reference.
class Lookup : public VUnknown<IDeferredProcedure>
{
public:
    // Construction
    Lookup(IHostnameResolverSink* target, void* targetContext, std::string name, unsigned short portNumber,
           int type, int protocolNumber, std::shared_ptr<ThreadMailbox> owner)
        : sink(target), context(targetContext), host(std::move(name)), port(portNumber), socketType(type),
          protocol(protocolNumber), mailbox(std::move(owner))
    {
        sink->AddRef();
    }

    ~Lookup() override { ReleaseAnswer(); }

    // Operations
    static DWORD WINAPI Run(void* parameter)
    {
        auto* lookup = static_cast<Lookup*>(parameter);
        lookup->Resolve();
        lookup->Deliver();
        lookup->Release();
        return 0;
    }

    void Fail(DWORD id) { messageId = id; }

    // Hands the answer to the requesting thread; when that thread has ended the answer is dropped, and the
    // sink is released when the last reference goes.
    void Deliver() { mailbox->Post(this); }

    // Overridables
    void Execute(ULONG_PTR) override
    {
        if (sink == nullptr || !mailbox->IsOpen())
            return;
        std::vector<IHostnameResolverSink::Entry> entries(addresses.size());
        for (size_t i = 0; i < entries.size(); ++i)
        {
            entries[i].next = i + 1 < entries.size() ? &entries[i + 1] : nullptr;
            entries[i].canonicalName = i == 0 && !canonicalName.empty() ? canonicalName.c_str() : nullptr;
            entries[i].address = addresses[i];
        }
        const IHostnameResolverSink::Result result = {entries.size(),
                                                      entries.empty() ? nullptr : entries.data()};
        auto* error = new VReportMessageParams(messageId);
        if (messageId != 0)
            error->AddInsert(host.c_str());
        sink->OnHostname(context, error, result);
        error->Release();
        ReleaseAnswer();
    }

private:
    void Resolve()
    {
        const int started = StartSockets();
        if (started != 0)
        {
            Fail(MessageIdForError(started));
            return;
        }
        addrinfo hints = {};
        hints.ai_flags = AI_CANONNAME;
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = socketType;
        hints.ai_protocol = protocol;
        addrinfo* found = nullptr;
        const int error = getaddrinfo(host.c_str(), nullptr, &hints, &found);
        if (error != 0)
        {
            Fail(MessageIdForError(error));
        }
        else
        {
            try
            {
                for (const addrinfo* info = found; info != nullptr; info = info->ai_next)
                {
                    if (info == found && info->ai_canonname != nullptr)
                        canonicalName = info->ai_canonname;
                    // The slot first, so that a failed growth leaks no address.
                    addresses.push_back(nullptr);
                    addresses.back() = MakeAddress(*info, port);
                    if (addresses.back() == nullptr)
                        addresses.pop_back();
                }
                // Only families the library has no class for.
                if (addresses.empty())
                    Fail(MSG_HOST_NET_NO_DATA);
            }
            catch (const std::bad_alloc&)
            {
                Fail(MSG_HOST_NET_OUT_OF_MEMORY);
            }
            freeaddrinfo(found);
        }
        if (messageId != 0)
            ReleaseAddresses();
    }

    void ReleaseAddresses()
    {
        // A slot stays empty when making its address ran out of memory.
        for (IInternetAddress* address : addresses)
        {
            if (address != nullptr)
                address->Release();
        }
        addresses.clear();
    }

    void ReleaseAnswer()
    {
        ReleaseAddresses();
        if (sink != nullptr)
            sink->Release();
        sink = nullptr;
    }

    IHostnameResolverSink* sink;
    void* context;
    const std::string host;
    const unsigned short port;
    const int socketType;
    const int protocol;
    const std::shared_ptr<ThreadMailbox> mailbox;
    DWORD messageId = 0;
    std::string canonicalName;
    std::vector<IInternetAddress*> addresses;
};
} // namespace

DWORD VHostnameResolver::ResolveHostname(IHostnameResolverSink* sink, void* context, const char* host,
                                         unsigned short port, int socketType, int protocol)
{
    if (sink == nullptr)
        return WSAEINVAL;
    std::shared_ptr<ThreadMailbox> mailbox = ThreadMailbox::Current();
    if (!mailbox)
        return ERROR_NOT_ENOUGH_MEMORY;
    Lookup* lookup = nullptr;
    try
    {
        lookup = new Lookup(sink, context, host ? host : "", port, socketType, protocol, mailbox);
    }
    catch (const std::bad_alloc&)
    {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    if (host == nullptr || *host == 0)
    {
        lookup->Fail(MSG_HOST_NET_HOST_NOT_FOUND);
    }
    else if (QueueUserWorkItem(&Lookup::Run, lookup, WT_EXECUTELONGFUNCTION))
    {
        // The worker owns the reference now.
        return 0;
    }
    else
    {
        lookup->Fail(MSG_HOST_NET_OUT_OF_MEMORY);
    }
    lookup->Deliver();
    lookup->Release();
    return 0;
}

IHostnameResolver* VHostnameResolverInstance()
{
    static auto* const instance = new VHostnameResolver;
    return instance;
}
