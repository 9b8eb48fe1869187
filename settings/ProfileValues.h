/// \file
/// ProfileInt, ProfileColorref, ProfileDouble, ProfileString, ProfileLogfont: typed settings held by the
/// host. Each holder loads from the host's MFC profile (by section and key, through the application
/// object's GetProfileInt and GetProfileString) or from a ProfileRecord, and saves to the profile or as one
/// key=value line of a record file. Without an application object there is no profile: reading it gives
/// the default and saving to it does nothing.
///
/// \code{.cpp}
/// ProfileInt count;
/// count.init(L"Window", L"Count", 5); // the profile's value, or 5
/// count = count + 1;
/// count.save(L"Window");
/// \endcode
///
/// A holder is a plain value: copies are independent and nothing is shared between threads.

/// \class ProfileInt
/// An integer setting. In a record file it is stored as eight lower-case hex digits, the 32-bit pattern of
/// the value; in the profile as the profile's integer.
///
/// \code{.cpp}
/// ProfileInt count;
/// count.init(L"Window", L"Count", 5); // the profile's value, or 5
/// count = count + 1;
/// count.save(L"Window");
/// count.save(recordFile);             // "Count=0000000a" for 10; nothing for 5, the default
/// \endcode

/// \class ProfileColorref
/// A colour setting: a key, a COLORREF value and its default, with no loading or saving of its own; the
/// host reads and writes the fields.
///
/// \code{.cpp}
/// ProfileColorref background;
/// background.m_key = L"Background";
/// background = RGB(255, 255, 255);
/// COLORREF colour = background;
/// \endcode

/// \class ProfileDouble
/// A floating-point setting, stored as whole thousandths in 32 bits (value × 1000 + 0.5, truncated toward
/// zero); a value beyond that range is stored as the nearest end of it, and NaN as 0. In a record file the
/// thousandths are written as eight lower-case hex digits.
///
/// \code{.cpp}
/// ProfileDouble zoom;
/// zoom.init(L"View", L"Zoom", 1.25); // the profile's value, or 1.25
/// zoom = 2.5;
/// zoom.save(L"View");                // stored as 2500
/// \endcode

/// \class ProfileString
/// A text setting, kept as an MFC string.
///
/// \code{.cpp}
/// ProfileString title;
/// title.init(L"Window", L"Title", L"Untitled");
/// title = L"Report";
/// title.save(L"Window");
/// \endcode

/// \class ProfileLogfont
/// A font setting, kept as its text form: the point size in tenths, the thirteen numbers of LOGFONTW and the
/// face name, comma-separated. The font (m_logfont and m_pointSize) and the text (m_string) are kept in step
/// when the font is loaded or assigned a text, and when it is saved.
///
/// \code{.cpp}
/// ProfileLogfont font;
/// font.init(record, L"EditorFont", L"Courier New", 16); // the record's font, or Courier New at 16 px
/// CFont editorFont;
/// editorFont.CreateFontIndirect(&font.m_logfont);
/// font.save(recordFile);
/// \endcode
#pragma once

#include "core/PardalinApi.h"

#include <afx.h>

class CStdioFile;
class ProfileRecord;

class PARDALIN_API ProfileInt
{
public:
    // Construction

    /// No key, value and default 0, until init.
    ProfileInt();
    /// Copies the key, value and default.
    ProfileInt(const ProfileInt& other);
    /// Copies the key, value and default.
    ProfileInt& operator=(const ProfileInt& other);
    ~ProfileInt();

    // Operations

    /// Takes the key and default and reads the value from the profile's `section`; the default when the
    /// profile has no such value (or there is no profile).
    void init(const wchar_t* section, const wchar_t* key, int def);
    /// Takes the key and default and reads the value from the record's text for `key`, as hex digits; the
    /// default when the record has no text for it.
    void init(const ProfileRecord& record, const wchar_t* key, int def);

    /// Sets the value; the key and default stay.
    ProfileInt& operator=(int value);
    /// The value.
    operator int() const;

    /// Writes the value to the profile's `section` under the key.
    void save(const wchar_t* section);
    /// Writes the line "key=xxxxxxxx" (eight hex digits) only when the value differs from the default.
    void save(CStdioFile& file);

    CString m_key; ///< The value's name in the profile section or the record.
    int m_value;   ///< The current value.
    int m_default; ///< The value when nothing is stored; a record file omits a value equal to it.
};

class PARDALIN_API ProfileColorref
{
public:
    // Construction

    /// No key, value and default 0 (black).
    ProfileColorref();
    /// Copies the key, value and default.
    ProfileColorref(const ProfileColorref& other);
    /// Copies the key, value and default.
    ProfileColorref& operator=(const ProfileColorref& other);
    ~ProfileColorref();

    // Operations

    /// Sets the value (a COLORREF); the key and default stay.
    ProfileColorref& operator=(unsigned long value);
    /// The value, a COLORREF.
    operator unsigned long() const;

