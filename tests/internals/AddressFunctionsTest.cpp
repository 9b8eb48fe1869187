// The address functions behind the socket: host and port splitting, the numeric resolver with and without
// the system's getaddrinfo, and the factories.
#include "net/detail/AddressFunctions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace pardalin::detail;

namespace
{
const std::string kLong(10000, '1');

// What the resolver writes for a host: family, port (host order) and the numeric text of the address.
struct Resolved
{
    bool ok = false;
    int family = 0;
    int length = 0;
    unsigned short port = 0;
    std::string text;
};

Resolved Resolve(const char* host, unsigned short port, const SocketFunctions& functions)
{
    Resolved result;
    alignas(sockaddr_in6) unsigned char buffer[128] = {};
    result.length = sizeof(buffer);
    result.ok = ResolveNumericHost(host, port, buffer, &result.length, functions);
    EXPECT_EQ(result.ok, ResolveNumericHost(host, port, nullptr, nullptr, functions)) << "without a buffer";
    if (!result.ok)
        return result;
    const auto* address = reinterpret_cast<const sockaddr*>(buffer);
    result.family = address->sa_family;
    result.port = ntohs(reinterpret_cast<const sockaddr_in*>(buffer)->sin_port);
    char text[64] = {};
    if (result.family == AF_INET)
        result.text = inet_ntoa(reinterpret_cast<const sockaddr_in*>(buffer)->sin_addr);
    else if (LoadedSocketFunctions().getNameInfo(address, result.length, text, sizeof(text), nullptr, 0,
                                                 NI_NUMERICHOST) == 0)
        result.text = text;
    return result;
}
} // namespace

TEST(AddressFunctions, HostAndPortSplitting)
{
    struct Case
    {
        std::string text;
        bool ok;
        const char* host;
        unsigned short port;
    };
    const Case cases[] = {
        {"10.0.0.1:22", true, "10.0.0.1", 22},
        {"[fe80::1]:2222", true, "fe80::1", 2222},
        {"fe80::1", true, "fe80::1", 0},
        {"[fe80::1]", true, "fe80::1", 0},
        {"host", true, "host", 0},
        {"", true, "", 0},
        {":22", true, "", 22},
        {"10.0.0.1:22abc", true, "10.0.0.1", 22},
        {"10.0.0.1:65535", true, "10.0.0.1", 65535},
        {"[::1]x:22", true, "::1", 22},
        {"10.0.0.1:", false, "", 0},
        {"10.0.0.1:65536", false, "", 0},
        {"10.0.0.1:" + kLong, false, "", 0},
        {"10.0.0.1:-1", false, "", 0},
        {"10.0.0.1: 22", false, "", 0},
        {"[::1]:", false, "", 0},
        {"[::1]:99999", false, "", 0},
        {"x[::1]:22", false, "", 0},
        {"[::1", false, "", 0},
        {"::1]", false, "", 0},
        {"]::1[:22", false, "", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text.substr(0, 40));
        std::string host = "unchanged";
        unsigned short port = 7;
        ASSERT_EQ(c.ok, SplitHostAndPort(c.text.c_str(), host, port));
        if (c.ok)
        {
            EXPECT_EQ(c.host, host);
            EXPECT_EQ(c.port, port);
        }
    }
    std::string host;
    unsigned short port = 0;
    EXPECT_FALSE(SplitHostAndPort(nullptr, host, port));
}

