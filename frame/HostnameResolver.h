/// \struct IHostnameResolver
/// Host-name resolution supplied by the host: the resolver the library asks to look a name up. The host
/// hands a factory of it to PardalinInit.
///
/// \code{.cpp}
/// class CMyResolver : public IHostnameResolver { ... };
/// IHostnameResolver* ResolverFactory() { static CMyResolver resolver; return &resolver; }
/// PardalinInit(&ResolverFactory, &ProfileStoreFactory);
/// \endcode
///
/// The socket calls the factory for every connect to a name that is not a numeric address, and then
/// ResolveHostname. It takes no reference on the resolver and never releases it: the resolver belongs to
/// the host and must outlive the lookup. The resolver answers exactly once, through the sink's OnHostname,
/// on the thread that called ResolveHostname; that thread pumps messages.

/// \struct IHostnameResolverSink
/// Where the answer of a host-name lookup comes back: the library's socket implements it and passes itself
/// to IHostnameResolver::ResolveHostname.
///
/// \code{.cpp}
/// // in the host's resolver, on the thread that asked, once the lookup is done
/// IHostnameResolverSink::Result result = {count, pFirstEntry};
/// sink->OnHostname(context, pError, result); // pError's message id 0: found
/// \endcode
#pragma once

#include "core/PardalinApi.h"

#include <unknwn.h>

struct IInternetAddress;
class IReportMessageParams;

struct IHostnameResolverSink : public IUnknown
{
    /// One address found for the name. The socket reads `address` only; it belongs to the entry.
    struct Entry
    {
        const Entry* next;         ///< The next entry, null after the last.
        const char* canonicalName; ///< The name's canonical form as the resolver found it, or null.
        IInternetAddress* address; ///< The address to try; owned by the entry.
    };

    /// The answer: the entries in the order they should be tried. Valid for the duration of OnHostname.
    struct Result
    {
        UINT_PTR count;     ///< The number of entries in the list; 0 when nothing was found.
        const Entry* first; ///< The first entry, null when there is none.
    };

    /// The answer to one lookup. `error` carries a message id of 0 on success; otherwise the id says why
    /// the name was not found and `result` is empty. `context` is the value given to ResolveHostname.
    virtual void OnHostname(void* context, IReportMessageParams* error, const Result& result) = 0;
};

struct IHostnameResolver : public IUnknown
{
    /// Starts a lookup of `host` (a narrow, NUL-terminated name) for a socket of `socketType` (0: any) and
    /// `protocol` (6: TCP). The answer reaches `sink` later, never inside this call, with `context` as
    /// given (the library passes null). The return value is the host's own; the library does not read it.
    virtual DWORD ResolveHostname(IHostnameResolverSink* sink, void* context, const char* host,
                                  unsigned short port, int socketType, int protocol) = 0;
};
