// VAddressIPv4 and VAddressIPv6 through IInternetAddress: text in and out, bad input, comparison and the
// platform structures.
#include "net/VAddress.h"

#include <afxsock.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct Releaser
{
    void operator()(IInternetAddress* address) const { address->Release(); }
};
using AddressPtr = std::unique_ptr<IInternetAddress, Releaser>;

AddressPtr Make(int family)
{
    // The host starts Windows Sockets before it uses addresses; the system's conversions need it.
    EXPECT_TRUE(AfxSocketInit());
    return AddressPtr(family == AF_INET6 ? static_cast<IInternetAddress*>(new VAddressIPv6)
                                         : static_cast<IInternetAddress*>(new VAddressIPv4));
}

// An address of the family set from the text; the test fails when the text is refused.
AddressPtr Parse(int family, const char* text)
{
    AddressPtr address = Make(family);
    EXPECT_TRUE(address->SetAddressAndPort(text)) << text;
    return address;
}

std::string Text(IInternetAddress& address, bool withPort)
{
    VString text;
    return address.ToString(text, withPort).GetString();
}

const std::string kLong(10000, '1');
} // namespace

TEST(NetAddress, TextIsParsedAndFormattedByFamily)
{
    // A new address is the valid, unspecified one with port 0.
    for (int family : {AF_INET, AF_INET6})
        EXPECT_TRUE(Make(family)->IsValid() && Make(family)->IsAny() && Make(family)->GetPort() == 0);
    struct Case
    {
        int family;
        const char* text;
        const char* withPort;
        const char* withoutPort;
        bool loopback;
        bool any;
    };
    const Case cases[] = {{AF_INET, "10.0.0.1:22abc", "10.0.0.1:22", "10.0.0.1", false, false},
                          {AF_INET, "127.255.0.1", "127.255.0.1:0", "127.255.0.1", true, false},
                          {AF_INET, "128.0.0.1", "128.0.0.1:0", "128.0.0.1", false, false},
                          {AF_INET, "0.0.0.0:65535", "0.0.0.0:65535", "0.0.0.0", false, true},
                          {AF_INET6, "[fe80::1]:2222", "[fe80::1]:2222", "fe80::1", false, false},
                          {AF_INET6, "::1", "[::1]:0", "::1", true, false},
                          {AF_INET6, "::2", "[::2]:0", "::2", false, false},
                          {AF_INET6, "[::]:22", "[::]:22", "::", false, true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        AddressPtr address = Parse(c.family, c.text);
        EXPECT_EQ(c.withPort, Text(*address, true));
        EXPECT_EQ(c.withoutPort, Text(*address, false));
        EXPECT_EQ(c.loopback, address->IsLoopback());
        EXPECT_EQ(c.any, address->IsAny());
        // The stored structure holds the port in network order.
        const sockaddr* sockAddr = nullptr;
        unsigned int length = 0;
        EXPECT_TRUE(address->GetSockAddr(sockAddr, length) &&
                    reinterpret_cast<const sockaddr_in*>(sockAddr)->sin_port == htons(address->GetPort()));
    }
}

TEST(NetAddress, BadTextLeavesTheAddressInvalid)
{
    const std::string bracketed = "[" + kLong + "]:22";
    // The system's own parser refuses the rest; these concern the splitting of host and port.
    const std::vector<const char*> bad[] = {
        {"", "255.255.255.255", "10.0.0.1:", "10.0.0.1:65536", "10.0.0.1:x22", "[::1", kLong.c_str()},
        {"", "[::1", "::1]", "]::1[:22", "x[::1]:22", "[::1]:65536", "[::1]:", "10.0.0.1", kLong.c_str(),
         bracketed.c_str()}};
    for (int family : {AF_INET, AF_INET6})
    {
        for (const char* text : bad[family == AF_INET6])
        {
            SCOPED_TRACE(std::string(text).substr(0, 40));
            AddressPtr address = Make(family);
            EXPECT_FALSE(address->SetAddressAndPort(text));
            EXPECT_FALSE(address->IsValid() || address->IsAny());
            EXPECT_EQ("", Text(*address, true));
        }
    }
    // A failed setter leaves a valid address invalid, but keeps the port it was given.
    AddressPtr address = Parse(AF_INET, "10.0.0.1:22");
    EXPECT_FALSE(address->SetAddress("10.0.0.300", 23));
    EXPECT_FALSE(address->IsValid());
    EXPECT_EQ(23, address->GetPort());
}

TEST(NetAddress, ComparisonAndSubnets)
{
    struct Case
    {
        int family;
        const char* a;
        const char* b;
        bool equal;
        unsigned int bits;
        bool inSubnet;
    };
    const Case cases[] = {{AF_INET, "10.0.0.1:0", "10.0.0.1:22", true, 32, true},
                          {AF_INET, "10.0.0.1:21", "10.0.0.1:22", false, 32, false},
                          {AF_INET, "192.168.1.7", "192.168.1.200", false, 24, true},
                          {AF_INET, "192.168.1.7", "192.168.1.200", false, 25, false},
                          {AF_INET, "192.168.1.7:21", "192.168.1.8:22", false, 24, false},
                          {AF_INET6, "[fe80::1]:0", "[fe80::1]:22", true, 128, true},
                          {AF_INET6, "fe80::1", "fe80::2", false, 126, true},
                          {AF_INET6, "fe80::1", "fe80::2", false, 127, false},
                          {AF_INET6, "fe80::1", "2001:db8::1", false, 0, true},
                          {AF_INET6, "fe80::1", "fe81::1", false, 15, true},
                          {AF_INET6, "fe80::1", "fe81::1", false, 16, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.a) + " " + c.b + " /" + std::to_string(c.bits));
        AddressPtr a = Parse(c.family, c.a);
        AddressPtr b = Parse(c.family, c.b);
        EXPECT_EQ(c.equal, a->IsEqual(b.get()));
        EXPECT_EQ(c.equal, b->IsEqual(a.get()));
        EXPECT_EQ(c.inSubnet, a->IsInSubnet(b.get(), c.bits));
    }

    // Different classes and invalid addresses never match.
    AddressPtr v4 = Parse(AF_INET, "0.0.0.0");
    AddressPtr v6 = Parse(AF_INET6, "::");
    AddressPtr invalid = Make(AF_INET);
    invalid->SetAddress("x", 0);
    EXPECT_FALSE(v4->IsEqual(v6.get()) || v6->IsEqual(v4.get()) || v4->IsInSubnet(v6.get(), 0) ||
                 invalid->IsEqual(invalid.get()) || v4->IsEqual(invalid.get()) ||
                 invalid->IsInSubnet(v4.get(), 0));
}

