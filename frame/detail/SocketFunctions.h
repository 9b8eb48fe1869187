// The name and address conversions of "ws2_32.dll" that older systems lack, looked up when the library loads.
// Each may be null; the code that needs one checks it and falls back.
//
//     const SocketFunctions& functions = LoadedSocketFunctions();
//     if (functions.getAddrInfo && functions.freeAddrInfo)
//         ... functions.getAddrInfo(host, nullptr, &hints, &result) ...
#pragma once

#include "core/PardalinApi.h"

#include <ws2tcpip.h>

namespace pardalin::detail
{
struct SocketFunctions
{
    int(WSAAPI* getAddrInfo)(const char* node, const char* service, const addrinfo* hints, addrinfo** result);
    int(WSAAPI* getNameInfo)(const sockaddr* address, int length, char* host, DWORD hostLength, char* service,
                             DWORD serviceLength, int flags);
    void(WSAAPI* freeAddrInfo)(addrinfo* result);
};

// Filled in at load: "getaddrinfo", "getnameinfo" and "freeaddrinfo" in that order, up to the first that the
// module does not have.
const SocketFunctions& LoadedSocketFunctions();
} // namespace pardalin::detail
