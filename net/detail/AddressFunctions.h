// Turning text and platform structures into addresses: the numeric-only resolver, the host and port
// splitter, and the factories that pick VAddressIPv4 or VAddressIPv6.
//
//     std::string host;
//     unsigned short port = 0;
//     if (SplitHostAndPort("[fe80::1]:2222", host, port))  // "fe80::1", 2222
//         if (IInternetAddress* address = CreateAddressFromNumericHost(host.c_str(), port))
//             address->Release();
#pragma once

#include "frame/detail/SocketFunctions.h"
#include "net/IInternetAddress.h"

#include <string>

namespace pardalin::detail
{
// A digit, then three times a "." followed by a digit; nothing else is looked at. Refuses the short
// IPv4 forms (127.1) that the system's parsers accept.
bool IsDottedQuad(const char* text);

// "host", "host:port", a bare IPv6 host, or "[IPv6 host]" with an optional ":port". A missing port is 0.
// False for one bracket without the other, "]" before "[", text before "[", an empty or non-numeric port
// and a port of 65536 or more; characters after the port's digits are ignored.
bool SplitHostAndPort(const char* text, std::string& host, unsigned short& port);

// Whether host is a numeric IPv4 (dotted quad) or IPv6 address; an empty host is the unspecified address.
// With a buffer, the first matching socket address with the port (network order) is written to it and
// *length becomes its size; a buffer shorter than that fails. Without getaddrinfo only IPv4 is read.
bool ResolveNumericHost(const char* host, unsigned short port, void* buffer, int* length,
                        const SocketFunctions& functions = LoadedSocketFunctions());

// A new VAddressIPv4 or VAddressIPv6 (one reference, the caller's) for the structure's family; null for
// another family or a structure the class refuses.
IInternetAddress* CreateAddressFromSockAddr(const sockaddr* address, int length);

// The address of a numeric host (ResolveNumericHost) with the port; null when it is not one.
IInternetAddress* CreateAddressFromNumericHost(const char* host, unsigned short port);
} // namespace pardalin::detail
