// Fuzzing of what the certificate code parses and encodes itself: the subject check and the name conversion
// fed random names, and the request and PKCS#12 encoders fed random keys and names. What they produce is read
// back by the platform (CryptDecodeObjectEx, the signature check, PFXImportCertStore) and must give back what
// went in. Inputs come from a fixed seed, so a failure reproduces from its round.
#include "certificates/VCapiCertificateName.h"
#include "certificates/detail/Pkcs12Writer.h"
#include "certificates/detail/RequestSigner.h"
#include "fuzz/FuzzSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace pardalin::detail;

namespace
{
using fuzz::Random;
using Bytes = std::vector<BYTE>;

// The fields in the order the name is built, and each one's key by field index.
constexpr int kOrder[] = {0, 1, 2, 5, 3, 4, 6};
const wchar_t* const kKeys[] = {L"CN", L"O", L"OU", L"L", L"S", L"C", L"E"};

// Plain values (letters and digits) every attribute takes as they are; wild ones hold separators, quotes,
// escapes, white space, text outside Latin-1 and a lone surrogate.
std::wstring RandomValue(Random& random, bool plain)
{
    static const wchar_t letters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static const wchar_t wild[] = L"ab;;\"\"=,+<>#\\ \t\r\n.-'\u00E9\u0416\u4E2D\xD83D\xDE00\xDC00\x7F\x01";
    std::wstring value;
    for (std::uint32_t length = 1 + random.Below(random.Chance(3) ? 2000 : 20); length > 0; --length)
        value += plain ? random.Pick(letters) : random.Pick(wild);
    return value;
}

// Whether a ";" stands outside double quotes. The text is cut at every quote: the pieces at even places
// stand outside, and so does the last piece when a quote is left without a partner.
bool SeparatorOutsideQuotes(const std::wstring& value)
{
    std::vector<std::wstring> pieces(1);
    for (wchar_t c : value)
        c == L'"' ? pieces.emplace_back() : pieces.back() += c;
    for (size_t i = 0; i < pieces.size(); ++i)
        if ((i % 2 == 0 || (pieces.size() % 2 == 0 && i + 1 == pieces.size())) &&
            pieces[i].find(L';') != std::wstring::npos)
            return true;
    return false;
}

Bytes ExportPrivateKey(HCRYPTKEY key)
{
    Bytes blob(8192);
    DWORD size = static_cast<DWORD>(blob.size());
    blob.resize(CryptExportKey(key, 0, PRIVATEKEYBLOB, 0, blob.data(), &size) ? size : 0);
    return blob;
}

// Whether every number of a PRIVATEKEYBLOB fills its field (a top byte that is not zero): the platform's
// import misplaces a shorter one, which DER writes without its leading zero.
bool NumbersFillTheirFields(const Bytes& blob)
{
    const size_t full =
        blob.empty() ? 0 : reinterpret_cast<const RSAPUBKEY*>(&blob[sizeof(BLOBHEADER)])->bitlen / 8;
    size_t offset = sizeof(BLOBHEADER) + sizeof(RSAPUBKEY);
    for (size_t length : {full, full / 2, full / 2, full / 2, full / 2, full / 2, full})
        if (full == 0 || (offset += length) > blob.size() || blob[offset - 1] == 0)
            return false;
    return true;
}
} // namespace

