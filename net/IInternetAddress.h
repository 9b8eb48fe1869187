/// \struct IInternetAddress
/// An IPv4 or IPv6 endpoint (address and port) with the socket type and protocol a socket for it is made
/// with; what the socket and the host exchange. VAddressIPv4 and VAddressIPv6 implement it.
///
/// \code{.cpp}
/// IInternetAddress* address = new VAddressIPv6;
/// if (address->SetAddressAndPort("[fe80::1]:2222"))
/// {
///     VString text;
///     address->ToString(text, true); // "[fe80::1]:2222"
/// }
/// address->Release();
/// \endcode
///
/// Ports given and returned are in host byte order. Every setter but SetPort, SetSocketType, SetProtocol and
/// SetRawAddress makes the address invalid before it works, so a failed one leaves it invalid.
#pragma once

#include "core/PardalinApi.h"
#include "core/VString.h"

#include <unknwn.h>
#include <ws2tcpip.h>

struct IInternetAddress : public IUnknown
{
    /// \name Attributes
    ///@{

    /// Whether the object holds an address: true from construction, false after a failed setter.
    virtual bool IsValid() = 0;
    /// Whether both are valid, of one class, and equal in their first `bits` bits (ports as in IsEqual).
    virtual bool IsInSubnet(IInternetAddress* other, unsigned int bits) = 0;
    /// Whether both are valid, of one class, with equal address bytes and ports that do not differ (port 0
    /// matches any port).
    virtual bool IsEqual(IInternetAddress* other) = 0;
    /// Whether the address is valid and the wildcard one (every address byte 0).
    virtual bool IsAny() = 0;
    /// Whether the address is valid and a loopback address of its family.
    virtual bool IsLoopback() = 0;
    ///@}

    /// \name Operations
    ///@{

    /// Takes the family's address and port from a `sockaddr` of `length` bytes; false when it is null, too
    /// short or of another family.
    virtual bool SetSockAddr(const sockaddr* address, int length) = 0;
    /// Takes the address, port, socket type and protocol of one getaddrinfo answer (the first of the list);
    /// false when it is null or of another family.
    virtual bool SetAddrInfo(const addrinfo* info) = 0;
    /// Takes the address at `index` in a host entry's address list, with `port`; false when the entry is of
    /// another family or has no such address.
    virtual bool SetHostEnt(const hostent* entry, int index, unsigned short port) = 0;
    /// A numeric host of the address's family; names are not looked up.
    virtual bool SetAddress(const char* host, unsigned short port) = 0;
    /// "host", "host:port", "[IPv6 host]" or "[IPv6 host]:port" (an IPv6 host without brackets reads as
    /// well), the host numeric; port 0 when none is given.
    virtual bool SetAddressAndPort(const char* text) = 0;
    /// Changes the port only; validity is kept as it was.
    virtual void SetPort(unsigned short port) = 0;
    /// The socket type (SOCK_STREAM, SOCK_DGRAM, ...) a socket for the address is made with.
    virtual void SetSocketType(int socketType) = 0;
    /// The protocol (IPPROTO_TCP, IPPROTO_UDP, ...) a socket for the address is made with.
    virtual void SetProtocol(int protocol) = 0;
    /// Takes the address bytes in network order (4 for IPv4, 16 for IPv6) and makes the address valid; false,
    /// with nothing changed, for a null pointer or another length.
    virtual bool SetRawAddress(const void* bytes, int length) = 0;
    /// The numeric text, "[IPv6]:port" or "IPv4:port" with the port; empty for an invalid address. Returns
    /// `out`.
    virtual VString& ToString(VString& out, bool withPort) = 0;
    /// The address bytes in network order, pointing into the object; false for an invalid address.
    virtual bool GetRawAddress(const void*& bytes, unsigned int& length) = 0;
    /// The port in host byte order; 0 when none was set.
    virtual unsigned short GetPort() = 0;
    /// The platform's `sockaddr` for the address, pointing into the object and valid while it lives and is
    /// not changed; false for an invalid address.
    virtual bool GetSockAddr(const sockaddr*& address, unsigned int& length) = 0;
    /// AF_INET or AF_INET6.
    virtual int GetFamily() = 0;
    /// The socket type set or taken from getaddrinfo; SOCK_STREAM by default.
    virtual int GetSocketType() = 0;
    /// The protocol set or taken from getaddrinfo; IPPROTO_TCP by default.
    virtual int GetProtocol() = 0;
    ///@}
};
