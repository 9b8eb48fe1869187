// The address functions behind the socket: the numeric resolver with and without the system's getaddrinfo,
// and the factories. Host and port splitting is tested through SetAddressAndPort (tests/net).
#include "net/detail/AddressFunctions.h"

#include <afxsock.h>

#include <gtest/gtest.h>

#include <string>

using namespace pardalin::detail;

TEST(AddressFunctions, NumericResolutionAndTheFactories)
{
    ASSERT_TRUE(AfxSocketInit());
    const SocketFunctions none = {};
    const SocketFunctions& system = LoadedSocketFunctions();
    ASSERT_NE(nullptr, system.getAddrInfo);
    const std::string longHost(10000, '1');
    struct Case
    {
        const SocketFunctions& functions;
        std::string host;
        int family; // 0: refused
    };
    const Case cases[] = {{system, "127.0.0.1", AF_INET},
                          {system, "::1", AF_INET6},
                          {system, "127.1", 0},
                          {system, "localhost", 0},
                          {system, "1.2.3.4.5", 0},
                          {system, "::ffff:999.1.1.1", 0},
                          {system, "[::1", 0},
                          {system, longHost, 0},
                          {none, "127.0.0.1", AF_INET},
                          {none, "", AF_INET},
                          {none, "::1", 0},
                          {none, "127.1", 0},
                          {none, "255.255.255.255", 0},
                          {none, "1.2.3.400", 0},
                          {none, longHost, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.host.substr(0, 40) + (&c.functions == &none ? " (no getaddrinfo)" : ""));
        sockaddr_in6 buffer[4] = {};
        int length = sizeof(buffer);
        ASSERT_EQ(c.family != 0, ResolveNumericHost(c.host.c_str(), 2222, buffer, &length, c.functions));
        EXPECT_EQ(c.family != 0, ResolveNumericHost(c.host.c_str(), 2222, nullptr, nullptr, c.functions));
        if (c.family == 0)
            continue;
        EXPECT_EQ(c.family, buffer[0].sin6_family);
        EXPECT_EQ(c.family == AF_INET ? 16 : 28, length);
        EXPECT_EQ(htons(2222), buffer[0].sin6_port); // the same place in both families' structures
        if (&c.functions != &system)
            continue;
        IInternetAddress* address = CreateAddressFromNumericHost(c.host.c_str(), 8080);
        ASSERT_NE(nullptr, address);
        EXPECT_EQ(c.family, address->GetFamily());
        EXPECT_EQ(8080, address->GetPort());
        EXPECT_EQ(0u, address->Release()); // the caller held the only reference
    }

    // An empty host is the unspecified address, of whichever family the system lists first.
    IInternetAddress* any = CreateAddressFromNumericHost("", 21);
    ASSERT_NE(nullptr, any);
    EXPECT_TRUE(any->IsAny());
    EXPECT_EQ(21, any->GetPort());
    any->Release();

    // Refused hosts make no address; a buffer too short for the address fails.
    for (const char* host : {"127.1", "localhost", "[::1", "1.2.3.4.5", "::ffff:999.1.1.1", longHost.c_str()})
        EXPECT_EQ(nullptr, CreateAddressFromNumericHost(host, 1)) << host;
    EXPECT_EQ(nullptr, CreateAddressFromNumericHost(nullptr, 1));
    unsigned char small[20];
    int length = sizeof(small);
    EXPECT_FALSE(ResolveNumericHost("::1", 1, small, &length));
    EXPECT_TRUE(ResolveNumericHost("10.0.0.1", 1, small, &length));
    length = 15;
    EXPECT_FALSE(ResolveNumericHost("10.0.0.1", 1, small, &length, none));

    sockaddr other = {};
    other.sa_family = AF_UNIX;
    EXPECT_EQ(nullptr, CreateAddressFromSockAddr(&other, sizeof(other)));
}
