#include "net/VAddress.h"

#include "frame/detail/SocketFunctions.h"
#include "net/detail/AddressFunctions.h"

#include <algorithm>
#include <cstring>
#include <string>

template class VUnknown<IInternetAddress>;

namespace
{
using pardalin::detail::LoadedSocketFunctions;

// The comparison both classes share: ports that are both set must agree; then the address bytes decide.
bool SameEndpoint(unsigned short portA, unsigned short portB, const void* bytesA, const void* bytesB,
                  size_t size)
{
    if (portA != 0 && portB != 0 && portA != portB)
        return false;
    return std::memcmp(bytesA, bytesB, size) == 0;
}

// Clears every bit after the first `bits`.
template <size_t N> void KeepLeadingBits(unsigned char (&bytes)[N], unsigned int bits)
{
    for (size_t i = 0; i < N; ++i)
    {
        const unsigned int start = static_cast<unsigned int>(i) * 8;
        if (bits <= start)
            bytes[i] = 0;
        else if (bits < start + 8)
            bytes[i] &= static_cast<unsigned char>(0xFF << (start + 8 - bits));
    }
}

template <size_t N>
bool SameSubnet(const void* a, const void* b, unsigned int bits, unsigned short portA, unsigned short portB)
{
    unsigned char maskedA[N];
    unsigned char maskedB[N];
    std::memcpy(maskedA, a, N);
    std::memcpy(maskedB, b, N);
    KeepLeadingBits(maskedA, bits);
    KeepLeadingBits(maskedB, bits);
    return SameEndpoint(portA, portB, maskedA, maskedB, N);
}
} // namespace

// --- VAddressIPv4 ---

VAddressIPv4::VAddressIPv4() : valid(true), socketType(SOCK_STREAM), protocol(IPPROTO_TCP), sockAddr()
{
    sockAddr.sin_family = AF_INET;
}

bool VAddressIPv4::IsValid()
{
    return valid;
}

bool VAddressIPv4::IsInSubnet(IInternetAddress* other, unsigned int bits)
{
    auto* same = dynamic_cast<VAddressIPv4*>(other);
    if (!valid || !same || !same->valid)
        return false;
    return SameSubnet<4>(&sockAddr.sin_addr, &same->sockAddr.sin_addr, bits, GetPort(), same->GetPort());
}

bool VAddressIPv4::IsEqual(IInternetAddress* other)
{
    auto* same = dynamic_cast<VAddressIPv4*>(other);
    if (!valid || !same || !same->valid)
        return false;
    return SameEndpoint(GetPort(), same->GetPort(), &sockAddr.sin_addr, &same->sockAddr.sin_addr, 4);
}

bool VAddressIPv4::IsAny()
{
    return valid && sockAddr.sin_addr.s_addr == 0;
}

bool VAddressIPv4::IsLoopback()
{
    static const unsigned long loopbackNet = inet_addr("127.0.0.0");
    const unsigned char first = reinterpret_cast<const unsigned char*>(&sockAddr.sin_addr)[0];
    return valid && first == reinterpret_cast<const unsigned char*>(&loopbackNet)[0];
}

bool VAddressIPv4::GetRawAddress(const void*& bytes, unsigned int& length)
{
    if (!valid)
        return false;
    bytes = &sockAddr.sin_addr;
    length = sizeof(sockAddr.sin_addr);
    return true;
}

unsigned short VAddressIPv4::GetPort()
{
    return ntohs(sockAddr.sin_port);
}

bool VAddressIPv4::GetSockAddr(const sockaddr*& address, unsigned int& length)
{
    if (!valid)
        return false;
    address = reinterpret_cast<const sockaddr*>(&sockAddr);
    length = sizeof(sockAddr);
    return true;
}

int VAddressIPv4::GetFamily()
{
    return AF_INET;
}

int VAddressIPv4::GetSocketType()
{
    return socketType;
}

int VAddressIPv4::GetProtocol()
{
    return protocol;
}