TEST(NetAddress, PlatformStructuresOfTheClassFamilyAreTaken)
{
    // IPv6 keeps the whole structure, flow information and scope included; IPv4 refuses it.
    AddressPtr v4 = Make(AF_INET);
    AddressPtr v6 = Make(AF_INET6);
    sockaddr_in6 in6 = {};
    in6.sin6_family = AF_INET6;
    in6.sin6_flowinfo = 5;
    in6.sin6_scope_id = 3;
    EXPECT_FALSE(v4->SetSockAddr(reinterpret_cast<sockaddr*>(&in6), sizeof(in6)));
    ASSERT_TRUE(v6->SetSockAddr(reinterpret_cast<sockaddr*>(&in6), sizeof(in6)));
    const sockaddr* stored = nullptr;
    unsigned int length = 0;
    ASSERT_TRUE(v6->GetSockAddr(stored, length) && length == sizeof(in6));
    EXPECT_EQ(0, std::memcmp(stored, &in6, sizeof(in6)));

    // Host entries: every entry up to the index must be there; IPv6 takes none.
    char first[4] = {10, 0, 0, 1};
    char second[4] = {10, 0, 0, 2};
    char* list[] = {first, second, nullptr};
    hostent entry = {};
    entry.h_addrtype = AF_INET;
    entry.h_length = 4;
    entry.h_addr_list = list;
    ASSERT_TRUE(v4->SetHostEnt(&entry, 1, 8080));
    EXPECT_EQ("10.0.0.2:8080", Text(*v4, true));
    EXPECT_FALSE(v4->SetHostEnt(&entry, 2, 1) || v4->SetHostEnt(&entry, -1, 1) ||
                 v6->SetHostEnt(&entry, 0, 1));
}
