#include "certificates/VCapiCertificateName.h"

#include <cwchar>
#include <cwctype>

namespace
{
constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr DWORD kStringType = CERT_X500_NAME_STR | CERT_NAME_STR_SEMICOLON_FLAG;

struct Attribute
{
    int field;
    const wchar_t* key;
};

// The order in which the name is built.
constexpr Attribute kAttributes[] = {
    {VCapiCertificateName::CommonName, L"CN"},
    {VCapiCertificateName::Organization, L"O"},
    {VCapiCertificateName::OrganizationalUnit, L"OU"},
    {VCapiCertificateName::Country, L"C"},
    {VCapiCertificateName::Locality, L"L"},
    {VCapiCertificateName::StateOrProvince, L"S"},
    {VCapiCertificateName::Email, L"E"},
};

// Whether a ";" stands outside every pair of double quotes. A quote without a partner quotes nothing.
bool HasUnquotedSeparator(const wchar_t* value)
{
    for (const wchar_t* p = value; *p; ++p)
    {
        if (*p == L';')
            return true;
        if (*p == L'"')
        {
            const wchar_t* closing = wcschr(p + 1, L'"');
            if (closing)
                p = closing;
        }
    }
    return false;
}

// The field whose "key=" starts the attribute holding `position`.
int FieldAtPosition(const VUnicodeString& text, const wchar_t* position)
{
    const wchar_t* start = text.GetString();
    if (!position || position < start || position > start + text.GetLength())
        return VCapiCertificateName::NoField;
    int begin = static_cast<int>(position - start);
    while (begin > 0 && start[begin - 1] != L';')
        --begin;
    const int equals = text.Find(L'=', begin);
    if (equals < 0)
        return VCapiCertificateName::NoField;
    const VUnicodeString key = text.Mid(begin, equals - begin);
    for (const Attribute& attribute : kAttributes)
        if (key == attribute.key)
            return attribute.field;
    return VCapiCertificateName::NoField;
}
} // namespace

VCapiCertificateName::VCapiCertificateName() : m_encoded{0, nullptr}, m_nFailedField(NoField) {}

VCapiCertificateName::~VCapiCertificateName()
{
    DropEncoded();
}

VUnicodeString* VCapiCertificateName::FieldAt(int index)
{
    switch (index)
    {
    case CommonName:
        return &m_strCommonName;
    case Organization:
        return &m_strOrganization;
    case OrganizationalUnit:
        return &m_strOrganizationalUnit;
    case Locality:
        return &m_strLocality;
    case StateOrProvince:
        return &m_strStateOrProvince;
    case Country:
        return &m_strCountry;
    case Email:
        return &m_strEmail;
    default:
        return nullptr;
    }
}

void VCapiCertificateName::SetField(int index, const wchar_t* value)
{
    if (VUnicodeString* field = FieldAt(index))
        *field = value ? value : L"";
}

VUnicodeString VCapiCertificateName::GetField(int index) const
{
    const VUnicodeString* field = const_cast<VCapiCertificateName*>(this)->FieldAt(index);
    return field ? *field : VUnicodeString();
}

void VCapiCertificateName::DropEncoded()
{
    delete[] m_encoded.pbData;
    m_encoded = {0, nullptr};
}

const CERT_NAME_BLOB* VCapiCertificateName::Encode()
{
    DropEncoded();
    m_status = VReportMessageParams(0);
    m_nFailedField = NoField;

    VUnicodeString text;
    for (const Attribute& attribute : kAttributes)
    {
        const VUnicodeString& value = *FieldAt(attribute.field);
        if (value.IsEmpty())
            continue;
        if (HasUnquotedSeparator(value))
        {
            m_status = VReportMessageParams(static_cast<DWORD>(CRYPT_E_INVALID_X500_STRING));
            m_nFailedField = attribute.field;
            return nullptr;
        }
        if (!text.IsEmpty())
            text += L";";
        text += attribute.key;
        text += L"=";
        text += value;
    }

    // The conversion drops white space that ends the last value anyway; some implementations never return
    // when it follows a closing quote, so it does not go in.
    int length = text.GetLength();
    while (length > 0 && iswspace(text[length - 1]))
        --length;
    text = text.Left(length);

    const wchar_t* errorPosition = nullptr;
    DWORD size = 0;
    BYTE* encoded = nullptr;
    bool converted = CertStrToNameW(kEncoding, text, kStringType, nullptr, nullptr, &size, &errorPosition);
    if (converted)
    {
        encoded = new BYTE[size];
        converted = CertStrToNameW(kEncoding, text, kStringType, nullptr, encoded, &size, &errorPosition);
    }
    if (!converted)
    {
        const DWORD error = GetLastError();
        delete[] encoded;
        m_status = VReportMessageParams(error);
        if (error == static_cast<DWORD>(CRYPT_E_INVALID_X500_STRING))
            m_nFailedField = FieldAtPosition(text, errorPosition);
        return nullptr;
    }
    m_encoded = {size, encoded};
    return &m_encoded;
}
