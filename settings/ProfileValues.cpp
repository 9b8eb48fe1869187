#include "settings/ProfileValues.h"

#include "settings/ProfileRecord.h"
#include "settings/detail/FontText.h"

#include <afxwin.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cwchar>

namespace
{
constexpr int kMaxStringLine = 8000;

// The 32-bit pattern of eight hex digits (or fewer); what a text reader of the record format reads back.
int HexPattern(const VUnicodeString& text)
{
    return static_cast<int>(static_cast<unsigned int>(wcstoul(text.GetString(), nullptr, 16)));
}

// The stored form of a double: value × 1000 + 0.5, truncated toward zero. Beyond the 32-bit range the
// nearest end of it is stored; NaN, which has no nearest end, is stored as 0.
int Thousandths(double value)
{
    const double scaled = value * 1000 + 0.5;
    if (std::isnan(scaled))
        return 0;
    // Truncation is defined for exactly the doubles strictly between these two.
    if (scaled >= 2147483648.0)
        return INT_MAX;
    if (scaled <= -2147483649.0)
        return INT_MIN;
    return static_cast<int>(scaled);
}

void WriteLine(CStdioFile& file, const CString& line)
{
    file.WriteString(line);
}

// The host profile goes through the application object. A host without one has no profile: reads give the
// fallback and writes are dropped.
int ReadNumber(const wchar_t* section, const wchar_t* key, int fallback)
{
    CWinApp* app = AfxGetApp();
    return app ? static_cast<int>(app->GetProfileInt(section, key, fallback)) : fallback;
}

CString ReadText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback)
{
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileString(section, key, fallback) : CString(fallback);
}

void WriteNumber(const wchar_t* section, const wchar_t* key, int value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(section, key, value);
}

void WriteText(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(section, key, value);
}
} // namespace

// ProfileInt

ProfileInt::ProfileInt() : m_value(0), m_default(0) {}
ProfileInt::ProfileInt(const ProfileInt& other) = default;
ProfileInt& ProfileInt::operator=(const ProfileInt& other) = default;
ProfileInt::~ProfileInt() {}

void ProfileInt::init(const wchar_t* section, const wchar_t* key, int def)
{
    m_key = key;
    m_value = ReadNumber(section, key, def);
    m_default = def;
}

void ProfileInt::init(const ProfileRecord& record, const wchar_t* key, int def)
{
    m_key = key;
    m_value = m_default = def;
    const VUnicodeString text = record[VUnicodeString(key)];
    if (!text.IsEmpty())
        m_value = HexPattern(text);
}

ProfileInt& ProfileInt::operator=(int value)
{
    m_value = value;
    return *this;
}

ProfileInt::operator int() const
{
    return m_value;
}

void ProfileInt::save(const wchar_t* section)
{
    WriteNumber(section, m_key, m_value);
}

void ProfileInt::save(CStdioFile& file)
{
    if (m_value == m_default)
        return;
    CString line;
    line.Format(L"%s=%08x\n", m_key.GetString(), static_cast<unsigned int>(m_value));
    WriteLine(file, line);
}

// ProfileColorref

ProfileColorref::ProfileColorref() : m_value(0), m_default(0) {}
ProfileColorref::ProfileColorref(const ProfileColorref& other) = default;
ProfileColorref& ProfileColorref::operator=(const ProfileColorref& other) = default;
ProfileColorref::~ProfileColorref() {}

ProfileColorref& ProfileColorref::operator=(unsigned long value)
{
    m_value = value;
    return *this;
}

ProfileColorref::operator unsigned long() const
{
    return m_value;
}

// ProfileDouble

ProfileDouble::ProfileDouble() : m_value(0.0) {}
ProfileDouble::ProfileDouble(const ProfileDouble& other) = default;
ProfileDouble& ProfileDouble::operator=(const ProfileDouble& other) = default;
ProfileDouble::~ProfileDouble() {}

void ProfileDouble::init(const wchar_t* section, const wchar_t* key, double def)
{
    m_key = key;
    // Read back as a signed number, so negative values survive the round trip.
    m_value = ReadNumber(section, key, Thousandths(def)) / 1000.0;
}

void ProfileDouble::init(const ProfileRecord& record, const wchar_t* key, double def)
{
    m_key = key;
    m_value = def;
    const VUnicodeString text = record[VUnicodeString(key)];
    if (!text.IsEmpty())
        m_value = HexPattern(text) / 1000.0;
}