TEST(CertificateFuzz, SubjectNamesFollowTheQuoteCheckAndDecode)
{
    static std::vector<wchar_t> decoded(1 << 16);
    // One object for every round: a failure must not leave its status or field to the next encoding.
    VCapiCertificateName name;
    fuzz::ForEachRound(
        0xCE47A11E, 1000,
        [&](Random& random)
        {
            std::wstring values[7];
            std::wstring expected; // the platform's reading of a name of plain values
            bool plain = true;
            int separatorField = VCapiCertificateName::NoField;
            for (int field : kOrder)
            {
                const std::uint32_t kind = random.Below(10);
                values[field] = kind < 3 ? L"" : RandomValue(random, kind < 7);
                plain = plain && kind < 7;
                if (separatorField == VCapiCertificateName::NoField && SeparatorOutsideQuotes(values[field]))
                    separatorField = field;
                name.SetField(field, values[field].c_str());
                if (!values[field].empty())
                    expected +=
                        (expected.empty() ? L"" : L"; ") + std::wstring(kKeys[field]) + L"=" + values[field];
            }
            const CERT_NAME_BLOB* encoded = name.Encode();
            const DWORD status = name.GetStatus().GetMessageId();
            const int failed = name.GetFailedField();
            if (separatorField != VCapiCertificateName::NoField || !encoded)
            {
                // Refused by the check, naming the first culprit in building order; or by the conversion,
                // which takes every plain name and names a field that was set, if any.
                ASSERT_EQ(nullptr, encoded);
                EXPECT_TRUE(separatorField == VCapiCertificateName::NoField
                                ? !plain && (failed < 0 || !values[failed].empty())
                                : failed == separatorField);
                EXPECT_TRUE(status == static_cast<DWORD>(CRYPT_E_INVALID_X500_STRING) ||
                            (status != 0 && failed < 0));
                return;
            }
            EXPECT_EQ(0u, status);
            EXPECT_EQ(VCapiCertificateName::NoField, failed);
            // Every name made reads back; one of plain values gives back each value, in building order.
            CertNameToStrW(X509_ASN_ENCODING, const_cast<CERT_NAME_BLOB*>(encoded),
                           CERT_X500_NAME_STR | CERT_NAME_STR_SEMICOLON_FLAG, decoded.data(),
                           static_cast<DWORD>(decoded.size()));
            EXPECT_TRUE(plain ? expected == decoded.data() : decoded[0] != 0 || encoded->cbData == 2);
        });
}

