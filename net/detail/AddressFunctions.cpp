#include "net/detail/AddressFunctions.h"

#include "net/VAddress.h"

#include <cstring>
#include <memory>

namespace pardalin::detail
{
namespace
{
bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Leading decimal digits; what follows them is ignored.
bool ParsePort(const char* text, unsigned short& port)
{
    unsigned long value = 0;
    const char* digit = text;
    for (; IsDigit(*digit); ++digit)
    {
        value = value * 10 + static_cast<unsigned long>(*digit - '0');
        if (value > 0xFFFF)
            return false;
    }
    if (digit == text)
        return false;
    port = static_cast<unsigned short>(value);
    return true;
}

// Frees the system's address list on every way out.
struct AddrInfoList
{
    const SocketFunctions& functions;
    addrinfo* first = nullptr;
    ~AddrInfoList()
    {
        if (first)
            functions.freeAddrInfo(first);
    }
};

void WritePort(void* buffer, int family, unsigned short port)
{
    if (family == AF_INET)
        static_cast<sockaddr_in*>(buffer)->sin_port = htons(port);
    else if (family == AF_INET6)
        static_cast<sockaddr_in6*>(buffer)->sin6_port = htons(port);
}
} // namespace

bool IsDottedQuad(const char* text)
{
    if (!text || !IsDigit(*text))
        return false;
    const char* at = text;
    for (int dots = 0; dots < 3; ++dots)
    {
        at = std::strchr(at, '.');
        if (!at || !IsDigit(at[1]))
            return false;
        ++at;
    }
    return true;
}

bool SplitHostAndPort(const char* text, std::string& host, unsigned short& port)
{
    if (!text)
        return false;
    const char* firstColon = std::strchr(text, ':');
    if (!firstColon)
    {
        host = text;
        port = 0;
        return true;
    }
    const char* lastColon = std::strrchr(text, ':');
    if (firstColon == lastColon)
    {
        if (!ParsePort(firstColon + 1, port))
            return false;
        host.assign(text, firstColon);
        return true;
    }
    const char* open = std::strchr(text, '[');
    const char* close = std::strrchr(text, ']');
    if (!open && !close)
    {
        host = text;
        port = 0;
        return true;
    }
    if (!open || !close || open > close || open != text)
        return false;
    if (lastColon < close)
        port = 0;
    else if (!ParsePort(lastColon + 1, port))
        return false;
    host.assign(open + 1, close);
    return true;
}

bool ResolveNumericHost(const char* host, unsigned short port, void* buffer, int* length,
                        const SocketFunctions& functions)
{
    if (!host)
        return false;
    const bool empty = *host == '\0';
    if (functions.getAddrInfo && functions.freeAddrInfo)
    {
        addrinfo hints = {};
        AddrInfoList results{functions};
        int error = 0;
        if (empty)
        {
            hints.ai_flags = AI_PASSIVE;
            hints.ai_socktype = SOCK_STREAM;
            error = functions.getAddrInfo(nullptr, "0", &hints, &results.first);
        }
        else
        {
            hints.ai_flags = AI_NUMERICHOST;
            error = functions.getAddrInfo(host, nullptr, &hints, &results.first);
        }
        if (error != 0 || !results.first)
            return false;
        const addrinfo& first = *results.first;
        if (!empty && first.ai_family == AF_INET && !IsDottedQuad(host))
            return false;
        if (buffer)
        {
            if (!length || *length < static_cast<int>(first.ai_addrlen))
                return false;
            std::memcpy(buffer, first.ai_addr, first.ai_addrlen);
            *length = static_cast<int>(first.ai_addrlen);
            WritePort(buffer, first.ai_family, port);
        }
        return true;
    }

    unsigned long address = 0;
    if (!empty)
    {
        if (!IsDottedQuad(host))
            return false;
        address = inet_addr(host);
        if (address == INADDR_NONE)
            return false;
    }
    if (!buffer)
        return true;
    if (!length || *length < static_cast<int>(sizeof(sockaddr_in)))
        return false;
    sockaddr_in in = {};
    in.sin_family = AF_INET;
    in.sin_port = htons(port);
    in.sin_addr.s_addr = address;
    std::memcpy(buffer, &in, sizeof(in));
    *length = sizeof(in);
    return true;
}

IInternetAddress* CreateAddressFromSockAddr(const sockaddr* address, int length)
{
    if (!address)
        return nullptr;
    IInternetAddress* made = nullptr;
    if (address->sa_family == AF_INET)
        made = new VAddressIPv4;
    else if (address->sa_family == AF_INET6)
        made = new VAddressIPv6;
    else
        return nullptr;
    if (!made->SetSockAddr(address, length))
    {
        made->Release();
        return nullptr;
    }
    return made;
}

IInternetAddress* CreateAddressFromNumericHost(const char* host, unsigned short port)
{
    alignas(sockaddr_in6) unsigned char buffer[128] = {};
    int length = sizeof(buffer);
    if (!ResolveNumericHost(host, port, buffer, &length))
        return nullptr;
    return CreateAddressFromSockAddr(reinterpret_cast<const sockaddr*>(buffer), length);
}
} // namespace pardalin::detail
