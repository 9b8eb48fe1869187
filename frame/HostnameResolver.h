// Host-name resolution supplied by the host: the resolver the library asks to look a name up, and the sink
// on which the answer comes back.
//
//     class CMyResolver : public IHostnameResolver { ... };
//     IHostnameResolver* ResolverFactory() { static CMyResolver resolver; return &resolver; }
//     PardalinInit(&ResolverFactory, &ProfileStoreFactory);
//
// The socket calls the factory for every connect to a name that is not a numeric address, and then
// ResolveHostname. It takes no reference on the resolver and never releases it. The resolver answers
// exactly once, through the sink's OnHostname, on the thread that called ResolveHostname; that thread pumps
// messages.
#pragma once

#include "core/PardalinApi.h"

#include <unknwn.h>

struct IInternetAddress;
class IReportMessageParams;

struct IHostnameResolverSink : public IUnknown
{
    // One address found for the name. The socket reads `address` only; it belongs to the entry.
    struct Entry
    {
        const Entry* next;
        const char* canonicalName;
        IInternetAddress* address;
    };

    // The answer: the entries in the order they should be tried. Valid for the duration of OnHostname.
    struct Result
    {
        UINT_PTR count;
        const Entry* first;
    };

    // `error` carries a message id of 0 on success; otherwise the id says why the name was not found and
    // `result` is empty.
    virtual void OnHostname(void* context, IReportMessageParams* error, const Result& result) = 0;
};

struct IHostnameResolver : public IUnknown
{
    // Starts a lookup of `host` for a socket of `socketType` (0: any) and `protocol` (6: TCP). The answer
    // reaches `sink` later, never inside this call. The return value is the host's own; the library does not
    // read it.
    virtual DWORD ResolveHostname(IHostnameResolverSink* sink, void* context, const char* host,
                                  unsigned short port, int socketType, int protocol) = 0;
};
