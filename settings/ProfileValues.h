// ProfileInt, ProfileColorref, ProfileDouble, ProfileString, ProfileLogfont: typed settings held by the
// host. Each holder loads from the host's MFC profile (by section and key) or from a profile record, and
// saves to the profile or as one key=value line of a record file. Without an application object there is
// no profile: reading it gives the default and saving to it does nothing.
//
//     ProfileInt count;
//     count.init(L"Window", L"Count", 5); // the profile's value, or 5
//     count = count + 1;
//     count.save(L"Window");
#pragma once

#include "core/PardalinApi.h"

#include <afx.h>

class CStdioFile;
class ProfileRecord;

// Integers are stored as eight lower-case hex digits, the 32-bit pattern of the value.
class PARDALIN_API ProfileInt
{
public:
    ProfileInt();
    ProfileInt(const ProfileInt& other);
    ProfileInt& operator=(const ProfileInt& other);
    ~ProfileInt();

    void init(const wchar_t* section, const wchar_t* key, int def);
    void init(const ProfileRecord& record, const wchar_t* key, int def);

    ProfileInt& operator=(int value);
    operator int() const;

    void save(const wchar_t* section);
    // Writes the line only when the value differs from the default.
    void save(CStdioFile& file);

    CString m_key;
    int m_value;
    int m_default;
};

class PARDALIN_API ProfileColorref
{
public:
    ProfileColorref();
    ProfileColorref(const ProfileColorref& other);
    ProfileColorref& operator=(const ProfileColorref& other);
    ~ProfileColorref();

    ProfileColorref& operator=(unsigned long value);
    operator unsigned long() const;

    CString m_key;
    COLORREF m_value;
    COLORREF m_default;
};

// Stored as whole thousandths in 32 bits; a value beyond that range is stored as the nearest end of it, and
// NaN as 0.
class PARDALIN_API ProfileDouble
{
public:
    ProfileDouble();
    ProfileDouble(const ProfileDouble& other);
    ProfileDouble& operator=(const ProfileDouble& other);
    ~ProfileDouble();

    void init(const wchar_t* section, const wchar_t* key, double def);
    void init(const ProfileRecord& record, const wchar_t* key, double def);

    ProfileDouble& operator=(double value);
    operator double() const;

    void save(const wchar_t* section);
    // Always writes its line.
    void save(CStdioFile& file);

    CString m_key;
    double m_value;
};

class PARDALIN_API ProfileString
{
public:
    ProfileString();
    ProfileString(const ProfileString& other);
    ProfileString& operator=(const ProfileString& other);
    ~ProfileString();

    void init(const wchar_t* section, const wchar_t* key, const wchar_t* def);
    // An empty value in the record counts as absent: the default stays.
    void init(const ProfileRecord& record, const wchar_t* key, const wchar_t* def);
    // Reads nothing.
    void init(const wchar_t* key, const wchar_t* def);

    ProfileString& operator=(const wchar_t* value);
    ProfileString& operator=(const CString& value);

    void save(const wchar_t* section);
    // Writes the line (at most 8000 characters of the value) only when the value differs from the default.
    void save(CStdioFile& file);

    CString m_value;
    CString m_key;
    CString m_default;
};

// A font kept as its text form: the point size, the thirteen numbers of LOGFONTW and the face name.
class PARDALIN_API ProfileLogfont
{
public:
    ProfileLogfont();
    ProfileLogfont(const ProfileLogfont& other);
    ProfileLogfont& operator=(const ProfileLogfont& other);
    ~ProfileLogfont();

    // Sets the text form and the font it describes.
    ProfileLogfont& operator=(const wchar_t* text);
    // Whether the fonts differ anywhere in their bytes.
    bool operator!=(const LOGFONTW& other) const;

    void init(const wchar_t* section, const wchar_t* key, const wchar_t* def);
    void init(const ProfileRecord& record, const wchar_t* key, const wchar_t* def);
    // Without a text in the record, the font is faceName at height pixels (96 dots per inch).
    void init(const ProfileRecord& record, const wchar_t* key, const wchar_t* faceName, int height);

    void save(const wchar_t* section);
    void save(CStdioFile& file);

    LOGFONTW m_logfont;
    int m_pointSize;
    ProfileString m_string;

private:
    void string_to_logfont();
    void logfont_to_string();
};
