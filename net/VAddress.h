// VAddressIPv4 and VAddressIPv6: IInternetAddress over the platform's sockaddr_in and sockaddr_in6, kept
// exactly as the platform lays them out (port and address in network byte order).
//
//     auto* address = new VAddressIPv4;          // valid: 0.0.0.0, port 0, stream, TCP
//     address->SetAddress("10.0.0.1", 22);
//     const sockaddr* sockAddr = nullptr;
//     unsigned int length = 0;
//     if (address->GetSockAddr(sockAddr, length))
//         connect(handle, sockAddr, static_cast<int>(length));
//     address->Release();
#pragma once

#include "net/IInternetAddress.h"
#include "net/VUnknown.h"

// Declared before any use so that the one exported instantiation serves the library and its hosts.
extern template class PARDALIN_API VUnknown<IInternetAddress>;

class PARDALIN_API VAddressIPv4 : public VUnknown<IInternetAddress>
{
public:
    // Construction
    VAddressIPv4();

    // Attributes
    bool IsValid() override;
    bool IsInSubnet(IInternetAddress* other, unsigned int bits) override;
    bool IsEqual(IInternetAddress* other) override;
    bool IsAny() override;
    // Anything in 127.0.0.0/8.
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
    // Any form inet_addr reads, except 255.255.255.255, which it cannot tell from a failure. The port is
    // kept even when the text fails.
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
    VAddressIPv6();

    // Attributes
    bool IsValid() override;
    bool IsInSubnet(IInternetAddress* other, unsigned int bits) override;
    bool IsEqual(IInternetAddress* other) override;
    bool IsAny() override;
    // Only ::1; an IPv4 loopback address mapped into IPv6 is not.
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
    // Host entries carry IPv4 addresses only: always false.
    bool SetHostEnt(const hostent* entry, int index, unsigned short port) override;
    // Needs the system's getaddrinfo; also takes the socket type and protocol it reports.
    bool SetAddress(const char* host, unsigned short port) override;
    bool SetAddressAndPort(const char* text) override;
    void SetPort(unsigned short port) override;
    void SetSocketType(int type) override;
    void SetProtocol(int protocolNumber) override;
    bool SetRawAddress(const void* bytes, int length) override;
    // Needs the system's getnameinfo; empty without it.
    VString& ToString(VString& out, bool withPort) override;

private:
    bool valid;
    int socketType;
    int protocol;
    sockaddr_in6 sockAddr;
};
