// The library's own encoders (certification-request information, the PKCS#12 key derivation) against bytes
// from independent implementations (openssl asn1parse and kdf).
#include "certificates/detail/DerEncoder.h"
#include "certificates/detail/Pkcs12Writer.h"

#include <gtest/gtest.h>

#include <string>

using namespace pardalin::detail;

namespace
{
std::string HexOf(const DerBytes& bytes)
{
    std::string hex;
    for (BYTE b : bytes)
        hex += "0123456789ABCDEF"[b >> 4], hex += "0123456789ABCDEF"[b & 0xF];
    return hex;
}
} // namespace

TEST(InternalDerEncoder, ObjectIdentifiers)
{
    // "dotted content"; no content: refused.
    const std::string cases[] = {"1.2.840.113549.1.1.1 2A864886F70D010101",
                                 "2.5.29.37 551D25",
                                 "2.999.3 883703",
                                 "0.39 27",
                                 "1.2.18446744073709551615 2A81FFFFFFFFFFFFFFFF7F",
                                 "1.2.18446744073709551616",
                                 "",
                                 "1",
                                 "1.",
                                 "1..2",
                                 "3.1",
                                 "1.40",
                                 "1.2.x",
                                 "1.2a"};
    for (const std::string& c : cases)
    {
        const std::string dotted = c.substr(0, c.find(' '));
        const std::string expected = c.find(' ') == std::string::npos ? "" : c.substr(c.find(' ') + 1);
        DerBytes content{0xEE};
        EXPECT_EQ(EncodeObjectIdentifier(dotted.c_str(), content), !expected.empty()) << c;
        EXPECT_EQ(HexOf(content), expected) << c;
    }
    DerBytes content;
    EXPECT_FALSE(EncodeObjectIdentifier(nullptr, content));
}

TEST(InternalDerEncoder, RequestInformation)
{
    // CN=a (UTF8String); an RSA key with the toy modulus 15 and exponent 3.
    BYTE name[] = {0x30, 0x0C, 0x31, 0x0A, 0x30, 0x08, 0x06, 0x03, 0x55, 0x04, 0x03, 0x0C, 0x01, 0x61};
    BYTE keyBits[] = {0x30, 0x06, 0x02, 0x01, 0x0F, 0x02, 0x01, 0x03};
    BYTE nullParameters[] = {0x05, 0x00};
    CERT_PUBLIC_KEY_INFO key{{const_cast<LPSTR>("1.2.840.113549.1.1.1"), {2, nullParameters}},
                             {8, keyBits, 0}};
    DerBytes info{0xEE};
    ASSERT_TRUE(EncodeRequestInfo({sizeof name, name}, key, info));
    EXPECT_EQ(HexOf(info),
              "302F020100300C310A300806035504030C0161301A300D06092A864886F70D0101010500030900300602"
              "010F020103A000");
    key.Algorithm.pszObjId = const_cast<LPSTR>("rsa");
    EXPECT_FALSE(EncodeRequestInfo({sizeof name, name}, key, info));
}

TEST(InternalPkcs12, KeyDerivationMatchesAnIndependentImplementation)
{
    HCRYPTPROV provider = 0;
    ASSERT_TRUE(CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT));
    DerBytes longPassword;
    for (int i = 0; i < 35; ++i)
        longPassword.insert(longPassword.end(), {0, 'a'});
    longPassword.insert(longPassword.end(), {0, 0});
    const DerBytes salt{1, 2, 3, 4, 5, 6, 7, 8};
    // id, password, iterations, expected (openssl kdf ... PKCS12KDF)
    const struct
    {
        BYTE id;
        DerBytes password;
        DWORD iterations;
        std::string expected;
    } cases[] = {
        {1, {0, 0}, 2000, "6869FA0A35ADD74B2222078E40CE11CD57F407071DAC8B24"},
        {3, {}, 3, "4B659CF5A0B9E0C5973C14CAAFF8EE17E9DEDD25"},
        {2, longPassword, 1,
         "82306A9BA915750F857AA82F5FC73D4B9EE150716CCE0D2E675FD6C25BD9D0BF9529AB4690DA672CE0B1FBDB2C"}};
    for (const auto& c : cases)
    {
        DerBytes key;
        ASSERT_TRUE(
            DerivePkcs12Key(provider, c.id, c.password, salt, c.iterations, c.expected.size() / 2, key));
        EXPECT_EQ(HexOf(key), c.expected) << int{c.id};
    }
    CryptReleaseContext(provider, 0);
}
