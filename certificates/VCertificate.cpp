#include "certificates/VCertificate.h"

#include "certificates/VCapiKeyContainer.h"
#include "certificates/detail/LastError.h"
#include "certificates/detail/RequestSigner.h"
#include "files/VFile.h"
#include "resources/HostMessageIds.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

template class VUnknown<IUnknown>;

namespace
{
using pardalin::detail::FailureCode;

using Bytes = std::vector<BYTE>;

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr DWORD kSerialBytes = 16;
constexpr DWORD kKeyIdBytes = 16;
constexpr BYTE kKeyUsage = CERT_DIGITAL_SIGNATURE_KEY_USAGE | CERT_KEY_ENCIPHERMENT_KEY_USAGE |
                           CERT_DATA_ENCIPHERMENT_KEY_USAGE | CERT_KEY_AGREEMENT_KEY_USAGE;

bool Encode(LPCSTR structType, const void* info, Bytes& out)
{
    DWORD size = 0;
    if (!CryptEncodeObject(kEncoding, structType, info, nullptr, &size))
        return false;
    out.resize(size);
    if (!CryptEncodeObject(kEncoding, structType, info, out.data(), &size))
        return false;
    out.resize(size);
    return true;
}

// MD5 of the public key's bits: the identifier of the key in both key-identifier extensions.
bool KeyIdentifier(HCRYPTPROV provider, const CERT_PUBLIC_KEY_INFO& key, Bytes& id)
{
    HCRYPTHASH hash = 0;
    if (!CryptCreateHash(provider, CALG_MD5, 0, 0, &hash))
        return false;
    id.resize(kKeyIdBytes);
    DWORD size = kKeyIdBytes;
    const bool made = CryptHashData(hash, key.PublicKey.pbData, key.PublicKey.cbData, 0) &&
                      CryptGetHashParam(hash, HP_HASHVAL, id.data(), &size, 0);
    const DWORD error = GetLastError();
    CryptDestroyHash(hash);
    SetLastError(error);
    id.resize(size);
    return made;
}

// The five extensions in their order; `storage` keeps the encoded values alive for the signing.
bool BuildExtensions(const Bytes& keyId, const CERT_NAME_BLOB& name, const CRYPT_INTEGER_BLOB& serial,
                     DWORD flags, Bytes (&storage)[5], CERT_EXTENSION (&extensions)[5])
{
    CRYPT_DATA_BLOB subjectKeyId{static_cast<DWORD>(keyId.size()), const_cast<BYTE*>(keyId.data())};

    BYTE usageBits = kKeyUsage;
    CRYPT_BIT_BLOB keyUsage{1, &usageBits, 0};

    LPSTR usage = const_cast<LPSTR>((flags & VCertificate::ClientCertificate) ? szOID_PKIX_KP_CLIENT_AUTH
                                                                              : szOID_PKIX_KP_SERVER_AUTH);
    CERT_ENHKEY_USAGE enhancedUsage{1, &usage};

    CERT_BASIC_CONSTRAINTS2_INFO constraints{TRUE, TRUE, 1};

    CERT_AUTHORITY_KEY_ID_INFO authority{};
    authority.KeyId = subjectKeyId;
    authority.CertIssuer = name;
    authority.CertSerialNumber = serial;

    const struct
    {
        LPCSTR oid;
        LPCSTR structType;
        const void* info;
    } items[5] = {
        {szOID_SUBJECT_KEY_IDENTIFIER, szOID_SUBJECT_KEY_IDENTIFIER, &subjectKeyId},
        {szOID_KEY_USAGE, X509_KEY_USAGE, &keyUsage},
        {szOID_ENHANCED_KEY_USAGE, X509_ENHANCED_KEY_USAGE, &enhancedUsage},
        {szOID_BASIC_CONSTRAINTS2, X509_BASIC_CONSTRAINTS2, &constraints},
        {szOID_AUTHORITY_KEY_IDENTIFIER, X509_AUTHORITY_KEY_ID, &authority},
    };
    for (int i = 0; i < 5; ++i)
    {
        if (!Encode(items[i].structType, items[i].info, storage[i]))
            return false;
        extensions[i].pszObjId = const_cast<LPSTR>(items[i].oid);
        extensions[i].fCritical = FALSE;
        extensions[i].Value = {static_cast<DWORD>(storage[i].size()), storage[i].data()};
    }
    return true;
}

struct ContextDeleter
{
    void operator()(PCCERT_CONTEXT context) const { CertFreeCertificateContext(context); }
};
using ContextPtr = std::unique_ptr<const CERT_CONTEXT, ContextDeleter>;
} // namespace

VCertificate::VCertificate() : m_pCertificate(nullptr), m_pRequest(nullptr), m_dwRequestLength(0) {}