    CString m_key;      ///< The value's name, for the host's own storage.
    COLORREF m_value;   ///< The current colour.
    COLORREF m_default; ///< The colour when nothing is stored.
};

class PARDALIN_API ProfileDouble
{
public:
    // Construction

    /// No key and value 0, until init.
    ProfileDouble();
    /// Copies the key and value.
    ProfileDouble(const ProfileDouble& other);
    /// Copies the key and value.
    ProfileDouble& operator=(const ProfileDouble& other);
    ~ProfileDouble();

    // Operations

    /// Takes the key and reads the value, in thousandths, from the profile's `section`; without a stored
    /// value the default, rounded to thousandths as it would be stored. The thousandths read back signed.
    void init(const wchar_t* section, const wchar_t* key, double def);
    /// Takes the key and reads the value from the record's text for `key`, hex digits of the thousandths;
    /// the default, exactly, when the record has no text for it.
    void init(const ProfileRecord& record, const wchar_t* key, double def);

    /// Sets the value as it is; the rounding to thousandths happens when it is saved.
    ProfileDouble& operator=(double value);
    /// The value.
    operator double() const;

    /// Writes the value's thousandths to the profile's `section` under the key.
    void save(const wchar_t* section);
    /// Always writes its line, "key=xxxxxxxx" (eight hex digits of the thousandths): there is no default
    /// to leave out.
    void save(CStdioFile& file);

    CString m_key;  ///< The value's name in the profile section or the record.
    double m_value; ///< The current value, not rounded.
};

class PARDALIN_API ProfileString
{
public:
    // Construction

    /// No key, an empty value and default, until init.
    ProfileString();
    /// Copies the value, key and default.
    ProfileString(const ProfileString& other);
    /// Copies the value, key and default.
    ProfileString& operator=(const ProfileString& other);
    ~ProfileString();

    // Operations

    /// Takes the key and default and reads the value from the profile's `section`; the default when the
    /// profile has no such value (or there is no profile).
    void init(const wchar_t* section, const wchar_t* key, const wchar_t* def);
    /// Takes the key and default and reads the value from the record's text for `key`. An empty value in
    /// the record counts as absent: the default stays.
    void init(const ProfileRecord& record, const wchar_t* key, const wchar_t* def);
    /// Takes the key and default, and the default as the value; reads nothing.
    void init(const wchar_t* key, const wchar_t* def);

    /// Sets the value (a null text empties it); the key and default stay.
    ProfileString& operator=(const wchar_t* value);
    /// Sets the value; the key and default stay.
    ProfileString& operator=(const CString& value);

    /// Writes the value to the profile's `section` under the key.
    void save(const wchar_t* section);
    /// Writes the line "key=value" (at most 8000 characters of the value) only when the value differs from
    /// the default.
    void save(CStdioFile& file);

    CString m_value;   ///< The current text.
    CString m_key;     ///< The value's name in the profile section or the record.
    CString m_default; ///< The text when nothing is stored; a record file omits a value equal to it.
};

class PARDALIN_API ProfileLogfont
{
public:
    // Construction

    /// An all-zero font, point size 0 and an empty text, until init or an assignment.
    ProfileLogfont();
    /// Copies the font, point size and text setting.
    ProfileLogfont(const ProfileLogfont& other);
    /// Copies the font, point size and text setting.
    ProfileLogfont& operator=(const ProfileLogfont& other);
    ~ProfileLogfont();

    // Operations

    /// Sets the text form and the font it describes. The text is read field by field up to the first that
    /// does not match; the fields after it keep their values.
    ProfileLogfont& operator=(const wchar_t* text);
    /// Whether the fonts differ anywhere in their bytes (the face name's unused characters included).
    bool operator!=(const LOGFONTW& other) const;

    /// Reads the text form from the profile's `section` (`def` when absent) and sets the font from it.
    void init(const wchar_t* section, const wchar_t* key, const wchar_t* def);
    /// Reads the text form from the record (`def` when absent or empty) and sets the font from it.
    void init(const ProfileRecord& record, const wchar_t* key, const wchar_t* def);
    /// Reads the text form from the record. Without a text there, the font is faceName (cut to what
    /// LOGFONTW holds) at height pixels (96 dots per inch), normal weight, default character set and fixed
    /// pitch, and the text stays empty until the font is saved.
    void init(const ProfileRecord& record, const wchar_t* key, const wchar_t* faceName, int height);

    /// Brings the text form up to date with the font and writes it to the profile's `section`.
    void save(const wchar_t* section);
    /// Brings the text form up to date with the font and writes its line as ProfileString does: only when
    /// it differs from the default text given to init.
    void save(CStdioFile& file);

    LOGFONTW m_logfont;     ///< The font. Changes reach the text form when the font is saved.
    int m_pointSize;        ///< The point size in tenths of a point, the text form's first number.
    ProfileString m_string; ///< The text form, with the key and default text.

private:
    void string_to_logfont();
    void logfont_to_string();
};
