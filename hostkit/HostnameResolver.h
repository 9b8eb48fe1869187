/// \file
/// The host kit's name resolver, VHostnameResolver, and VHostnameResolverInstance, the resolver factory a
/// host can hand to PardalinInit.

/// \class VHostnameResolver
/// A resolver a host can hand to PardalinInit as it is. Names are looked up with the system's getaddrinfo on
/// a worker thread; the answer comes back on the thread that asked.
///
/// \code{.cpp}
/// PardalinInit(&VHostnameResolverInstance, &ProfileStores);
///
/// // or directly, on a thread that pumps messages:
/// VHostnameResolverInstance()->ResolveHostname(sink, nullptr, "example.org", 22, 0, IPPROTO_TCP);
/// // ... later, in a message dispatched on this thread:
/// // sink->OnHostname(nullptr, error, result), error->GetMessageId() == 0 on success
/// \endcode
///
/// Delivery: ResolveHostname takes a reference on the sink and returns at once; the answer reaches
/// OnHostname exactly once, from the message loop of the calling thread, never inside ResolveHostname.
/// Each thread that asks gets a deferred-procedure dispatcher of its own on its first lookup; it serves every
/// resolver and is released on that thread when the thread ends. A thread that ends with lookups outstanding
/// gets no answer for them: their sinks are released without a call.
///
/// The answer: on success `error` has id 0 and the result lists every address found, in the system's order,
/// each an IInternetAddress with the requested port, the socket type and protocol the system reported; the
/// first entry carries the canonical name when the system gives one. Entries and addresses belong to the
/// resolver and are released after OnHostname returns; a sink that keeps an address takes a reference.
/// On failure the result is empty and `error` carries an id of the host's message table (HostMessageIds.h)
/// with the name as its one insert. System errors map so that the socket reports the original code:
///
/// - WSAHOST_NOT_FOUND 11001, an empty or null name, and any error the socket has no id for:
///   MSG_HOST_NET_HOST_NOT_FOUND (reported as 11001)
/// - WSATRY_AGAIN 11002: MSG_HOST_NET_TRY_AGAIN
/// - WSANO_RECOVERY 11003: MSG_HOST_NET_NO_RECOVERY
/// - WSANO_DATA 11004: MSG_HOST_NET_NO_DATA
/// - WSAEAFNOSUPPORT 10047: MSG_HOST_NET_FAMILY_NOT_SUPPORTED
/// - WSAESOCKTNOSUPPORT 10044: MSG_HOST_NET_SOCKET_TYPE_NOT_SUPPORTED
/// - WSATYPE_NOT_FOUND 10109: MSG_HOST_NET_TYPE_NOT_FOUND
/// - WSA_NOT_ENOUGH_MEMORY 8, and no worker to be had: MSG_HOST_NET_OUT_OF_MEMORY
/// - WSAEINVAL 10022, WSAENETDOWN 10050, WSAENOBUFS 10055 and the other codes of the socket's table: the id
///   the socket maps back to that code
///
/// Lifetime: the first lookup starts Winsock and leaves it started for the process, so a lookup pays for no
/// start-up of its own. Lookups in flight hold what they need by reference, so a resolver may be destroyed,
/// and the host may end the thread that asked, while workers still wait on the system. The only synchronous
/// failure is ResolveHostname returning ERROR_NOT_ENOUGH_MEMORY (or WSAEINVAL for a null sink): then no
/// answer follows and the sink holds no extra reference.
#pragma once

#include "frame/HostnameResolver.h"
#include "net/VUnknown.h"

class VHostnameResolver : public VUnknown<IHostnameResolver>
{
public:
    // Construction
    /// A resolver with one reference, the creator's.
    VHostnameResolver() = default;

    // Operations
    /// Starts a lookup of `host` on a worker thread; the answer reaches `sink` later on the calling thread,
    /// which must pump messages. `socketType` and `protocol` go to getaddrinfo as given (0: any); the family
    /// is always unspecified. Returns 0 when an answer is on its way (an empty name, too, is answered with a
    /// failure), ERROR_NOT_ENOUGH_MEMORY or WSAEINVAL (null sink) when none will come.
    DWORD ResolveHostname(IHostnameResolverSink* sink, void* context, const char* host, unsigned short port,
                          int socketType, int protocol) override;
};

/// The process-wide resolver, made on the first call and never destroyed; a resolver factory for
/// PardalinInit.
IHostnameResolver* VHostnameResolverInstance();
