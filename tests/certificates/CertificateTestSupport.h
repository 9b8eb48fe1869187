// Certificates made from a fixed subject, for the certificate tests and the certificate writer.
#pragma once

#include "certificates/VCapiCertificateName.h"
#include "certificates/VCertificate.h"

namespace certtest
{
// Valid for a year; every field of the name, or the common name alone.
inline VCertificate* MakeCertificate(DWORD flags, DWORD keyBits, VReportMessageParams& err,
                                     const wchar_t* commonName = L"host.example.com", bool allFields = true)
{
    VCapiCertificateName name;
    const wchar_t* const fields[] = {commonName, L"Example Org",      L"Ops", L"Springfield", L"Oregon",
                                     L"US",      L"admin@example.com"};
    for (int i = 0; i < (allFields ? 7 : 1); ++i)
        name.SetField(i, fields[i]);
    const CERT_NAME_BLOB* encoded = name.Encode();
    FILETIME notAfter;
    GetSystemTimeAsFileTime(&notAfter);
    notAfter.dwHighDateTime += 73426; // a year: one unit is 2^32 times 100 ns
    return VCertificate::Create(encoded, &notAfter, flags, keyBits, err);
}
} // namespace certtest
