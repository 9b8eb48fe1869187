// Fuzzing of the host and port splitter and the numeric resolver. Random and mutated texts must be handled
// without crashing, and whatever is accepted must be consistent: the host is the text's own, a resolved
// address carries the port and reads back as the same address, and the fallback accepts dotted quads only.
// Inputs come from a fixed seed, so a failure reproduces from its round.
#include "net/detail/AddressFunctions.h"
#include "fuzz/FuzzSupport.h"

#include <afxsock.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace pardalin::detail;

namespace
{
using fuzz::Random;

const char kInteresting[] = {'0', '1', '9', 'f', ':', '.', '[', ']', '%', ' ', 'x', '\xFF', '-', '+'};

std::string RandomText(Random& random)
{
    static const char* const seeds[] = {
        "10.0.0.1:22",   "[fe80::1]:2222", "fe80::1",         "[::1]", "127.0.0.1",     "::ffff:1.2.3.4",
        "255.255.255.0", "1.2.3.4.5",      "[2001:db8::1]:0", "::",    "0.0.0.0:65535", ""};
    if (random.Chance(70))
        return fuzz::Mutate(random, seeds[random.Below(sizeof(seeds) / sizeof(seeds[0]))], kInteresting, 4,
                            3);
    return fuzz::WeightedBytes(random, random.Chance(2) ? 3000 : 40, kInteresting, 100, 0);
}

void CheckSplit(const std::string& bytes)
{
    // A flipped bit may make a NUL: the functions see the text up to it.
    const std::string text(bytes.c_str());
    std::string host;
    unsigned short port = 0;
    if (!SplitHostAndPort(text.c_str(), host, port))
        return;
    ASSERT_NE(std::string::npos, text.find(host));
    EXPECT_TRUE(text.find(':') != std::string::npos || (text == host && port == 0));
    // A bracketed host is exactly what stands between the first "[" and the last "]".
    const bool bracketed = !text.empty() && text[0] == '[' && text.find(':') != text.rfind(':');
    EXPECT_TRUE(!bracketed || text.substr(1, text.rfind(']') - 1) == host) << host;
    EXPECT_TRUE(port == 0 || text.find(std::to_string(port)) != std::string::npos) << port;
}

void CheckResolve(const std::string& bytes, unsigned short port)
{
    const std::string host(bytes.c_str());
    alignas(sockaddr_in6) unsigned char buffer[128] = {};
    int length = sizeof(buffer);
    const bool ok = ResolveNumericHost(host.c_str(), port, buffer, &length);
    ASSERT_EQ(ok, ResolveNumericHost(host.c_str(), port, nullptr, nullptr));
    IInternetAddress* address = CreateAddressFromNumericHost(host.c_str(), port);
    ASSERT_EQ(ok, address != nullptr);

    const SocketFunctions none = {};
    EXPECT_TRUE(!ResolveNumericHost(host.c_str(), port, buffer, &length, none) || host.empty() ||
                IsDottedQuad(host.c_str()));
    if (!address)
        return;

    // What was accepted carries the port and reads back, from its own text, as the same address.
    EXPECT_EQ(port, address->GetPort());
    EXPECT_TRUE(host.empty() || address->GetFamily() != AF_INET || IsDottedQuad(host.c_str()));
    VString text;
    address->ToString(text, false);
    IInternetAddress* again = CreateAddressFromNumericHost(text.GetString(), port);
    ASSERT_NE(nullptr, again) << text.GetString();
    EXPECT_TRUE(address->IsEqual(again)) << host << " -> " << text.GetString();
    again->Release();
    address->Release();
}
} // namespace

TEST(AddressFuzz, SplitterAndResolverTakeAnyText)
{
    ASSERT_TRUE(AfxSocketInit());
    fuzz::ForEachRound(0x5EED0A11, 1500,
                       [](Random& random)
                       {
                           const std::string text = RandomText(random);
                           CheckSplit(text);
                           CheckResolve(text, static_cast<unsigned short>(random.Next()));
                           std::string host;
                           unsigned short port = 0;
                           if (SplitHostAndPort(text.c_str(), host, port))
                               CheckResolve(host, port);
                       });
}
