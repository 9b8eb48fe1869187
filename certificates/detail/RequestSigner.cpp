#include "certificates/detail/RequestSigner.h"

#include <atomic>

namespace pardalin::detail
{
namespace
{
std::atomic<bool> g_platformEncoderMissing{false};

bool SignWithOwnEncoder(HCRYPTPROV provider, DWORD keySpec, const CERT_REQUEST_INFO& info,
                        const CRYPT_ALGORITHM_IDENTIFIER& algorithm, DerBytes& request)
{
    DerBytes toBeSigned;
    if (!EncodeRequestInfo(info.Subject, info.SubjectPublicKeyInfo, toBeSigned))
    {
        SetLastError(static_cast<DWORD>(CRYPT_E_OID_FORMAT));
        return false;
    }
    auto* algorithmArg = const_cast<CRYPT_ALGORITHM_IDENTIFIER*>(&algorithm);
    DWORD signatureSize = 0;
    if (!CryptSignCertificate(provider, keySpec, X509_ASN_ENCODING, toBeSigned.data(),
                              static_cast<DWORD>(toBeSigned.size()), algorithmArg, nullptr, nullptr,
                              &signatureSize))
        return false;
    DerBytes signature(signatureSize);
    if (!CryptSignCertificate(provider, keySpec, X509_ASN_ENCODING, toBeSigned.data(),
                              static_cast<DWORD>(toBeSigned.size()), algorithmArg, nullptr, signature.data(),
                              &signatureSize))
        return false;

    // The signed-content encoder puts the signature into the big-endian order of the encoding, as it does
    // for certificates, so the signature goes in as the provider made it.
    CERT_SIGNED_CONTENT_INFO signedInfo{};
    signedInfo.ToBeSigned.cbData = static_cast<DWORD>(toBeSigned.size());
    signedInfo.ToBeSigned.pbData = toBeSigned.data();
    signedInfo.SignatureAlgorithm = algorithm;
    signedInfo.Signature.cbData = signatureSize;
    signedInfo.Signature.pbData = signature.data();
    DWORD size = 0;
    if (!CryptEncodeObject(X509_ASN_ENCODING, X509_CERT, &signedInfo, nullptr, &size))
        return false;
    request.resize(size);
    if (!CryptEncodeObject(X509_ASN_ENCODING, X509_CERT, &signedInfo, request.data(), &size))
        return false;
    request.resize(size);
    return true;
}
} // namespace

bool SignAndEncode(HCRYPTPROV provider, DWORD keySpec, LPCSTR structType, const void* info,
                   const CRYPT_ALGORITHM_IDENTIFIER& algorithm, DerBytes& out)
{
    auto* algorithmArg = const_cast<CRYPT_ALGORITHM_IDENTIFIER*>(&algorithm);
    DWORD size = 0;
    if (!CryptSignAndEncodeCertificate(provider, keySpec, X509_ASN_ENCODING, structType, info, algorithmArg,
                                       nullptr, nullptr, &size))
        return false;
    out.resize(size);
    if (!CryptSignAndEncodeCertificate(provider, keySpec, X509_ASN_ENCODING, structType, info, algorithmArg,
                                       nullptr, out.data(), &size))
        return false;
    out.resize(size);
    return true;
}

bool SignRequest(HCRYPTPROV provider, DWORD keySpec, const CERT_REQUEST_INFO& info,
                 const CRYPT_ALGORITHM_IDENTIFIER& algorithm, DerBytes& request)
{
    if (!g_platformEncoderMissing.load())
    {
        if (SignAndEncode(provider, keySpec, X509_CERT_REQUEST_TO_BE_SIGNED, &info, algorithm, request))
            return true;
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            return false;
        g_platformEncoderMissing.store(true);
    }
    return SignWithOwnEncoder(provider, keySpec, info, algorithm, request);
}

bool RequestEncoderMissing()
{
    return g_platformEncoderMissing.load();
}
} // namespace pardalin::detail