VCertificate::VCertificate(PCCERT_CONTEXT certificate, const BYTE* request, DWORD requestLength)
    : m_pCertificate(CertDuplicateCertificateContext(certificate)), m_store(certificate), m_pRequest(nullptr),
      m_dwRequestLength(0)
{
    if (request && requestLength)
    {
        m_pRequest = new BYTE[requestLength];
        std::memcpy(m_pRequest, request, requestLength);
        m_dwRequestLength = requestLength;
    }
}

VCertificate::~VCertificate()
{
    if (m_pCertificate)
        CertFreeCertificateContext(m_pCertificate);
    delete[] m_pRequest;
}

VCertificate* VCertificate::Create(const CERT_NAME_BLOB* encodedName, const FILETIME* notAfter, DWORD flags,
                                   DWORD keyBits, VReportMessageParams& err)
{
    if (!encodedName || !notAfter)
    {
        err = VReportMessageParams(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    VCapiKeyContainer container;
    if (!container.IsAcquired())
    {
        err = container.GetStatus();
        return nullptr;
    }
    const HCRYPTPROV provider = container.GetProvider();
    {
        VCapiKey key(provider, keyBits);
        if (!key.IsGenerated())
        {
            err = key.GetStatus();
            return nullptr;
        }
    }
    const auto fail = [&err]
    {
        err = VReportMessageParams(FailureCode());
        return nullptr;
    };

    BYTE serialBytes[kSerialBytes];
    if (!CryptGenRandom(provider, kSerialBytes, serialBytes))
        return fail();

    DWORD keyInfoSize = 0;
    if (!CryptExportPublicKeyInfo(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING, nullptr, &keyInfoSize))
        return fail();
    Bytes keyInfoBuffer(keyInfoSize);
    auto* keyInfo = reinterpret_cast<CERT_PUBLIC_KEY_INFO*>(keyInfoBuffer.data());
    if (!CryptExportPublicKeyInfo(provider, AT_KEYEXCHANGE, X509_ASN_ENCODING, keyInfo, &keyInfoSize))
        return fail();

    CERT_INFO info{};
    info.dwVersion = CERT_V3;
    info.SerialNumber = {kSerialBytes, serialBytes};
    info.SignatureAlgorithm.pszObjId = const_cast<LPSTR>(szOID_RSA_MD5RSA);
    info.Issuer = *encodedName;
    info.Subject = *encodedName;
    GetSystemTimeAsFileTime(&info.NotBefore);
    info.NotAfter = *notAfter;
    info.SubjectPublicKeyInfo = *keyInfo;

    Bytes keyId;
    if (!KeyIdentifier(provider, *keyInfo, keyId))
        return fail();
    Bytes extensionValues[5];
    CERT_EXTENSION extensions[5];
    if (!BuildExtensions(keyId, *encodedName, info.SerialNumber, flags, extensionValues, extensions))
        return fail();
    info.cExtension = 5;
    info.rgExtension = extensions;

    Bytes encoded;
    if (!pardalin::detail::SignAndEncode(provider, AT_KEYEXCHANGE, X509_CERT_TO_BE_SIGNED, &info,
                                         info.SignatureAlgorithm, encoded))
        return fail();
    ContextPtr context(
        CertCreateCertificateContext(kEncoding, encoded.data(), static_cast<DWORD>(encoded.size())));
    if (!context)
        return fail();

    CRYPT_KEY_PROV_INFO keyProvider{};
    keyProvider.pwszContainerName = const_cast<LPWSTR>(container.GetContainerName().GetString());
    keyProvider.pwszProvName = const_cast<LPWSTR>(container.GetProviderName().GetString());
    keyProvider.dwProvType = container.GetProviderType();
    keyProvider.dwKeySpec = AT_KEYEXCHANGE;
    if (!CertSetCertificateContextProperty(context.get(), CERT_KEY_PROV_INFO_PROP_ID,
                                           CERT_STORE_NO_CRYPT_RELEASE_FLAG, &keyProvider))
        return fail();

    pardalin::detail::DerBytes request;
    if (flags & MakeRequest)
    {
        CERT_REQUEST_INFO requestInfo{};
        requestInfo.dwVersion = CERT_REQUEST_V1;
        requestInfo.Subject = *encodedName;
        requestInfo.SubjectPublicKeyInfo = *keyInfo;
        if (!pardalin::detail::SignRequest(provider, AT_KEYEXCHANGE, requestInfo, info.SignatureAlgorithm,
                                           request))
            return fail();
    }
    return new VCertificate(context.get(), request.data(), static_cast<DWORD>(request.size()));
}

bool VCertificate::Load(const wchar_t* path, VReportMessageParams& err)
{
    // Exactly three parts when split at "::".
    const VUnicodeString text(path);
    const int first = text.Find(L"::");
    const int second = first < 0 ? -1 : text.Find(L"::", first + 2);
    const bool storePath =
        second >= 0 && text.Find(L"::", second + 2) < 0 && text.Left(first).CompareNoCase(L"capi") == 0;
    VReportMessageParams reason;
    bool loaded = false;
    if (storePath)
    {
        if (m_pCertificate)
            return false;
        loaded = LoadFromSystemStore(text.Mid(first + 2, second - first - 2), text.Mid(second + 2), reason);
    }
    else
    {
        loaded = m_store.Load(path, reason);
    }
    err = VReportMessageParams(loaded ? MSG_HOST_CERTIFICATE_LOADED : MSG_HOST_CERTIFICATE_NOT_LOADED);
    err.AddInsert(path);
    if (!loaded)
        err.AddInsert(reason.GetSingleLineText());
    return loaded;
}

bool VCertificate::LoadFromSystemStore(const VUnicodeString& store, const VUnicodeString& commonName,
                                       VReportMessageParams& err)
{
    HCERTSTORE system = CertOpenSystemStoreW(0, store);
    if (!system)
    {
        err = VReportMessageParams(FailureCode());
        return false;
    }
    CERT_RDN_ATTR attribute{const_cast<LPSTR>(szOID_COMMON_NAME),
                            CERT_RDN_PRINTABLE_STRING,
                            {static_cast<DWORD>(commonName.GetLength() * sizeof(wchar_t)),
                             reinterpret_cast<BYTE*>(const_cast<wchar_t*>(commonName.GetString()))}};
    CERT_RDN name{1, &attribute};
    m_pCertificate =
        CertFindCertificateInStore(system, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING,
                                   CERT_UNICODE_IS_RDN_ATTRS_FLAG, CERT_FIND_SUBJECT_ATTR, &name, nullptr);
    if (!m_pCertificate)
        err = VReportMessageParams(FailureCode());
    CertCloseStore(system, CERT_CLOSE_STORE_CHECK_FLAG);
    return m_pCertificate != nullptr;
}

bool VCertificate::Save(const wchar_t* path, VReportMessageParams& err)
{
    if (!m_store.Save(path, err))
        return false;
    if (m_dwRequestLength == 0)
        return true;
    VString pem;
    if (!VCertificateRequestToPem(m_pRequest, m_dwRequestLength, pem, err))
        return false;
    VUnicodeString requestPath(path);
    const VUnicodeString extension = requestPath.Right(4);
    if (extension.CompareNoCase(L".pfx") == 0 || extension.CompareNoCase(L".p12") == 0)
        requestPath = requestPath.Left(requestPath.GetLength() - 4);
    requestPath += L".csr";
    VFile file;
    file.SetShareMode(0);
    DWORD written = 0;
    if (!file.Open(requestPath, GENERIC_WRITE, CREATE_ALWAYS) ||
        !file.Write(pem.GetString(), static_cast<DWORD>(pem.GetLength()), &written))
    {
        err = VReportMessageParams(FailureCode());
        return false;
    }
    return true;
}

bool VCheckCertificatePath(const wchar_t* path, VReportMessageParams& err)
{
    VCertificate* certificate = new VCertificate;
    const bool loaded = certificate->Load(path, err);
    certificate->Release();
    if (!loaded)
        err = VReportMessageParams(MSG_HOST_CERTIFICATE_PATH_INVALID);
    return loaded;
}

bool VCertificateRequestToPem(const BYTE* request, DWORD length, VString& pem, VReportMessageParams& err)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    static const char kHeader[] = "-----BEGIN NEW CERTIFICATE REQUEST-----\r\n";
    static const char kFooter[] = "-----END NEW CERTIFICATE REQUEST-----\r\n";
    constexpr DWORD kLineLength = 64;
    if (!request || length == 0)
    {
        err = VReportMessageParams(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::string text(kHeader);
    DWORD lineUsed = 0;
    const auto put = [&](char c)
    {
        text += c;
        if (++lineUsed == kLineLength)
        {
            text += "\r\n";
            lineUsed = 0;
        }
    };
    for (DWORD i = 0; i < length; i += 3)
    {
        const DWORD left = length - i;
        const DWORD group = (DWORD{request[i]} << 16) | (left > 1 ? DWORD{request[i + 1]} << 8 : 0) |
                            (left > 2 ? DWORD{request[i + 2]} : 0);
        put(kAlphabet[(group >> 18) & 0x3F]);
        put(kAlphabet[(group >> 12) & 0x3F]);
        put(left > 1 ? kAlphabet[(group >> 6) & 0x3F] : '=');
        put(left > 2 ? kAlphabet[group & 0x3F] : '=');
    }
    if (lineUsed != 0)
        text += "\r\n";
    text += kFooter;
    pem = VString(text.data(), static_cast<int>(text.size()));
    err = VReportMessageParams(0);
    return true;
}
