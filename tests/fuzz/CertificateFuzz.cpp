// Fuzzing of what the certificate code parses and encodes itself: the subject check and the name conversion
// fed random names; the integer, object identifier and request-information encoders fed random numbers,
// identifiers and keys; requests and PFX files made from random keys and names. Whatever is produced is read
// back by the platform's decoder (CryptDecodeObjectEx, the signature check, PFXImportCertStore) and must give
// back what went in. Inputs come from a fixed seed, so a failure reproduces from its round.
#include "certificates/VCapiCertificateName.h"
#include "certificates/detail/DerEncoder.h"
#include "certificates/detail/Pkcs12Writer.h"
#include "certificates/detail/RequestSigner.h"
#include "fuzz/FuzzSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace pardalin::detail;

namespace
{
using fuzz::Random;
using fuzz::Rounds;

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

// The fields in the order the name is built, with the attribute each becomes.
const struct
{
    int field;
    const char* oid;
} kOrder[] = {{VCapiCertificateName::CommonName, szOID_COMMON_NAME},
              {VCapiCertificateName::Organization, szOID_ORGANIZATION_NAME},
              {VCapiCertificateName::OrganizationalUnit, szOID_ORGANIZATIONAL_UNIT_NAME},
              {VCapiCertificateName::Country, szOID_COUNTRY_NAME},
              {VCapiCertificateName::Locality, szOID_LOCALITY_NAME},
              {VCapiCertificateName::StateOrProvince, szOID_STATE_OR_PROVINCE_NAME},
              {VCapiCertificateName::Email, szOID_RSA_emailAddr}};

struct LocalFreer
{
    void operator()(void* memory) const { LocalFree(memory); }
};
template <class T> using Decoded = std::unique_ptr<T, LocalFreer>;

template <class T> Decoded<T> Decode(LPCSTR structType, const BYTE* bytes, size_t size)
{
    void* out = nullptr;
    DWORD outSize = 0;
    if (!CryptDecodeObjectEx(kEncoding, structType, bytes, static_cast<DWORD>(size), CRYPT_DECODE_ALLOC_FLAG,
                             nullptr, &out, &outSize))
        return nullptr;
    return Decoded<T>(static_cast<T*>(out));
}

// A plain value: letters, digits and single inner spaces, which every attribute takes as it is.
std::wstring PlainValue(Random& random)
{
    static const wchar_t alphabet[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::wstring value(1, random.Pick(alphabet));
    for (std::uint32_t length = random.Below(random.Chance(3) ? 400 : 24); length > 0; --length)
        value += value.back() != L' ' && random.Chance(10) ? L' ' : random.Pick(alphabet);
    if (value.back() == L' ')
        value.pop_back();
    return value;
}

// Anything: separators, quotes, escapes, the characters a distinguished name treats specially, text outside
// Latin-1 and a lone surrogate.
std::wstring WildValue(Random& random)
{
    static const wchar_t alphabet[] =
        L"ab;;\"\"=,+<>#\\ \t\r\n.-'\u00E9\u0416\u4E2D\xD83D\xDE00\xDC00\x7F\x01";
    std::wstring value;
    for (std::uint32_t length = random.Below(random.Chance(2) ? 2000 : 16); length > 0; --length)
        value += random.Pick(alphabet);
    return value;
}

// Whether the value holds a ";" outside double quotes. The text is cut at every quote: the pieces at even
// places stand outside quotes, and so does the last piece when a quote is left without a partner.
bool SeparatorOutsideQuotes(const std::wstring& value)
{
    std::vector<std::wstring> pieces(1);
    for (wchar_t c : value)
        if (c == L'"')
            pieces.emplace_back();
        else
            pieces.back() += c;
    for (size_t i = 0; i < pieces.size(); ++i)
    {
        const bool outside = i % 2 == 0 || (pieces.size() % 2 == 0 && i + 1 == pieces.size());
        if (outside && pieces[i].find(L';') != std::wstring::npos)
            return true;
    }
    return false;
}

std::wstring ValueText(const CERT_RDN_ATTR& attribute)
{
    const DWORD size = CertRDNValueToStrW(attribute.dwValueType,
                                          const_cast<CERT_RDN_VALUE_BLOB*>(&attribute.Value), nullptr, 0);
    std::wstring text(size, L'\0');
    CertRDNValueToStrW(attribute.dwValueType, const_cast<CERT_RDN_VALUE_BLOB*>(&attribute.Value), text.data(),
                       size);
    text.resize(size > 0 ? size - 1 : 0);
    return text;
}

// A dotted identifier: mostly well formed, sometimes broken in the ways the encoder must refuse.
std::string RandomOid(Random& random)
{
    std::string dotted = std::to_string(random.Below(random.Chance(10) ? 5 : 3));
    const std::uint32_t arcs = random.Chance(5) ? 0 : 1 + random.Below(8);
    for (std::uint32_t i = 0; i < arcs; ++i)
    {
        dotted += '.';
        const std::uint32_t kind = random.Below(20);
        if (kind == 0)
            continue; // an empty arc
        if (kind == 1)
            dotted += 'x';
        else if (kind == 2)
            dotted += "18446744073709551" + std::to_string(600 + random.Below(30)); // about 2^64
        else if (kind == 3)
            dotted += "0" + std::to_string(random.Below(50)); // a leading zero
        else if (i == 0)
            dotted += std::to_string(random.Below(random.Chance(10) ? 200 : 40));
        else
            dotted += std::to_string(random.Chance(30) ? random.Next() : random.Below(200));
    }
    if (random.Chance(3))
        dotted += '.';
    return dotted;
}

// What the encoder must accept, and the canonical text the decoder gives back for it; empty when refused.
// Only identifiers the platform's decoder reads in full are compared (`comparable`): it reads the first two
// arcs from one byte as if the second were below 40, and prints each further arc as a signed 32-bit number.
std::string CanonicalOid(const std::string& dotted, bool& comparable)
{
    std::vector<std::uint64_t> arcs;
    comparable = true;
    size_t start = 0;
    while (true)
    {
        const size_t end = std::min(dotted.find('.', start), dotted.size());
        const std::string arc = dotted.substr(start, end - start);
        if (arc.empty() || arc.find_first_not_of("0123456789") != std::string::npos)
            return "";
        const std::string digits = arc.substr(std::min(arc.find_first_not_of('0'), arc.size() - 1));
        if (digits.size() > 20 || (digits.size() == 20 && digits > "18446744073709551615"))
            return "";
        arcs.push_back(std::stoull(digits));
        comparable = comparable && arcs.back() <= 0x7FFFFFFFu;
        if (end == dotted.size())
            break;
        start = end + 1;
    }
    if (arcs.size() < 2 || arcs[0] > 2 || (arcs[0] < 2 && arcs[1] > 39) || arcs[1] > UINT64_MAX - 80)
        return "";
    comparable = comparable && arcs[1] < 40;
    std::string canonical;
    for (std::uint64_t arc : arcs)
        canonical += (canonical.empty() ? "" : ".") + std::to_string(arc);
    return canonical;
}

bool SameBlob(const CRYPT_DATA_BLOB& blob, const BYTE* bytes, size_t size)
{
    return blob.cbData == size && std::equal(bytes, bytes + size, blob.pbData);
}

// A certification request's information as the platform reads it, which has no decoder for the whole
// structure: the sequence's four parts, the version as an integer, the subject and attributes as they stand
// and the public key decoded.
struct RequestParts
{
    bool read = false;
    int version = -1;
    std::vector<BYTE> subject;
    Decoded<CERT_PUBLIC_KEY_INFO> key;
    std::vector<BYTE> attributes;
};

RequestParts ReadRequestInfo(const BYTE* bytes, size_t size)
{
    RequestParts parts;
    auto sequence = Decode<CRYPT_SEQUENCE_OF_ANY>(X509_SEQUENCE_OF_ANY, bytes, size);
    if (!sequence || sequence->cValue != 4)
        return parts;
    const CRYPT_DER_BLOB* values = sequence->rgValue;
    DWORD versionSize = sizeof parts.version;
    parts.subject.assign(values[1].pbData, values[1].pbData + values[1].cbData);
    parts.attributes.assign(values[3].pbData, values[3].pbData + values[3].cbData);
    parts.key = Decode<CERT_PUBLIC_KEY_INFO>(X509_PUBLIC_KEY_INFO, values[2].pbData, values[2].cbData);
    parts.read = parts.key && CryptDecodeObjectEx(kEncoding, X509_INTEGER, values[0].pbData, values[0].cbData,
                                                  0, nullptr, &parts.version, &versionSize);
    return parts;
}

// A name for the encoders: the conversion's output for plain fields.
std::vector<BYTE> RandomEncodedName(Random& random)
{
    VCapiCertificateName name;
    name.SetField(VCapiCertificateName::CommonName, PlainValue(random).c_str());
    for (int field = 1; field < 7; ++field)
        if (random.Chance(30))
            name.SetField(field, PlainValue(random).c_str());
    const CERT_NAME_BLOB* encoded = name.Encode();
    return encoded ? std::vector<BYTE>(encoded->pbData, encoded->pbData + encoded->cbData)
                   : std::vector<BYTE>();
}

class Provider
{
public:
    Provider()
    {
        CryptAcquireContextW(&handle, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT | CRYPT_SILENT);
    }
    Provider(const Provider&) = delete;
    Provider& operator=(const Provider&) = delete;
    ~Provider()
    {
        if (handle)
            CryptReleaseContext(handle, 0);
    }
    HCRYPTPROV handle = 0;
};

// The public key of the provider's exchange key.
std::vector<BYTE> PublicKeyOf(HCRYPTPROV provider)
{
    DWORD size = 0;
    if (!CryptExportPublicKeyInfo(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING, nullptr, &size))
        return {};
    std::vector<BYTE> buffer(size);
    if (!CryptExportPublicKeyInfo(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING,
                                  reinterpret_cast<CERT_PUBLIC_KEY_INFO*>(buffer.data()), &size))
        return {};
    return buffer;
}

const CERT_PUBLIC_KEY_INFO& AsKeyInfo(const std::vector<BYTE>& buffer)
{
    return *reinterpret_cast<const CERT_PUBLIC_KEY_INFO*>(buffer.data());
}

// Whether every number of the private key takes its whole field in the key's PRIVATEKEYBLOB: the modulus
// and private exponent bitlen / 8 bytes, the other five half as many.
bool NumbersFillTheirFields(HCRYPTKEY key)
{
    DWORD size = 0;
    if (!CryptExportKey(key, 0, PRIVATEKEYBLOB, 0, nullptr, &size))
        return false;
    std::vector<BYTE> blob(size);
    if (!CryptExportKey(key, 0, PRIVATEKEYBLOB, 0, blob.data(), &size))
        return false;
    const auto& header = *reinterpret_cast<const RSAPUBKEY*>(blob.data() + sizeof(BLOBHEADER));
    const size_t full = header.bitlen / 8;
    const size_t half = full / 2;
    size_t offset = sizeof(BLOBHEADER) + sizeof(RSAPUBKEY);
    bool filled = true;
    for (size_t length : {full, half, half, half, half, half, full})
    {
        offset += length;
        filled = filled && offset <= size && blob[offset - 1] != 0; // little-endian: the top byte last
    }
    SecureZeroMemory(blob.data(), blob.size());
    return filled;
}

// A self-signed certificate for the provider's exchange key: the given subject, a serial of 1 to 20 random
// bytes.
std::vector<BYTE> MakeCertificate(Random& random, HCRYPTPROV provider, const std::vector<BYTE>& name,
                                  const CERT_PUBLIC_KEY_INFO& key)
{
    BYTE serial[20];
    for (BYTE& b : serial)
        b = static_cast<BYTE>(random.Next());
    CERT_INFO info{};
    info.dwVersion = CERT_V3;
    info.SerialNumber = {1 + random.Below(20), serial};
    info.SignatureAlgorithm.pszObjId =
        const_cast<LPSTR>(random.Chance(50) ? szOID_RSA_MD5RSA : szOID_RSA_SHA1RSA);
    info.Issuer = info.Subject = {static_cast<DWORD>(name.size()), const_cast<BYTE*>(name.data())};
    GetSystemTimeAsFileTime(&info.NotBefore);
    info.NotAfter = info.NotBefore;
    info.NotAfter.dwHighDateTime += 1 + random.Below(100000);
    info.SubjectPublicKeyInfo = key;
    DWORD size = 0;
    if (!CryptSignAndEncodeCertificate(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING, X509_CERT_TO_BE_SIGNED,
                                       &info, &info.SignatureAlgorithm, nullptr, nullptr, &size))
        return {};
    std::vector<BYTE> encoded(size);
    if (!CryptSignAndEncodeCertificate(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING, X509_CERT_TO_BE_SIGNED,
                                       &info, &info.SignatureAlgorithm, nullptr, encoded.data(), &size))
        return {};
    encoded.resize(size);
    return encoded;
}

// Imports the PFX and checks it holds the certificate and a private key that signs for the certificate's
// public key; the key container the import made is deleted again.
void CheckPfx(const DerBytes& pfx, const std::vector<BYTE>& certificate)
{
    CRYPT_DATA_BLOB blob{static_cast<DWORD>(pfx.size()), const_cast<BYTE*>(pfx.data())};
    ASSERT_TRUE(PFXIsPFXBlob(&blob));
    HCERTSTORE store = PFXImportCertStore(&blob, nullptr, CRYPT_EXPORTABLE);
    ASSERT_NE(nullptr, store) << std::hex << GetLastError();
    int count = 0;
    PCCERT_CONTEXT context = nullptr;
    while ((context = CertEnumCertificatesInStore(store, context)) != nullptr)
    {
        ++count;
        EXPECT_TRUE(SameBlob({context->cbCertEncoded, context->pbCertEncoded}, certificate.data(),
                             certificate.size()));
        DWORD size = 0;
        if (!CertGetCertificateContextProperty(context, CERT_KEY_PROV_INFO_PROP_ID, nullptr, &size))
        {
            ADD_FAILURE() << "the imported certificate has no key";
            continue;
        }
        std::vector<BYTE> buffer(size);
        ASSERT_TRUE(
            CertGetCertificateContextProperty(context, CERT_KEY_PROV_INFO_PROP_ID, buffer.data(), &size));
        const auto& keyInfo = *reinterpret_cast<const CRYPT_KEY_PROV_INFO*>(buffer.data());
        HCRYPTPROV imported = 0;
        ASSERT_TRUE(CryptAcquireContextW(&imported, keyInfo.pwszContainerName, keyInfo.pwszProvName,
                                         keyInfo.dwProvType, CRYPT_SILENT));
        // A signature by the imported private key (its CRT parts included) checks out with the public key.
        const BYTE data[] = "signed by the imported key";
        HCRYPTHASH hash = 0;
        HCRYPTKEY publicKey = 0;
        DWORD signatureSize = 0;
        ASSERT_TRUE(CryptCreateHash(imported, CALG_SHA1, 0, 0, &hash));
        EXPECT_TRUE(CryptHashData(hash, data, sizeof data, 0) &&
                    CryptSignHashW(hash, AT_KEYEXCHANGE, nullptr, 0, nullptr, &signatureSize));
        std::vector<BYTE> signature(signatureSize);
        EXPECT_TRUE(CryptSignHashW(hash, AT_KEYEXCHANGE, nullptr, 0, signature.data(), &signatureSize))
            << std::hex << GetLastError();
        EXPECT_TRUE(CryptImportPublicKeyInfo(imported, X509_ASN_ENCODING,
                                             &context->pCertInfo->SubjectPublicKeyInfo, &publicKey));
        EXPECT_TRUE(CryptVerifySignatureW(hash, signature.data(), signatureSize, publicKey, nullptr, 0))
            << std::hex << GetLastError();
        CryptDestroyHash(hash);
        CryptDestroyKey(publicKey);
        CryptReleaseContext(imported, 0);
        CryptAcquireContextW(&imported, keyInfo.pwszContainerName, keyInfo.pwszProvName, keyInfo.dwProvType,
                             CRYPT_DELETEKEYSET);
    }
    EXPECT_EQ(1, count);
    CertCloseStore(store, 0);
}
} // namespace

TEST(CertificateFuzz, SubjectNamesFollowTheQuoteCheckAndDecode)
{
    Random random(0xCE47A11E);
    // One object for every round: a failure must not leave its status or field to the next encoding.
    VCapiCertificateName name;
    const unsigned long rounds = Rounds(800);
    for (unsigned long round = 0; round < rounds; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        std::wstring values[7];
        bool plain = true;
        for (std::wstring& value : values)
        {
            const std::uint32_t kind = random.Below(10);
            if (kind < 3)
                continue;
            value = kind < 7 ? PlainValue(random) : WildValue(random);
            plain = plain && kind < 7;
        }
        for (int field = 0; field < 7; ++field)
            name.SetField(field, values[field].c_str());
        int separatorField = VCapiCertificateName::NoField;
        for (const auto& attribute : kOrder)
            if (separatorField == VCapiCertificateName::NoField &&
                SeparatorOutsideQuotes(values[attribute.field]))
                separatorField = attribute.field;

        const CERT_NAME_BLOB* encoded = name.Encode();
        if (separatorField != VCapiCertificateName::NoField)
        {
            ASSERT_EQ(nullptr, encoded);
            EXPECT_EQ(static_cast<DWORD>(CRYPT_E_INVALID_X500_STRING), name.GetStatus().GetMessageId());
            EXPECT_EQ(separatorField, name.GetFailedField());
            continue;
        }
        if (!encoded)
        {
            // Refused by the conversion: only a wild value may be, and a named field is one that was set.
            ASSERT_FALSE(plain) << "a name of plain values is refused: " << std::hex
                                << name.GetStatus().GetMessageId();
            EXPECT_NE(0u, name.GetStatus().GetMessageId());
            const int failed = name.GetFailedField();
            EXPECT_TRUE(failed == VCapiCertificateName::NoField ||
                        (failed >= 0 && failed < 7 && !values[failed].empty()))
                << failed;
            continue;
        }
        EXPECT_EQ(0u, name.GetStatus().GetMessageId());
        EXPECT_EQ(VCapiCertificateName::NoField, name.GetFailedField());
        auto decoded = Decode<CERT_NAME_INFO>(X509_NAME, encoded->pbData, encoded->cbData);
        ASSERT_NE(nullptr, decoded) << std::hex << GetLastError();
        // Every attribute is one of the fields that were set, in the order of building.
        size_t next = 0;
        for (DWORD i = 0; i < decoded->cRDN; ++i)
            for (DWORD j = 0; j < decoded->rgRDN[i].cRDNAttr; ++j)
            {
                const std::string oid = decoded->rgRDN[i].rgRDNAttr[j].pszObjId;
                while (next < 7 && (values[kOrder[next].field].empty() || oid != kOrder[next].oid))
                    ++next;
                ASSERT_LT(next, 7u) << "attribute " << oid << " out of place";
            }
        if (!plain)
            continue;
        // Plain values come back one attribute each, exactly as given.
        std::vector<std::wstring> expected;
        for (const auto& attribute : kOrder)
            if (!values[attribute.field].empty())
                expected.push_back(values[attribute.field]);
        ASSERT_EQ(expected.size(), decoded->cRDN);
        for (DWORD i = 0; i < decoded->cRDN; ++i)
        {
            ASSERT_EQ(1u, decoded->rgRDN[i].cRDNAttr);
            EXPECT_EQ(expected[i], ValueText(decoded->rgRDN[i].rgRDNAttr[0]));
        }
        if (HasFailure())
            return;
    }
}

TEST(CertificateFuzz, IntegersIdentifiersAndRequestInformationDecode)
{
    Random random(0xDE4E11C0);
    const unsigned long rounds = Rounds(1500);
    std::vector<std::vector<BYTE>> names;
    for (int i = 0; i < 8; ++i)
        names.push_back(RandomEncodedName(random));
    for (unsigned long round = 0; round < rounds; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));

