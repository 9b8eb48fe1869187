// VCapiCertificateName: the order of the encoded attributes, the quote-aware separator check, and how a
// rejected name names its field.
#include "certificates/VCapiCertificateName.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
// The name read back by the platform's decoder.
std::wstring Decoded(const CERT_NAME_BLOB& name)
{
    wchar_t text[256];
    CertNameToStrW(X509_ASN_ENCODING, const_cast<CERT_NAME_BLOB*>(&name),
                   CERT_X500_NAME_STR | CERT_NAME_STR_SEMICOLON_FLAG, text, 256);
    return text;
}

// What the platform's own parser says about a name string.
DWORD PlatformError(const wchar_t* text)
{
    DWORD size = 0;
    CertStrToNameW(X509_ASN_ENCODING, text, CERT_X500_NAME_STR | CERT_NAME_STR_SEMICOLON_FLAG, nullptr,
                   nullptr, &size, nullptr);
    return GetLastError();
}
} // namespace

TEST(CertificateName, OrderSeparatorsAndFailedFields)
{
    constexpr int CN = 0, O = 1, OU = 2, L = 3, S = 4, C = 5, E = 6;
    const DWORD invalid = static_cast<DWORD>(CRYPT_E_INVALID_X500_STRING);
    const struct
    {
        std::vector<std::pair<int, const wchar_t*>> fields;
        std::wstring decoded; // empty: refused
        DWORD status;
        int failedField;
    } cases[] = {
        {{{CN, L"host"}}, L"CN=host", 0, -1},
        {{{E, L"a@b.c"}, {C, L"US"}, {CN, L"host"}}, L"CN=host; C=US; E=a@b.c", 0, -1},
        {{{E, L"e@x.org"}, {C, L"DE"}, {S, L"BY"}, {L, L"Munich"}, {OU, L"Ops"}, {O, L"Org"}, {CN, L"cn"}},
         L"CN=cn; O=Org; OU=Ops; C=DE; L=Munich; S=BY; E=e@x.org",
         0,
         -1},
        // Empty fields and indexes outside 0..6 leave nothing behind.
        {{{O, L""}, {7, L"x"}, {-1, L"y"}, {CN, L"only"}}, L"CN=only", 0, -1},
        {{{O, L"\"A;B\""}, {CN, L"h"}}, L"CN=h; O=\"A;B\"", 0, -1},
        // White space after the last closing quote: dropped, as the parser drops it anyway.
        {{{CN, L"h"}, {E, L"\"a@b.c\" \r\n"}}, L"CN=h; E=a@b.c", 0, -1},
        {{{CN, L"a;b"}}, L"", invalid, CN},
        {{{CN, L"ok"}, {L, L"\"x\";y"}}, L"", invalid, L},
        {{{CN, L"ok"}, {E, L"\"a\"b\";c"}}, L"", invalid, E},
        // The check passes; the platform's parser finds the open quote and says where.
        {{{CN, L"ok"}, {OU, L"\"open"}}, L"", invalid, OU},
        // String types that cannot hold such characters: the parser's own error, no position used.
        {{{CN, L"ok"}, {C, L"\u0416\u4E2D"}}, L"", PlatformError(L"CN=ok;C=\u0416\u4E2D"), -1},
        {{{CN, L"ok"}, {E, L"\u0416@x"}}, L"", PlatformError(L"CN=ok;E=\u0416@x"), -1},
    };
    VCapiCertificateName reused;
    for (const auto& c : cases)
    {
        VCapiCertificateName name;
        for (const auto& [index, value] : c.fields)
            name.SetField(index, value), reused.SetField(index, value);
        for (VCapiCertificateName* subject : {&name, &reused})
        {
            const CERT_NAME_BLOB* encoded = subject->Encode();
            EXPECT_EQ(encoded ? Decoded(*encoded) : L"", c.decoded);
            EXPECT_EQ(subject->GetStatus().GetMessageId(), c.status) << c.decoded;
            EXPECT_EQ(subject->GetFailedField(), c.failedField) << c.decoded;
        }
        for (const auto& [index, value] : c.fields)
            reused.SetField(index, L"");
    }
}
