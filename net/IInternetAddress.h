// IInternetAddress: an IPv4 or IPv6 endpoint (address and port) with the socket type and protocol a socket
// for it is made with; what the socket and the host exchange. VAddressIPv4 and VAddressIPv6 implement it.
//
//     IInternetAddress* address = new VAddressIPv6;
//     if (address->SetAddressAndPort("[fe80::1]:2222"))
//     {
//         VString text;
//         address->ToString(text, true); // "[fe80::1]:2222"
//     }
//     address->Release();
//
// Ports given and returned are in host byte order. Every setter but SetPort, SetSocketType, SetProtocol and
// SetRawAddress makes the address invalid before it works, so a failed one leaves it invalid.
#pragma once

#include "core/PardalinApi.h"
#include "core/VString.h"

#include <unknwn.h>
#include <ws2tcpip.h>

struct IInternetAddress : public IUnknown
{
    // Attributes
    virtual bool IsValid() = 0;
    // Whether both are valid, of one class, and equal in their first `bits` bits (ports as in IsEqual).
    virtual bool IsInSubnet(IInternetAddress* other, unsigned int bits) = 0;
    // Whether both are valid, of one class, with equal address bytes and ports that do not differ (port 0
    // matches any port).
    virtual bool IsEqual(IInternetAddress* other) = 0;
    virtual bool IsAny() = 0;
    virtual bool IsLoopback() = 0;

    // Operations
    virtual bool SetSockAddr(const sockaddr* address, int length) = 0;
    virtual bool SetAddrInfo(const addrinfo* info) = 0;
    virtual bool SetHostEnt(const hostent* entry, int index, unsigned short port) = 0;
    // A numeric host of the address's family.
    virtual bool SetAddress(const char* host, unsigned short port) = 0;
    // "host", "host:port" or "[IPv6 host]:port".
    virtual bool SetAddressAndPort(const char* text) = 0;
    virtual void SetPort(unsigned short port) = 0;
    virtual void SetSocketType(int socketType) = 0;
    virtual void SetProtocol(int protocol) = 0;
    virtual bool SetRawAddress(const void* bytes, int length) = 0;
    // The numeric text, "[IPv6]:port" or "IPv4:port" with the port; empty for an invalid address.
    virtual VString& ToString(VString& out, bool withPort) = 0;
    // Point into the object; false for an invalid address.
    virtual bool GetRawAddress(const void*& bytes, unsigned int& length) = 0;
    virtual unsigned short GetPort() = 0;
    virtual bool GetSockAddr(const sockaddr*& address, unsigned int& length) = 0;
    virtual int GetFamily() = 0;
    virtual int GetSocketType() = 0;
    virtual int GetProtocol() = 0;
};