        // An unsigned number of any length, leading zeros and a top bit included.
        std::vector<BYTE> number(random.Below(random.Chance(5) ? 600 : 24));
        for (BYTE& b : number)
            b = random.Chance(15) ? 0 : random.Chance(15) ? 0xFF : static_cast<BYTE>(random.Next());
        DerBytes integer;
        AppendUnsignedInteger(integer, number.data(), number.size());
        auto value = Decode<CRYPT_INTEGER_BLOB>(X509_MULTI_BYTE_UINT, integer.data(), integer.size());
        ASSERT_NE(nullptr, value) << std::hex << GetLastError();
        std::vector<BYTE> significant(
            std::find_if(number.begin(), number.end(), [](BYTE b) { return b != 0; }), number.end());
        std::vector<BYTE> back(value->pbData, value->pbData + value->cbData);
        std::reverse(back.begin(), back.end());
        while (!back.empty() && back.front() == 0)
            back.erase(back.begin());
        EXPECT_EQ(significant, back);
        // No redundant leading zero: one stands only before a top bit, or alone.
        const size_t content = 2 + (integer[1] & 0x80 ? integer[1] & 0x7F : 0);
        ASSERT_LT(content, integer.size());
        EXPECT_TRUE(integer[content] != 0 || content + 1 == integer.size() || (integer[content + 1] & 0x80));