TEST(AddressFunctions, DottedQuadTest)
{
    const std::pair<const char*, bool> cases[] = {
        {"127.0.0.1", true}, {"1.2.3.4.5", true}, {"999.1.1.1", true}, {"127.1", false}, {"127.0.1", false},
        {".1.2.3", false},   {"1..2.3.4", false}, {"a.1.2.3", false},  {"", false},      {"1.2.3.", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, IsDottedQuad(c.first)) << c.first;
    EXPECT_FALSE(IsDottedQuad(nullptr));
}

TEST(AddressFunctions, NumericResolutionWithAndWithoutTheSystemResolver)
{
    const SocketFunctions none = {};
    struct Case
    {
        const SocketFunctions* functions;
        std::string host;
        bool ok;
        int family;
        const char* text;
    };
    const SocketFunctions* system = &LoadedSocketFunctions();
    ASSERT_NE(nullptr, system->getAddrInfo);
    const Case cases[] = {
        {system, "127.0.0.1", true, AF_INET, "127.0.0.1"},
        {system, "::1", true, AF_INET6, "::1"},
        {system, "fe80::1", true, AF_INET6, "fe80::1"},
        {system, "127.1", false, 0, ""},
        {system, "localhost", false, 0, ""},
        {system, "1.2.3.4.5", false, 0, ""},
        {system, "::ffff:999.1.1.1", false, 0, ""},
        {system, "[::1", false, 0, ""},
        {system, kLong, false, 0, ""},
        {&none, "127.0.0.1", true, AF_INET, "127.0.0.1"},
        {&none, "", true, AF_INET, "0.0.0.0"},
        {&none, "::1", false, 0, ""},
        {&none, "127.1", false, 0, ""},
        {&none, "255.255.255.255", false, 0, ""},
        {&none, "1.2.3.400", false, 0, ""},
        {&none, kLong, false, 0, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.host.substr(0, 40) + (c.functions == &none ? " (no getaddrinfo)" : ""));
        const Resolved resolved = Resolve(c.host.c_str(), 2222, *c.functions);
        ASSERT_EQ(c.ok, resolved.ok);
        if (!c.ok)
            continue;
        EXPECT_EQ(c.family, resolved.family);
        EXPECT_EQ(c.family == AF_INET ? 16 : 28, resolved.length);
        EXPECT_EQ(2222, resolved.port);
        EXPECT_EQ(c.text, resolved.text);
    }

    // An empty host is the unspecified address, of whichever family the system lists first.
    const Resolved any = Resolve("", 21, *system);
    ASSERT_TRUE(any.ok);
    EXPECT_EQ(21, any.port);
    EXPECT_TRUE(any.text == "0.0.0.0" || any.text == "::") << any.text;

    // A buffer too short for the address fails; null hosts fail.
    unsigned char small[20];
    int length = sizeof(small);
    EXPECT_FALSE(ResolveNumericHost("::1", 1, small, &length));
    EXPECT_TRUE(ResolveNumericHost("10.0.0.1", 1, small, &length));
    EXPECT_EQ(16, length);
    length = 15;
    EXPECT_FALSE(ResolveNumericHost("10.0.0.1", 1, small, &length, none));
    EXPECT_FALSE(ResolveNumericHost(nullptr, 1, nullptr, nullptr));
    EXPECT_FALSE(ResolveNumericHost(nullptr, 1, nullptr, nullptr, none));
}

TEST(AddressFunctions, FactoriesPickTheClassOrReturnNull)
{
    struct Case
    {
        std::string host;
        int family; // 0: no address
    };
    const Case cases[] = {
        {"10.0.0.1", AF_INET}, {"::1", AF_INET6},       {"127.1", 0}, {"localhost", 0}, {"[::1", 0},
        {"1.2.3.4.5", 0},      {"::ffff:999.1.1.1", 0}, {kLong, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.host.substr(0, 40));
        IInternetAddress* address = CreateAddressFromNumericHost(c.host.c_str(), 8080);
        ASSERT_EQ(c.family != 0, address != nullptr);
        if (!address)
            continue;
        EXPECT_EQ(c.family, address->GetFamily());
        EXPECT_EQ(8080, address->GetPort());
        EXPECT_EQ(0u, address->Release()); // the caller held the only reference
    }
    EXPECT_EQ(nullptr, CreateAddressFromNumericHost(nullptr, 1));

    sockaddr other = {};
    other.sa_family = AF_UNIX;
    EXPECT_EQ(nullptr, CreateAddressFromSockAddr(&other, sizeof(other)));
    EXPECT_EQ(nullptr, CreateAddressFromSockAddr(nullptr, 0));
    sockaddr_in in4 = {};
    in4.sin_family = AF_INET;
    in4.sin_port = htons(1);
    IInternetAddress* address = CreateAddressFromSockAddr(reinterpret_cast<sockaddr*>(&in4), sizeof(in4));
    ASSERT_NE(nullptr, address);
    EXPECT_TRUE(address->IsAny());
    EXPECT_EQ(1, address->GetPort());
    address->Release();
}
