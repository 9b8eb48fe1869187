/// \class VAddressIPv4
/// IInternetAddress over the platform's `sockaddr_in`, kept exactly as the platform lays it out (port and
/// address in network byte order). A new object is valid: 0.0.0.0, port 0, stream, TCP.
///
/// \code{.cpp}
/// auto* address = new VAddressIPv4;          // valid: 0.0.0.0, port 0, stream, TCP
/// address->SetAddress("10.0.0.1", 22);
/// const sockaddr* sockAddr = nullptr;
/// unsigned int length = 0;
/// if (address->GetSockAddr(sockAddr, length))
///     connect(handle, sockAddr, static_cast<int>(length));
/// address->Release();
/// \endcode

/// \class VAddressIPv6
/// IInternetAddress over the platform's `sockaddr_in6`, kept exactly as the platform lays it out (port and
/// address in network byte order, with the flow information and scope it was given). A new object is valid:
/// ::, port 0, stream, TCP. Text forms need the system's getaddrinfo and getnameinfo.
///
/// \code{.cpp}
/// VAddressIPv6* address = new VAddressIPv6;
/// if (address->SetAddressAndPort("[::1]:8080") && address->IsLoopback())
///     socket->Connect(nullptr, address);
/// address->Release();
/// \endcode
#pragma once

#include "net/IInternetAddress.h"
#include "net/VUnknown.h"

// Declared before any use so that the one exported instantiation serves the library and its hosts.
extern template class PARDALIN_API VUnknown<IInternetAddress>;

class PARDALIN_API VAddressIPv4 : public VUnknown<IInternetAddress>
{
public:
    // Construction
    /// A valid address: 0.0.0.0, port 0, SOCK_STREAM, IPPROTO_TCP; one reference.
    VAddressIPv4();

    // Attributes
    bool IsValid() override;
    bool IsInSubnet(IInternetAddress* other, unsigned int bits) override;
    bool IsEqual(IInternetAddress* other) override;
    bool IsAny() override;
    /// Anything in 127.0.0.0/8.
    bool IsLoopback() override;
    bool GetRawAddress(const void*& bytes, unsigned int& length) override;
    unsigned short GetPort() override;
    bool GetSockAddr(const sockaddr*& address, unsigned int& length) override;
    int GetFamily() override;
    int GetSocketType() override;
    int GetProtocol() override;

    // Operations
    bool SetSockAddr(const sockaddr* address, int length) override;
    bool SetAddrInfo(const addrinfo* info) override;
    bool SetHostEnt(const hostent* entry, int index, unsigned short port) override;
    /// Any form inet_addr reads, except 255.255.255.255, which it cannot tell from a failure. The port is
    /// kept even when the text fails.
    bool SetAddress(const char* host, unsigned short port) override;
    bool SetAddressAndPort(const char* text) override;
    void SetPort(unsigned short port) override;
    void SetSocketType(int type) override;
    void SetProtocol(int protocolNumber) override;
    bool SetRawAddress(const void* bytes, int length) override;
    VString& ToString(VString& out, bool withPort) override;

private:
    bool valid;
    int socketType;
    int protocol;
    sockaddr_in sockAddr;
};

class PARDALIN_API VAddressIPv6 : public VUnknown<IInternetAddress>
{
public:
    // Construction
    /// A valid address: ::, port 0, SOCK_STREAM, IPPROTO_TCP; one reference.
    VAddressIPv6();

    // Attributes
    bool IsValid() override;
    bool IsInSubnet(IInternetAddress* other, unsigned int bits) override;
    bool IsEqual(IInternetAddress* other) override;
    bool IsAny() override;
    /// Only ::1; an IPv4 loopback address mapped into IPv6 is not.
    bool IsLoopback() override;
    bool GetRawAddress(const void*& bytes, unsigned int& length) override;
    unsigned short GetPort() override;
    bool GetSockAddr(const sockaddr*& address, unsigned int& length) override;
    int GetFamily() override;
    int GetSocketType() override;
    int GetProtocol() override;

    // Operations
    bool SetSockAddr(const sockaddr* address, int length) override;
    bool SetAddrInfo(const addrinfo* info) override;
    /// Host entries carry IPv4 addresses only: always false, leaving the address invalid.
    bool SetHostEnt(const hostent* entry, int index, unsigned short port) override;
    /// A numeric IPv6 host, read by the system's getaddrinfo (false without it); also takes the socket type
    /// and protocol it reports.
    bool SetAddress(const char* host, unsigned short port) override;
    bool SetAddressAndPort(const char* text) override;
    void SetPort(unsigned short port) override;
    void SetSocketType(int type) override;
    void SetProtocol(int protocolNumber) override;
    bool SetRawAddress(const void* bytes, int length) override;
    /// The numeric text, "[IPv6]:port" with the port, from the system's getnameinfo; empty without it or
    /// for an invalid address. Returns `out`.
    VString& ToString(VString& out, bool withPort) override;

private:
    bool valid;
    int socketType;
    int protocol;
    sockaddr_in6 sockAddr;
};
