// ProfileFileModel, StoredKey, StoredValue: the text form of one file of the INI profile store, and the
// rules for the names in it.
//
//     pardalin::detail::ProfileFileModel model = pardalin::detail::ParseProfileText(bytes);
//     StoredKey& key = model.Key({L"App", L"Workspace"});
//     key.Set(StoredValue::Dword(L"Left", 10));
//     const std::string text = pardalin::detail::FormatProfileText(model);
//
// The text is UTF-8 without a byte-order mark, in lines ended by CR LF (a lone LF or CR and a leading
// byte-order mark are read too). A line "[App\Workspace]" opens the key at that path below the root, one
// escaped name per component, joined by backslashes; "[]" is the root itself. Each following line
// "name=type:data" is a value of that key (a value line before any path line belongs to no key):
//
//     Count=dword:0000000a         1 to 8 hex digits
//     Text=string:two%000Alines    escaped text
//     Blob=binary:00ff10           two hex digits a byte, nothing for no bytes
//
// Names and string data are escaped: "%" and four hex digits stand for one UTF-16 unit, and every unit that
// could change how a line reads is written so ("%", "\", "=", "[", "]", control characters, surrogates that
// are not half of a pair, a space at either end and a ";" or "#" at the start). Everything else is written as
// itself, so the file stays readable and editable by hand. Spaces and tabs around the name, the data and a
// bracketed path are not part of them, and lines beginning with ";" or "#" are comments.
//
// Reading takes what it can: a line that does not decode (invalid UTF-8, a bad escape, unknown type, bad
// hex, no "=") is left out on its own, and an unreadable path line leaves out the values under it up to the
// next good one. Keys and values appear once each: a path or a name met again merges into the first, whose
// spelling is kept, and a value's later line replaces its data.
#pragma once

#include "core/PardalinApi.h"

#include <string>
#include <utility>
#include <vector>

namespace pardalin::detail
{
enum class StoredType
{
    Dword,
    String,
    Binary,
};

struct StoredValue
{
    // Construction
    static StoredValue Dword(std::wstring name, DWORD number);
    static StoredValue String(std::wstring name, std::wstring text);
    static StoredValue Binary(std::wstring name, std::vector<BYTE> bytes);

    // Attributes
    bool operator==(const StoredValue& other) const;
    bool operator!=(const StoredValue& other) const { return !(*this == other); }

    std::wstring name;
    StoredType type = StoredType::Dword;
    DWORD number = 0;        // a Dword's value
    std::wstring text;       // a String's value
    std::vector<BYTE> bytes; // a Binary's value
};

class StoredKey
{
public:
    // Construction
    explicit StoredKey(std::vector<std::wstring> keyPath) : path(std::move(keyPath)) {}

    // Attributes
    const std::vector<std::wstring>& Path() const { return path; }
    const std::vector<StoredValue>& Values() const { return values; }
    // The value of that name, compared as the store compares names; null when there is none.
    const StoredValue* Find(const std::wstring& name) const;
    bool operator==(const StoredKey& other) const { return path == other.path && values == other.values; }

    // Operations
    // Replaces the value of the same name, keeping the name's first spelling, or adds it at the end.
    void Set(StoredValue value);
    bool Remove(const std::wstring& name);

private:
    std::vector<std::wstring> path; // below the root; empty for the root itself
    std::vector<StoredValue> values;
    // Positions in values, ordered by name: lookups in files of thousands of values stay cheap.
    std::vector<size_t> order;
    std::vector<size_t>::const_iterator Lower(const std::wstring& name) const;
};

class ProfileFileModel
{
public:
    // Attributes
    const std::vector<StoredKey>& Keys() const { return keys; }
    const StoredKey* Find(const std::vector<std::wstring>& path) const;
    bool operator==(const ProfileFileModel& other) const { return keys == other.keys; }

    // Operations
    // The key at that path, added at the end when there is none. The reference lasts until the next change.
    StoredKey& Key(const std::vector<std::wstring>& path);
    // Removes the key at that path and every key below it; false when there was none.
    bool RemoveTree(const std::vector<std::wstring>& path);

private:
    std::vector<StoredKey> keys; // in file order
    std::vector<size_t> order;   // positions in keys, ordered by path
    std::vector<size_t>::const_iterator Lower(const std::vector<std::wstring>& path) const;
};

// Whether two names are the same name to the store: UTF-16 units compared without regard to case, the way
// the system compares registry and file names. CompareNames orders them the same way: below, at or above 0.
bool SameName(const std::wstring& a, const std::wstring& b);
int CompareNames(const std::wstring& a, const std::wstring& b);
int ComparePaths(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b);
// Whether `path` is `prefix` or lies below it.
bool PathStartsWith(const std::vector<std::wstring>& path, const std::vector<std::wstring>& prefix);

ProfileFileModel ParseProfileText(const std::string& bytes);
std::string FormatProfileText(const ProfileFileModel& model);

// One name, escaped as in the file; UnescapeName gives false for text that no name escapes to.
std::wstring EscapeName(const std::wstring& name);
bool UnescapeName(const std::wstring& escaped, std::wstring& name);

// The file name, without folder or extension, of the key `name` directly under the root: the name with the
// same escapes and further ones for what a file name cannot hold (":", "*", "?", "\"", "<", ">", "|", "/",
// a dot at the end, a "(" at the start and the first character of a device name such as CON or LPT1).
// The root's own values use "(root)", which no key name gives.
std::wstring FileStemOfKey(const std::wstring& name);
extern const wchar_t RootFileStem[];
} // namespace pardalin::detail
