/// \class VCapiCertificateName
/// The subject of a certificate being made, encoded as an X.500 name.
///
/// \code{.cpp}
/// VCapiCertificateName name;
/// name.SetField(VCapiCertificateName::CommonName, L"host.example.com");
/// name.SetField(VCapiCertificateName::Country, L"US");
/// const CERT_NAME_BLOB* encoded = name.Encode(); // CN=host.example.com;C=US
/// if (!encoded)
///     VMessageBox(&name.GetStatus(), MB_OK, nullptr); // name.GetFailedField() names the culprit
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "frame/VReportMessageParams.h"

#include <wincrypt.h>

class PARDALIN_API VCapiCertificateName
{
public:
    /// The field indexes callers set and failures report.
    enum Field
    {
        CommonName = 0,         ///< The common name (CN), such as a host name.
        Organization = 1,       ///< The organization (O).
        OrganizationalUnit = 2, ///< The organizational unit (OU).
        Locality = 3,           ///< The locality (L).
        StateOrProvince = 4,    ///< The state or province (S).
        Country = 5,            ///< The country (C), its two-letter code.
        Email = 6,              ///< The e-mail address (E).
        NoField = -1            ///< No field: what GetFailedField gives when none is to blame.
    };

    // Construction
    /// Every field empty, nothing encoded, status id 0.
    VCapiCertificateName();
    VCapiCertificateName(const VCapiCertificateName&) = delete;
    VCapiCertificateName& operator=(const VCapiCertificateName&) = delete;
    /// Frees the encoded name.
    ~VCapiCertificateName();

    // Attributes
    /// Copies the value (null is kept as empty); an index outside 0..6 is ignored.
    void SetField(int index, const wchar_t* value);
    /// The value of a field; empty for an index outside 0..6.
    VUnicodeString GetField(int index) const;
    /// Id 0, or the error of the last failed encoding.
    const VReportMessageParams& GetStatus() const { return m_status; }
    /// The field that made the last encoding fail, NoField when none is known.
    int GetFailedField() const { return m_nFailedField; }

    // Operations
    /// The DER name of the fields set, in the order CN, O, OU, C, L, S, E whatever order they were set in;
    /// empty fields are left out. Null on failure, with the status and the failed field set; a value with a
    /// ";" outside double quotes fails with CRYPT_E_INVALID_X500_STRING. The blob belongs to this object and
    /// lives until the next Encode.
    const CERT_NAME_BLOB* Encode();

private:
    VUnicodeString* FieldAt(int index);
    void DropEncoded();

    VUnicodeString m_strCommonName;
    VUnicodeString m_strOrganization;
    VUnicodeString m_strOrganizationalUnit;
    VUnicodeString m_strCountry;
    VUnicodeString m_strLocality;
    VUnicodeString m_strStateOrProvince;
    VUnicodeString m_strEmail;
    CERT_NAME_BLOB m_encoded;
    VReportMessageParams m_status;
    int m_nFailedField;
};
