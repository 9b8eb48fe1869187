// SignRequest: a certification request signed with a key of a CryptoAPI provider. The platform's own
// encoder is asked first; a platform without one (it answers ERROR_FILE_NOT_FOUND: no encoder installed for
// the structure) is remembered for the rest of the process, and the request information is then encoded by
// DerEncoder and signed through CryptSignCertificate.
//
//     pardalin::detail::DerBytes request;
//     if (!pardalin::detail::SignRequest(provider, AT_KEYEXCHANGE, info, algorithm, request))
//         return GetLastError();
#pragma once

#include "certificates/detail/DerEncoder.h"

namespace pardalin::detail
{
// On failure the thread's last error says why.
bool SignRequest(HCRYPTPROV provider, DWORD keySpec, const CERT_REQUEST_INFO& info,
                 const CRYPT_ALGORITHM_IDENTIFIER& algorithm, DerBytes& request);

// The platform's CryptSignAndEncodeCertificate for `structType` (a certificate or a request to be signed)
// into `out`; on failure the thread's last error says why.
bool SignAndEncode(HCRYPTPROV provider, DWORD keySpec, LPCSTR structType, const void* info,
                   const CRYPT_ALGORITHM_IDENTIFIER& algorithm, DerBytes& out);

// Whether the platform's encoder has been found missing in this process.
bool RequestEncoderMissing();
} // namespace pardalin::detail