bool VAddressIPv4::SetSockAddr(const sockaddr* address, int)
{
    valid = false;
    if (!address || address->sa_family != AF_INET)
        return false;
    const auto* in = reinterpret_cast<const sockaddr_in*>(address);
    sockAddr.sin_port = in->sin_port;
    sockAddr.sin_addr = in->sin_addr;
    valid = true;
    return true;
}

bool VAddressIPv4::SetAddrInfo(const addrinfo* info)
{
    valid = false;
    if (!info || info->ai_family != AF_INET)
        return false;
    socketType = info->ai_socktype;
    protocol = info->ai_protocol;
    return SetSockAddr(info->ai_addr, static_cast<int>(info->ai_addrlen));
}

bool VAddressIPv4::SetHostEnt(const hostent* entry, int index, unsigned short port)
{
    valid = false;
    if (!entry || entry->h_addrtype != AF_INET || index < 0 || !entry->h_addr_list)
        return false;
    for (int i = 0; i <= index; ++i)
    {
        if (!entry->h_addr_list[i])
            return false;
    }
    std::memcpy(&sockAddr.sin_addr, entry->h_addr_list[index], sizeof(sockAddr.sin_addr));
    sockAddr.sin_port = htons(port);
    valid = true;
    return true;
}

bool VAddressIPv4::SetAddress(const char* host, unsigned short port)
{
    valid = false;
    sockAddr.sin_port = htons(port);
    if (!host)
        return false;
    const unsigned long address = inet_addr(host);
    if (address == INADDR_NONE)
        return false;
    sockAddr.sin_addr.s_addr = address;
    valid = true;
    return true;
}

bool VAddressIPv4::SetAddressAndPort(const char* text)
{
    valid = false;
    std::string host;
    unsigned short port = 0;
    return pardalin::detail::SplitHostAndPort(text, host, port) && SetAddress(host.c_str(), port);
}

void VAddressIPv4::SetPort(unsigned short port)
{
    sockAddr.sin_port = htons(port);
}

void VAddressIPv4::SetSocketType(int type)
{
    socketType = type;
}

void VAddressIPv4::SetProtocol(int protocolNumber)
{
    protocol = protocolNumber;
}

bool VAddressIPv4::SetRawAddress(const void* bytes, int length)
{
    if (!bytes || length != static_cast<int>(sizeof(sockAddr.sin_addr)))
        return false;
    std::memcpy(&sockAddr.sin_addr, bytes, sizeof(sockAddr.sin_addr));
    valid = true;
    return true;
}

VString& VAddressIPv4::ToString(VString& out, bool withPort)
{
    out.Empty();
    if (!valid)
        return out;
    const char* dotted = inet_ntoa(sockAddr.sin_addr);
    if (!withPort)
        out = dotted;
    else
        out.Format("%1!hs!:%2!hu!", dotted, static_cast<unsigned int>(GetPort()));
    return out;
}

// --- VAddressIPv6 ---

VAddressIPv6::VAddressIPv6() : valid(true), socketType(SOCK_STREAM), protocol(IPPROTO_TCP), sockAddr()
{
    sockAddr.sin6_family = AF_INET6;
}

bool VAddressIPv6::IsValid()
{
    return valid;
}

bool VAddressIPv6::IsInSubnet(IInternetAddress* other, unsigned int bits)
{
    auto* same = dynamic_cast<VAddressIPv6*>(other);
    if (!valid || !same || !same->valid)
        return false;
    return SameSubnet<16>(&sockAddr.sin6_addr, &same->sockAddr.sin6_addr, bits, GetPort(), same->GetPort());
}

bool VAddressIPv6::IsEqual(IInternetAddress* other)
{
    auto* same = dynamic_cast<VAddressIPv6*>(other);
    if (!valid || !same || !same->valid)
        return false;
    return SameEndpoint(GetPort(), same->GetPort(), &sockAddr.sin6_addr, &same->sockAddr.sin6_addr, 16);
}

bool VAddressIPv6::IsAny()
{
    static const unsigned char any[16] = {};
    return valid && std::memcmp(&sockAddr.sin6_addr, any, sizeof(any)) == 0;
}

