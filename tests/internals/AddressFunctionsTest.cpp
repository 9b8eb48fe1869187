// The address functions behind the socket: the numeric resolver with and without the system's getaddrinfo,
// and the factories. Host and port splitting is tested through SetAddressAndPort (tests/net); random text
// goes through the fuzz target.
#include "net/detail/AddressFunctions.h"

#include <afxsock.h>

#include <gtest/gtest.h>

#include <string>

using namespace pardalin::detail;

TEST(AddressFunctions, NumericResolutionWithAndWithoutGetaddrinfo)
{
    ASSERT_TRUE(AfxSocketInit());
    const SocketFunctions none = {};
    const SocketFunctions& system = LoadedSocketFunctions();
    ASSERT_NE(nullptr, system.getAddrInfo);
    struct Case
    {
        const SocketFunctions& functions;
        const char* host;
        int family; // 0: refused
    };
    const Case cases[] = {{system, "127.0.0.1", AF_INET},
                          {system, "::1", AF_INET6},
                          {system, "127.1", 0},
                          {system, "localhost", 0},
                          {none, "127.0.0.1", AF_INET},
                          {none, "", AF_INET},
                          {none, "::1", 0},
                          {none, "255.255.255.255", 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.host) + (&c.functions == &none ? " (no getaddrinfo)" : ""));
        sockaddr_in6 buffer[4] = {};
        int length = sizeof(buffer);
        ASSERT_EQ(c.family != 0, ResolveNumericHost(c.host, 2222, buffer, &length, c.functions));
        if (c.family == 0)
            continue;
        EXPECT_EQ(c.family, buffer[0].sin6_family);
        EXPECT_EQ(c.family == AF_INET ? 16 : 28, length);
        EXPECT_EQ(htons(2222), buffer[0].sin6_port); // the same place in both families' structures
    }

    // A buffer too short for the address fails.
    unsigned char small[20];
    int length = sizeof(small);
    EXPECT_FALSE(ResolveNumericHost("::1", 1, small, &length));
    EXPECT_TRUE(ResolveNumericHost("10.0.0.1", 1, small, &length));
    length = 15;
    EXPECT_FALSE(ResolveNumericHost("10.0.0.1", 1, small, &length, none));
}

TEST(AddressFunctions, FactoriesRefuseWhatTheyCannotMake)
{
    // Random hosts go through the fuzz target; an empty host is the unspecified address, of whichever family
    // the system lists first, and the caller holds its only reference.
    ASSERT_TRUE(AfxSocketInit());
    IInternetAddress* any = CreateAddressFromNumericHost("", 21);
    ASSERT_NE(nullptr, any);
    EXPECT_TRUE(any->IsAny() && any->GetPort() == 21);
    EXPECT_EQ(0u, any->Release());
    sockaddr other = {};
    other.sa_family = AF_UNIX;
    EXPECT_TRUE(CreateAddressFromNumericHost(nullptr, 1) == nullptr &&
                CreateAddressFromSockAddr(&other, sizeof(other)) == nullptr);
}