// Each round makes a key, so a round weighs about what a thousand rounds of the names do.
TEST(CertificateFuzz, RequestsAndPfxFilesFromRandomKeysReadBack)
{
    Random random(0x9F12C0DE);
    for (unsigned long round = 0, rounds = std::max(1ul, fuzz::Rounds(3000) / 1000);
         round < rounds && !HasFailure(); ++round)
    {
        // RSA keys of 512 to 1024 bits in steps of 16: the platform's import takes no key whose halves are
        // not whole bytes (the certificate writer's check has openssl read one).
        const DWORD bits = 512 + 16 * random.Below(33);
        SCOPED_TRACE("round " + std::to_string(round) + ", a key of " + std::to_string(bits) + " bits");
        HCRYPTPROV provider = 0;
        ASSERT_TRUE(CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT));
        Bytes privateKey;
        for (int attempt = 0; attempt < 20 && !NumbersFillTheirFields(privateKey); ++attempt)
        {
            HCRYPTKEY key = 0;
            ASSERT_TRUE(CryptGenKey(provider, AT_KEYEXCHANGE, (bits << 16) | CRYPT_EXPORTABLE, &key));
            privateKey = ExportPrivateKey(key);
            CryptDestroyKey(key);
        }
        alignas(CERT_PUBLIC_KEY_INFO) BYTE keyBuffer[2048];
        DWORD size = sizeof keyBuffer;
        auto* publicKey = reinterpret_cast<CERT_PUBLIC_KEY_INFO*>(keyBuffer);
        ASSERT_TRUE(CryptExportPublicKeyInfo(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING, publicKey, &size));
        VCapiCertificateName subject;
        for (int field = 0; field < 7; ++field)
            subject.SetField(field,
                             field == 0 || random.Chance(30) ? RandomValue(random, true).c_str() : L"");
        const CERT_NAME_BLOB name = *subject.Encode();

        // The request signs over the library's own encoding; the platform reads it and checks the signature.
        CERT_REQUEST_INFO requestInfo{CERT_REQUEST_V1, name, *publicKey, 0, nullptr};
        CRYPT_ALGORITHM_IDENTIFIER md5Rsa{const_cast<LPSTR>(szOID_RSA_MD5RSA), {}};
        DerBytes request;
        ASSERT_TRUE(SignRequest(provider, AT_KEYEXCHANGE, requestInfo, md5Rsa, request)) << GetLastError();
        EXPECT_TRUE(CryptVerifyCertificateSignature(0, X509_ASN_ENCODING, request.data(),
                                                    static_cast<DWORD>(request.size()), publicKey));

        // A self-signed certificate, written with its key as PKCS#12.
        CERT_INFO info{};
        info.dwVersion = CERT_V3;
        info.SerialNumber = {sizeof bits, reinterpret_cast<BYTE*>(const_cast<DWORD*>(&bits))};
        info.SignatureAlgorithm = md5Rsa;
        info.Issuer = info.Subject = name;
        info.NotAfter = {0, 0x2000000};
        info.SubjectPublicKeyInfo = *publicKey;
        Bytes certificate(1 << 16); // the name's seven values of up to 2000 characters, twice
        size = static_cast<DWORD>(certificate.size());
        ASSERT_TRUE(CryptSignAndEncodeCertificate(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING,
                                                  X509_CERT_TO_BE_SIGNED, &info, &md5Rsa, nullptr,
                                                  certificate.data(), &size));
        certificate.resize(size);
        PCCERT_CONTEXT context = CertCreateCertificateContext(X509_ASN_ENCODING, certificate.data(), size);
        DerBytes pfx;
        EXPECT_TRUE(WritePkcs12(provider, context, pfx)) << GetLastError();
        CertFreeCertificateContext(context);
        CryptReleaseContext(provider, 0);

        // The platform's import gives the certificate back, alone, with the key it was made for. Its import
        // does not take the CRT exponents as written (swapped ones go unseen here): openssl's check reads
        // those.
        CRYPT_DATA_BLOB blob{static_cast<DWORD>(pfx.size()), pfx.data()};
        HCERTSTORE store = PFXImportCertStore(&blob, nullptr, CRYPT_EXPORTABLE);
        ASSERT_NE(nullptr, store) << std::hex << GetLastError();
        PCCERT_CONTEXT imported = CertEnumCertificatesInStore(store, nullptr);
        ASSERT_NE(nullptr, imported);
        EXPECT_EQ(certificate,
                  Bytes(imported->pbCertEncoded, imported->pbCertEncoded + imported->cbCertEncoded));
        alignas(CRYPT_KEY_PROV_INFO) BYTE keyInfoBuffer[1024];
        DWORD keyInfoSize = sizeof keyInfoBuffer;
        const auto* keyInfo = reinterpret_cast<const CRYPT_KEY_PROV_INFO*>(keyInfoBuffer);
        HCRYPTPROV importedProvider = 0;
        HCRYPTKEY importedKey = 0;
        ASSERT_TRUE(CertGetCertificateContextProperty(imported, CERT_KEY_PROV_INFO_PROP_ID, keyInfoBuffer,
                                                      &keyInfoSize));
        EXPECT_TRUE(CryptAcquireContextW(&importedProvider, keyInfo->pwszContainerName, keyInfo->pwszProvName,
                                         keyInfo->dwProvType, 0) &&
                    CryptGetUserKey(importedProvider, AT_KEYEXCHANGE, &importedKey));
        // The numbers after the blob's header: the algorithm in the header says how the key may be used.
        const Bytes importedPrivateKey = ExportPrivateKey(importedKey);
        EXPECT_TRUE(importedPrivateKey.size() == privateKey.size() &&
                    std::equal(privateKey.begin() + sizeof(BLOBHEADER), privateKey.end(),
                               importedPrivateKey.begin() + sizeof(BLOBHEADER)));
        EXPECT_EQ(nullptr, CertEnumCertificatesInStore(store, imported));
        CryptDestroyKey(importedKey);
        CryptReleaseContext(importedProvider, 0);
        CryptAcquireContextW(&importedProvider, keyInfo->pwszContainerName, keyInfo->pwszProvName,
                             keyInfo->dwProvType, CRYPT_DELETEKEYSET);
        CertCloseStore(store, 0);
    }
}
