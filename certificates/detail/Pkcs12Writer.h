// WritePkcs12: a PFX (PKCS#12) file holding one certificate and its RSA private key, for platforms whose
// export cannot write one. The private key goes in as a PKCS#8 structure shrouded with
// pbeWithSHAAnd3-KeyTripleDES-CBC under the empty password, the certificate in a plain certificate bag,
// both tagged with the same local key id, and the whole is protected by an HMAC-SHA1 under the same
// password. Every hash, cipher and MAC is a CryptoAPI call; this code arranges their inputs and encodes.
//
//     pardalin::detail::DerBytes pfx;
//     if (!pardalin::detail::WritePkcs12(keyProvider, certificate, pfx))
//         return GetLastError();
#pragma once

#include "certificates/detail/DerEncoder.h"

namespace pardalin::detail
{
// `keyProvider` holds the certificate's exportable AT_KEYEXCHANGE key. On failure the thread's last error
// says why.
bool WritePkcs12(HCRYPTPROV keyProvider, PCCERT_CONTEXT certificate, DerBytes& pfx);

// The PKCS#12 key derivation (RFC 7292, appendix B) with SHA-1 through `hashProvider`: `length` bytes for
// purpose `id` (1 key, 2 IV, 3 MAC key) from the password (BMPString with its terminating zero; empty for
// none), the salt and the iteration count.
bool DerivePkcs12Key(HCRYPTPROV hashProvider, BYTE id, const DerBytes& password, const DerBytes& salt,
                     DWORD iterations, std::size_t length, DerBytes& key);
} // namespace pardalin::detail