bool VAddressIPv6::IsLoopback()
{
    static const unsigned char loopback[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    return valid && std::memcmp(&sockAddr.sin6_addr, loopback, sizeof(loopback)) == 0;
}

bool VAddressIPv6::GetRawAddress(const void*& bytes, unsigned int& length)
{
    if (!valid)
        return false;
    bytes = &sockAddr.sin6_addr;
    length = sizeof(sockAddr.sin6_addr);
    return true;
}

unsigned short VAddressIPv6::GetPort()
{
    return ntohs(sockAddr.sin6_port);
}

bool VAddressIPv6::GetSockAddr(const sockaddr*& address, unsigned int& length)
{
    if (!valid)
        return false;
    address = reinterpret_cast<const sockaddr*>(&sockAddr);
    length = sizeof(sockAddr);
    return true;
}

int VAddressIPv6::GetFamily()
{
    return AF_INET6;
}

int VAddressIPv6::GetSocketType()
{
    return socketType;
}

int VAddressIPv6::GetProtocol()
{
    return protocol;
}

bool VAddressIPv6::SetSockAddr(const sockaddr* address, int length)
{
    valid = false;
    if (!address || length < static_cast<int>(sizeof(address->sa_family)) || address->sa_family != AF_INET6)
        return false;
    // A shorter structure (an older layout without the scope) leaves the rest as it was.
    std::memcpy(&sockAddr, address, std::min<size_t>(static_cast<size_t>(length), sizeof(sockAddr)));
    valid = true;
    return true;
}

bool VAddressIPv6::SetAddrInfo(const addrinfo* info)
{
    valid = false;
    if (!info || info->ai_family != AF_INET6)
        return false;
    socketType = info->ai_socktype;
    protocol = info->ai_protocol;
    return SetSockAddr(info->ai_addr, static_cast<int>(info->ai_addrlen));
}

bool VAddressIPv6::SetHostEnt(const hostent*, int, unsigned short)
{
    valid = false;
    return false;
}

bool VAddressIPv6::SetAddress(const char* host, unsigned short port)
{
    valid = false;
    const auto& functions = LoadedSocketFunctions();
    if (!host || !functions.getAddrInfo || !functions.freeAddrInfo)
        return false;
    addrinfo hints = {};
    hints.ai_flags = AI_NUMERICHOST;
    hints.ai_family = AF_INET6;
    addrinfo* results = nullptr;
    if (functions.getAddrInfo(host, nullptr, &hints, &results) != 0)
        return false;
    SetAddrInfo(results);
    functions.freeAddrInfo(results);
    sockAddr.sin6_port = htons(port);
    return valid;
}

bool VAddressIPv6::SetAddressAndPort(const char* text)
{
    valid = false;
    std::string host;
    unsigned short port = 0;
    return pardalin::detail::SplitHostAndPort(text, host, port) && SetAddress(host.c_str(), port);
}

void VAddressIPv6::SetPort(unsigned short port)
{
    sockAddr.sin6_port = htons(port);
}

void VAddressIPv6::SetSocketType(int type)
{
    socketType = type;
}

void VAddressIPv6::SetProtocol(int protocolNumber)
{
    protocol = protocolNumber;
}

bool VAddressIPv6::SetRawAddress(const void* bytes, int length)
{
    if (!bytes || length != static_cast<int>(sizeof(sockAddr.sin6_addr)))
        return false;
    std::memcpy(&sockAddr.sin6_addr, bytes, sizeof(sockAddr.sin6_addr));
    valid = true;
    return true;
}

VString& VAddressIPv6::ToString(VString& out, bool withPort)
{
    out.Empty();
    const auto& functions = LoadedSocketFunctions();
    if (!valid || !functions.getNameInfo)
        return out;
    char host[NI_MAXHOST];
    char service[32];
    if (functions.getNameInfo(reinterpret_cast<const sockaddr*>(&sockAddr), sizeof(sockAddr), host,
                              sizeof(host), withPort ? service : nullptr, withPort ? sizeof(service) : 0,
                              NI_NUMERICHOST | (withPort ? NI_NUMERICSERV : 0)) != 0)
        return out;
    if (!withPort)
    {
        out = host;
        return out;
    }
    out = "[";
    out.Append(host).Append("]:").Append(service);
    return out;
}