        // The request information for a random key: any identifier, parameters or none, any bit string.
        const std::string oid = RandomOid(random);
        bool comparable = false;
        const std::string canonical = CanonicalOid(oid, comparable);
        std::vector<BYTE> parameters;
        if (random.Chance(50))
            parameters = {0x05, 0x00};
        else if (random.Chance(50))
            parameters = {0x06, 0x03, 0x2B, 0x0E, 0x07};
        std::vector<BYTE> bits(random.Below(300));
        for (BYTE& b : bits)
            b = static_cast<BYTE>(random.Next());
        const DWORD unused = bits.empty() ? 0 : random.Below(8);
        if (!bits.empty())
            bits.back() = static_cast<BYTE>(bits.back() & (0xFF << unused));
        const std::vector<BYTE>& name = names[random.Below(static_cast<std::uint32_t>(names.size()))];
        const CERT_PUBLIC_KEY_INFO key{
            {const_cast<LPSTR>(oid.c_str()), {static_cast<DWORD>(parameters.size()), parameters.data()}},
            {static_cast<DWORD>(bits.size()), bits.data(), unused}};
        DerBytes info;
        const bool made =
            EncodeRequestInfo({static_cast<DWORD>(name.size()), const_cast<BYTE*>(name.data())}, key, info);
        ASSERT_EQ(!canonical.empty(), made) << oid;
        if (!made)
            continue;
        const RequestParts request = ReadRequestInfo(info.data(), info.size());
        ASSERT_TRUE(request.read) << oid << " " << std::hex << GetLastError();
        EXPECT_EQ(static_cast<int>(CERT_REQUEST_V1), request.version);
        EXPECT_EQ(name, request.subject);
        const CERT_PUBLIC_KEY_INFO& got = *request.key;
        if (comparable)
        {
            EXPECT_EQ(canonical, got.Algorithm.pszObjId);
        }
        EXPECT_TRUE(SameBlob(got.Algorithm.Parameters, parameters.data(), parameters.size()));
        EXPECT_TRUE(SameBlob({got.PublicKey.cbData, got.PublicKey.pbData}, bits.data(), bits.size()));
        EXPECT_EQ(unused, got.PublicKey.cUnusedBits);
        EXPECT_EQ((std::vector<BYTE>{0xA0, 0x00}), request.attributes);
        if (HasFailure())
            return;
    }
}

