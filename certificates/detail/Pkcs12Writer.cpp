#include "certificates/detail/Pkcs12Writer.h"

#include <algorithm>

namespace pardalin::detail
{
namespace
{
constexpr DWORD kIterations = 2000;
constexpr std::size_t kSaltBytes = 8;
constexpr std::size_t kBlockBytes = 64; // SHA-1's input block
constexpr std::size_t kDigestBytes = 20;
// The empty password as a BMPString with its terminating zero.
const DerBytes kEmptyPassword = {0, 0};
// The local key id that ties the key bag to the certificate bag.
const BYTE kLocalKeyId[] = {1, 0, 0, 0};

// Releases CryptoAPI handles on every path without disturbing the last error.
template <class Handle, BOOL(WINAPI* Free)(Handle)> class Scoped
{
public:
    Scoped() = default;
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    ~Scoped()
    {
        if (handle)
        {
            const DWORD error = GetLastError();
            Free(handle);
            SetLastError(error);
        }
    }
    Handle handle = 0;
};
BOOL WINAPI ReleaseProvider(HCRYPTPROV provider)
{
    return CryptReleaseContext(provider, 0);
}
using ScopedProvider = Scoped<HCRYPTPROV, ReleaseProvider>;
using ScopedKey = Scoped<HCRYPTKEY, CryptDestroyKey>;
using ScopedHash = Scoped<HCRYPTHASH, CryptDestroyHash>;

bool Digest(HCRYPTHASH hash, DerBytes& out)
{
    DWORD size = kDigestBytes;
    out.resize(size);
    return CryptGetHashParam(hash, HP_HASHVAL, out.data(), &size, 0);
}

bool Sha1(HCRYPTPROV provider, const DerBytes& first, const DerBytes& second, DerBytes& out)
{
    ScopedHash hash;
    return CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash.handle) &&
           CryptHashData(hash.handle, first.data(), static_cast<DWORD>(first.size()), 0) &&
           CryptHashData(hash.handle, second.data(), static_cast<DWORD>(second.size()), 0) &&
           Digest(hash.handle, out);
}

// Repeats `data` to fill whole blocks of kBlockBytes; nothing for no data.
DerBytes FillBlocks(const DerBytes& data)
{
    DerBytes filled;
    if (data.empty())
        return filled;
    const std::size_t size = (data.size() + kBlockBytes - 1) / kBlockBytes * kBlockBytes;
    for (std::size_t i = 0; i < size; ++i)
        filled.push_back(data[i % data.size()]);
    return filled;
}

bool ImportPlainKey(HCRYPTPROV provider, ALG_ID algorithm, DWORD flags, const DerBytes& secret,
                    ScopedKey& key)
{
    struct
    {
        BLOBHEADER header;
        DWORD size;
        BYTE bytes[32];
    } blob{{PLAINTEXTKEYBLOB, CUR_BLOB_VERSION, 0, algorithm}, static_cast<DWORD>(secret.size()), {}};
    std::copy(secret.begin(), secret.end(), blob.bytes);
    const BOOL imported =
        CryptImportKey(provider, reinterpret_cast<const BYTE*>(&blob),
                       sizeof blob.header + sizeof blob.size + blob.size, 0, flags, &key.handle);
    SecureZeroMemory(&blob, sizeof blob);
    return imported;
}

// RSAPrivateKey from a PRIVATEKEYBLOB, whose numbers are little-endian.
bool EncodeRsaPrivateKey(const DerBytes& blob, DerBytes& out)
{
    if (blob.size() < sizeof(BLOBHEADER) + sizeof(RSAPUBKEY))
        return false;
    RSAPUBKEY header;
    std::copy_n(blob.begin() + sizeof(BLOBHEADER), sizeof header, reinterpret_cast<BYTE*>(&header));
    // The modulus and the private exponent take bitlen / 8 bytes each, the five numbers of the Chinese
    // remainder form half that: rounded down by some providers, up by others when the bit length is no
    // multiple of 16. The blob's own size tells which.
    const std::size_t full = header.bitlen / 8;
    const std::size_t fixed = sizeof(BLOBHEADER) + sizeof header;
    if (full == 0 || blob.size() < fixed + 2 * full)
        return false;
    const std::size_t half = (blob.size() - fixed - 2 * full) / 5;
    if (half < full / 2 || half > (full + 1) / 2)
        return false;
    DerBytes content;
    const BYTE zero = 0;
    AppendUnsignedInteger(content, &zero, 1);
    std::size_t offset = sizeof(BLOBHEADER) + sizeof header;
    const auto number = [&](std::size_t size)
    {
        DerBytes bigEndian(blob.rbegin() + static_cast<long>(blob.size() - offset - size),
                           blob.rbegin() + static_cast<long>(blob.size() - offset));
        offset += size;
        return bigEndian;
    };
    const DerBytes modulus = number(full), p = number(half), q = number(half), dp = number(half),
                   dq = number(half), qInverse = number(half), d = number(full);
    const BYTE exponent[] = {static_cast<BYTE>(header.pubexp >> 24), static_cast<BYTE>(header.pubexp >> 16),
                             static_cast<BYTE>(header.pubexp >> 8), static_cast<BYTE>(header.pubexp)};
    AppendUnsignedInteger(content, modulus.data(), modulus.size());
    AppendUnsignedInteger(content, exponent, sizeof exponent);
    for (const DerBytes* part : {&d, &p, &q, &dp, &dq, &qInverse})
        AppendUnsignedInteger(content, part->data(), part->size());
    AppendTlv(out, der::kSequence, content);
    SecureZeroMemory(content.data(), content.size());
    return true;
}

// AlgorithmIdentifier with the given DER parameters.
DerBytes Algorithm(const char* oid, const DerBytes& parameters)
{
    DerBytes content;
    AppendObjectIdentifier(content, oid);
    content.insert(content.end(), parameters.begin(), parameters.end());
    DerBytes out;
    AppendTlv(out, der::kSequence, content);
    return out;
}

DerBytes Wrap(BYTE tag, const DerBytes& content)
{
    DerBytes out;
    AppendTlv(out, tag, content);
    return out;
}

DerBytes Concatenate(std::initializer_list<DerBytes> parts)
{
    DerBytes out;
    for (const DerBytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

DerBytes Oid(const char* dotted)
{
    DerBytes out;
    AppendObjectIdentifier(out, dotted);
    return out;
}

// SafeBag with the local key id as its one attribute.
DerBytes SafeBag(const char* bagId, const DerBytes& value)
{
    const DerBytes localKeyId =
        Wrap(der::kSequence,
             Concatenate({Oid("1.2.840.113549.1.9.21"),
                          Wrap(der::kSet, Wrap(der::kOctetString, DerBytes(kLocalKeyId, kLocalKeyId + 4)))}));
    return Wrap(der::kSequence, Concatenate({Oid(bagId), Wrap(der::kContextConstructed0, value),
                                             Wrap(der::kSet, localKeyId)}));
}

// ContentInfo of type data.
DerBytes DataContent(const DerBytes& data)
{
    return Wrap(der::kSequence,
                Concatenate({Oid("1.2.840.113549.1.7.1"),
                             Wrap(der::kContextConstructed0, Wrap(der::kOctetString, data))}));
}
} // namespace

bool DerivePkcs12Key(HCRYPTPROV hashProvider, BYTE id, const DerBytes& password, const DerBytes& salt,
                     DWORD iterations, std::size_t length, DerBytes& key)
{
    const DerBytes diversifier(kBlockBytes, id);
    DerBytes input = FillBlocks(salt);
    const DerBytes filledPassword = FillBlocks(password);
    input.insert(input.end(), filledPassword.begin(), filledPassword.end());
    key.clear();
    while (key.size() < length)
    {
        DerBytes a;
        if (!Sha1(hashProvider, diversifier, input, a))
            return false;
        for (DWORD i = 1; i < iterations; ++i)
            if (!Sha1(hashProvider, a, {}, a))
                return false;
        key.insert(key.end(), a.begin(), a.end());
        // Each block of the input becomes (block + B + 1) mod 2^512, B being the digest repeated.
        const DerBytes b = FillBlocks(a);
        for (std::size_t block = 0; block < input.size(); block += kBlockBytes)
        {
            unsigned carry = 1;
            for (std::size_t i = kBlockBytes; i-- > 0;)
            {
                carry += input[block + i] + b[i];
                input[block + i] = static_cast<BYTE>(carry);
                carry >>= 8;
            }
        }
    }
    key.resize(length);
    return true;
}

bool WritePkcs12(HCRYPTPROV keyProvider, PCCERT_CONTEXT certificate, DerBytes& pfx)
{
    ScopedProvider crypto;
    if (!CryptAcquireContextW(&crypto.handle, nullptr, nullptr, PROV_RSA_AES,
                              CRYPT_VERIFYCONTEXT | CRYPT_SILENT))
        return false;

    // The private key as PKCS#8.
    ScopedKey userKey;
    DWORD blobSize = 0;
    if (!CryptGetUserKey(keyProvider, AT_KEYEXCHANGE, &userKey.handle) ||
        !CryptExportKey(userKey.handle, 0, PRIVATEKEYBLOB, 0, nullptr, &blobSize))
        return false;
    DerBytes blob(blobSize);
    DerBytes rsaKey;
    bool exported = CryptExportKey(userKey.handle, 0, PRIVATEKEYBLOB, 0, blob.data(), &blobSize);
    if (exported)
    {
        blob.resize(blobSize);
        exported = EncodeRsaPrivateKey(blob, rsaKey);
    }
    SecureZeroMemory(blob.data(), blob.size());
    if (!exported)
        return false;
    const BYTE zero = 0;
    DerBytes version;
    AppendUnsignedInteger(version, &zero, 1);
    DerBytes privateKeyInfo =
        Wrap(der::kSequence, Concatenate({version, Algorithm("1.2.840.113549.1.1.1", {der::kNull, 0}),
                                          Wrap(der::kOctetString, rsaKey)}));
    SecureZeroMemory(rsaKey.data(), rsaKey.size());

    // Shrouded with 3DES-CBC under a key and IV derived from the password.
    DerBytes keySalt(kSaltBytes);
    DerBytes macSalt(kSaltBytes);
    DerBytes cipherKey, iv;
    ScopedKey cipher;
    if (!CryptGenRandom(crypto.handle, kSaltBytes, keySalt.data()) ||
        !CryptGenRandom(crypto.handle, kSaltBytes, macSalt.data()) ||
        !DerivePkcs12Key(crypto.handle, 1, kEmptyPassword, keySalt, kIterations, 24, cipherKey) ||
        !DerivePkcs12Key(crypto.handle, 2, kEmptyPassword, keySalt, kIterations, 8, iv) ||
        !ImportPlainKey(crypto.handle, CALG_3DES, 0, cipherKey, cipher) ||
        !CryptSetKeyParam(cipher.handle, KP_IV, iv.data(), 0))
        return false;
    DWORD encryptedSize = static_cast<DWORD>(privateKeyInfo.size());
    privateKeyInfo.resize(privateKeyInfo.size() + 8);
    const bool encrypted = CryptEncrypt(cipher.handle, 0, TRUE, 0, privateKeyInfo.data(), &encryptedSize,
                                        static_cast<DWORD>(privateKeyInfo.size()));
    if (!encrypted)
        return false;
    privateKeyInfo.resize(encryptedSize);
    DerBytes iterations;
    const BYTE count[] = {static_cast<BYTE>(kIterations >> 8), static_cast<BYTE>(kIterations & 0xFF)};
    AppendUnsignedInteger(iterations, count, sizeof count);
    const DerBytes pbeParameters =
        Wrap(der::kSequence, Concatenate({Wrap(der::kOctetString, keySalt), iterations}));
    const DerBytes shroudedKey =
        Wrap(der::kSequence, Concatenate({Algorithm("1.2.840.113549.1.12.1.3", pbeParameters),
                                          Wrap(der::kOctetString, privateKeyInfo)}));

    const DerBytes certificateBag =
        Wrap(der::kSequence,
             Concatenate({Oid("1.2.840.113549.1.9.22.1"),
                          Wrap(der::kContextConstructed0,
                               Wrap(der::kOctetString,
                                    DerBytes(certificate->pbCertEncoded,
                                             certificate->pbCertEncoded + certificate->cbCertEncoded)))}));
    const DerBytes authenticatedSafe =
        Wrap(der::kSequence,
             Concatenate(
                 {DataContent(Wrap(der::kSequence, SafeBag("1.2.840.113549.1.12.10.1.2", shroudedKey))),
                  DataContent(Wrap(der::kSequence, SafeBag("1.2.840.113549.1.12.10.1.3", certificateBag)))}));

    // The MAC over the authenticated safe's octets.
    DerBytes macKey, mac;
    ScopedKey hmacKey;
    ScopedHash hmac;
    HMAC_INFO hmacInfo{CALG_SHA1, nullptr, 0, nullptr, 0};
    if (!DerivePkcs12Key(crypto.handle, 3, kEmptyPassword, macSalt, kIterations, kDigestBytes, macKey) ||
        !ImportPlainKey(crypto.handle, CALG_RC2, CRYPT_IPSEC_HMAC_KEY, macKey, hmacKey) ||
        !CryptCreateHash(crypto.handle, CALG_HMAC, hmacKey.handle, 0, &hmac.handle) ||
        !CryptSetHashParam(hmac.handle, HP_HMAC_INFO, reinterpret_cast<const BYTE*>(&hmacInfo), 0) ||
        !CryptHashData(hmac.handle, authenticatedSafe.data(), static_cast<DWORD>(authenticatedSafe.size()),
                       0) ||
        !Digest(hmac.handle, mac))
        return false;
    const DerBytes macData =
        Wrap(der::kSequence,
             Concatenate({Wrap(der::kSequence, Concatenate({Algorithm("1.3.14.3.2.26", {der::kNull, 0}),
                                                            Wrap(der::kOctetString, mac)})),
                          Wrap(der::kOctetString, macSalt), iterations}));

    const BYTE three = 3;
    DerBytes pfxVersion;
    AppendUnsignedInteger(pfxVersion, &three, 1);
    pfx = Wrap(der::kSequence, Concatenate({pfxVersion, DataContent(authenticatedSafe), macData}));
    return true;
}
} // namespace pardalin::detail