ProfileDouble& ProfileDouble::operator=(double value)
{
    m_value = value;
    return *this;
}

ProfileDouble::operator double() const
{
    return m_value;
}

void ProfileDouble::save(const wchar_t* section)
{
    WriteNumber(section, m_key, Thousandths(m_value));
}

void ProfileDouble::save(CStdioFile& file)
{
    CString line;
    line.Format(L"%s=%08x\n", m_key.GetString(), static_cast<unsigned int>(Thousandths(m_value)));
    WriteLine(file, line);
}

// ProfileString

ProfileString::ProfileString() {}
ProfileString::ProfileString(const ProfileString& other) = default;
ProfileString& ProfileString::operator=(const ProfileString& other) = default;
ProfileString::~ProfileString() {}

void ProfileString::init(const wchar_t* section, const wchar_t* key, const wchar_t* def)
{
    m_key = key;
    m_default = def;
    m_value = ReadText(section, key, def);
}

void ProfileString::init(const ProfileRecord& record, const wchar_t* key, const wchar_t* def)
{
    m_key = key;
    m_default = def;
    m_value = def;
    const VUnicodeString text = record[VUnicodeString(key)];
    if (!text.IsEmpty())
        m_value = text.GetString();
}

void ProfileString::init(const wchar_t* key, const wchar_t* def)
{
    m_key = key;
    m_default = def;
    m_value = def;
}

ProfileString& ProfileString::operator=(const wchar_t* value)
{
    m_value = value;
    return *this;
}

ProfileString& ProfileString::operator=(const CString& value)
{
    m_value = value;
    return *this;
}

void ProfileString::save(const wchar_t* section)
{
    WriteText(section, m_key, m_value);
}

void ProfileString::save(CStdioFile& file)
{
    if (m_value == m_default)
        return;
    CString line = m_key;
    line += L'=';
    line += m_value.Left(kMaxStringLine);
    line += L'\n';
    WriteLine(file, line);
}

// ProfileLogfont

ProfileLogfont::ProfileLogfont() : m_pointSize(0)
{
    // Only the text is set up here; the font arrives through init, a copy or an assignment.
    ZeroMemory(&m_logfont, sizeof(m_logfont));
}

ProfileLogfont::ProfileLogfont(const ProfileLogfont& other) = default;
ProfileLogfont& ProfileLogfont::operator=(const ProfileLogfont& other) = default;
ProfileLogfont::~ProfileLogfont() {}

ProfileLogfont& ProfileLogfont::operator=(const wchar_t* text)
{
    m_string = text;
    string_to_logfont();
    return *this;
}

bool ProfileLogfont::operator!=(const LOGFONTW& other) const
{
    return memcmp(&m_logfont, &other, sizeof(LOGFONTW)) != 0;
}

void ProfileLogfont::init(const wchar_t* section, const wchar_t* key, const wchar_t* def)
{
    m_string.init(section, key, def);
    string_to_logfont();
}

void ProfileLogfont::init(const ProfileRecord& record, const wchar_t* key, const wchar_t* def)
{
    m_string.init(record, key, def);
    string_to_logfont();
}

void ProfileLogfont::init(const ProfileRecord& record, const wchar_t* key, const wchar_t* faceName,
                          int height)
{
    m_string.init(record, key, L"");
    if (!m_string.m_value.IsEmpty())
    {
        string_to_logfont();
        return;
    }
    m_pointSize = (std::abs(height) * 720) / 96;
    ZeroMemory(&m_logfont, sizeof(m_logfont));
    m_logfont.lfHeight = -height;
    m_logfont.lfWeight = FW_NORMAL;
    m_logfont.lfCharSet = DEFAULT_CHARSET;
    m_logfont.lfPitchAndFamily = FIXED_PITCH;
    if (faceName)
        wcsncpy(m_logfont.lfFaceName, faceName, LF_FACESIZE - 1);
}

void ProfileLogfont::save(const wchar_t* section)
{
    logfont_to_string();
    WriteText(section, m_string.m_key, m_string.m_value);
}

void ProfileLogfont::save(CStdioFile& file)
{
    logfont_to_string();
    m_string.save(file);
}

void ProfileLogfont::string_to_logfont()
{
    pardalin::detail::ParseFontText(m_string.m_value.GetString(), m_pointSize, m_logfont);
}

void ProfileLogfont::logfont_to_string()
{
    m_string.m_value = pardalin::detail::FormatFontText(m_pointSize, m_logfont).c_str();
}