// Each round makes a key, so a round weighs about what a thousand rounds of the harnesses above do.
TEST(CertificateFuzz, RequestsAndPfxFilesFromRandomKeysReadBack)
{
    Random random(0x9F12C0DE);
    const unsigned long rounds = std::max(1ul, Rounds(3000) / 1000);
    for (unsigned long round = 0; round < rounds; ++round)
    {
        SCOPED_TRACE("round " + std::to_string(round));
        // RSA keys of 512 to 1024 bits in steps of 16: the platform's import takes no key whose halves are
        // not whole bytes (the certificate writer's check has openssl read one).
        const DWORD bits = 512 + 16 * random.Below(33);
        SCOPED_TRACE("key of " + std::to_string(bits) + " bits");
        // The platform's import misplaces a number of the private key that is shorter than its field (one
        // whose leading byte is zero, which DER drops): such keys, about one in fifty, are drawn again.
        Provider provider;
        for (int attempt = 0; attempt < 20; ++attempt)
        {
            HCRYPTKEY key = 0;
            ASSERT_TRUE(CryptGenKey(provider.handle, AT_KEYEXCHANGE, (bits << 16) | CRYPT_EXPORTABLE, &key));
            const bool full = NumbersFillTheirFields(key);
            CryptDestroyKey(key);
            if (full)
                break;
        }
        const std::vector<BYTE> publicKey = PublicKeyOf(provider.handle);
        ASSERT_FALSE(publicKey.empty());
        const std::vector<BYTE> name = RandomEncodedName(random);
        ASSERT_FALSE(name.empty());

        // The request signs over the library's own encoding; the platform reads it and checks the signature.
        CERT_REQUEST_INFO requestInfo{};
        requestInfo.dwVersion = CERT_REQUEST_V1;
        requestInfo.Subject = {static_cast<DWORD>(name.size()), const_cast<BYTE*>(name.data())};
        requestInfo.SubjectPublicKeyInfo = AsKeyInfo(publicKey);
        CRYPT_ALGORITHM_IDENTIFIER md5Rsa{const_cast<LPSTR>(szOID_RSA_MD5RSA), {}};
        DerBytes request;
        ASSERT_TRUE(SignRequest(provider.handle, AT_KEYEXCHANGE, requestInfo, md5Rsa, request))
            << std::hex << GetLastError();
        EXPECT_TRUE(CryptVerifyCertificateSignature(0, X509_ASN_ENCODING, request.data(),
                                                    static_cast<DWORD>(request.size()),
                                                    const_cast<CERT_PUBLIC_KEY_INFO*>(&AsKeyInfo(publicKey))))
            << std::hex << GetLastError();
        auto signedRequest = Decode<CERT_SIGNED_CONTENT_INFO>(X509_CERT, request.data(), request.size());
        ASSERT_NE(nullptr, signedRequest);
        const RequestParts decodedRequest =
            ReadRequestInfo(signedRequest->ToBeSigned.pbData, signedRequest->ToBeSigned.cbData);
        ASSERT_TRUE(decodedRequest.read);
        EXPECT_EQ(name, decodedRequest.subject);
        EXPECT_TRUE(CertComparePublicKeyInfo(X509_ASN_ENCODING, decodedRequest.key.get(),
                                             const_cast<CERT_PUBLIC_KEY_INFO*>(&AsKeyInfo(publicKey))));

        const std::vector<BYTE> certificate =
            MakeCertificate(random, provider.handle, name, AsKeyInfo(publicKey));
        ASSERT_FALSE(certificate.empty()) << std::hex << GetLastError();
        PCCERT_CONTEXT context = CertCreateCertificateContext(kEncoding, certificate.data(),
                                                              static_cast<DWORD>(certificate.size()));
        ASSERT_NE(nullptr, context);
        DerBytes pfx;
        const bool written = WritePkcs12(provider.handle, context, pfx);
        CertFreeCertificateContext(context);
        ASSERT_TRUE(written) << std::hex << GetLastError();
        CheckPfx(pfx, certificate);
        if (HasFailure())
            return;
    }
}
