#include "hostkit/detail/ProfileText.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <utility>

namespace pardalin::detail
{
const wchar_t RootFileStem[] = L"(root)";

namespace
{
const char HexDigits[] = "0123456789ABCDEF";
const char LowerHexDigits[] = "0123456789abcdef";

bool IsHighSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

int HexValue(wchar_t digit)
{
    if (digit >= L'0' && digit <= L'9')
        return digit - L'0';
    if (digit >= L'a' && digit <= L'f')
        return digit - L'a' + 10;
    if (digit >= L'A' && digit <= L'F')
        return digit - L'A' + 10;
    return -1;
}

// CompareStringOrdinal is what the system itself uses for registry and file names; it is looked up rather
// than linked so that the store still loads where kernel32 lacks it, and compares by its own upper-casing.
using CompareOrdinal = int(WINAPI*)(LPCWCH, int, LPCWCH, int, BOOL);

CompareOrdinal SystemCompareOrdinal()
{
    static const CompareOrdinal compare = []
    {
        const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        return kernel ? reinterpret_cast<CompareOrdinal>(
                            reinterpret_cast<void*>(GetProcAddress(kernel, "CompareStringOrdinal")))
                      : nullptr;
    }();
    return compare;
}

wchar_t FoldUnit(wchar_t unit)
{
    return IsHighSurrogate(unit) || IsLowSurrogate(unit) ? unit : static_cast<wchar_t>(std::towupper(unit));
}

bool NeedsEscape(const std::wstring& text, size_t at)
{
    const wchar_t unit = text[at];
    if (unit < 0x20 || unit == 0x7F)
        return true;
    switch (unit)
    {
    case L'%':
    case L'\\':
    case L'=':
    case L'[':
    case L']':
        return true;
    case L';':
    case L'#':
        return at == 0;
    case L' ':
        return at == 0 || at + 1 == text.size();
    default:
        break;
    }
    if (IsHighSurrogate(unit))
        return at + 1 == text.size() || !IsLowSurrogate(text[at + 1]);
    if (IsLowSurrogate(unit))
        return at == 0 || !IsHighSurrogate(text[at - 1]);
    return false;
}

void AppendEscape(std::wstring& out, wchar_t unit)
{
    out += L'%';
    for (int shift = 12; shift >= 0; shift -= 4)
        out += static_cast<wchar_t>(HexDigits[(unit >> shift) & 15]);
}

// Strict UTF-8: shortest forms only, no surrogate code points, nothing above U+10FFFF. The text is sized
// for the worst case first, as lines of hex digits run to megabytes.
bool DecodeUtf8(const char* bytes, size_t count, std::wstring& text)
{
    text.resize(count);
    size_t out = 0;
    for (size_t i = 0; i < count;)
    {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80)
        {
            text[out++] = static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        size_t length = 0;
        std::uint32_t value = 0;
        std::uint32_t smallest = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2, value = lead & 0x1F, smallest = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, value = lead & 0x0F, smallest = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, value = lead & 0x07, smallest = 0x10000;
        else
            return false;
        if (count - i < length)
            return false;
        for (size_t k = 1; k < length; ++k)
        {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            value = value << 6 | (next & 0x3F);
        }
        if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        if (value >= 0x10000)
        {
            text[out++] = static_cast<wchar_t>(0xD800 + ((value - 0x10000) >> 10));
            text[out++] = static_cast<wchar_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
        }
        else
            text[out++] = static_cast<wchar_t>(value);
        i += length;
    }
    text.resize(out);
    return true;
}

// Escaped text holds no lone surrogate, so every unit either is a character or pairs with its neighbour.
void AppendUtf8(std::string& out, const std::wstring& text)
{
    for (size_t i = 0; i < text.size(); ++i)
    {
        std::uint32_t value = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            value = 0x10000 + ((value - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (value < 0x80)
            out += static_cast<char>(value);
        else if (value < 0x800)
        {
            out += static_cast<char>(0xC0 | value >> 6);
            out += static_cast<char>(0x80 | (value & 0x3F));
        }
        else if (value < 0x10000)
        {
            out += static_cast<char>(0xE0 | value >> 12);
            out += static_cast<char>(0x80 | (value >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (value & 0x3F));
        }
        else
        {
            out += static_cast<char>(0xF0 | value >> 18);
            out += static_cast<char>(0x80 | (value >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (value >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (value & 0x3F));
        }
    }
}

bool IsBlank(wchar_t unit)
{
    return unit == L' ' || unit == L'\t';
}

// The part of a line between `begin` and `end` without blanks at either end.
struct Span
{
    const wchar_t* begin;
    const wchar_t* end;
};

Span Trimmed(const wchar_t* begin, const wchar_t* end)
{
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    return {begin, end};
}

bool StartsWith(Span span, const wchar_t* prefix, size_t length)
{
    return static_cast<size_t>(span.end - span.begin) >= length &&
           std::equal(prefix, prefix + length, span.begin);
}

bool ParseDword(Span digits, DWORD& number)
{
    if (digits.begin == digits.end || digits.end - digits.begin > 8)
        return false;
    DWORD value = 0;
    for (const wchar_t* digit = digits.begin; digit < digits.end; ++digit)
    {
        const int nibble = HexValue(*digit);
        if (nibble < 0)
            return false;
        value = value << 4 | static_cast<DWORD>(nibble);
    }
    number = value;
    return true;
}

bool ParseBinary(Span digits, std::vector<BYTE>& bytes)
{
    const size_t count = static_cast<size_t>(digits.end - digits.begin);
    if (count % 2)
        return false;
    bytes.resize(count / 2);
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        const int high = HexValue(digits.begin[2 * i]);
        const int low = HexValue(digits.begin[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<BYTE>(high << 4 | low);
    }
    return true;
}

bool Unescape(Span escaped, std::wstring& text)
{
    text.clear();
    text.reserve(static_cast<size_t>(escaped.end - escaped.begin));
    for (const wchar_t* at = escaped.begin; at < escaped.end; ++at)
    {
        if (*at != L'%')
        {
            text += *at;
            continue;
        }
        if (escaped.end - at < 5)
            return false;
        unsigned unit = 0;
        for (int k = 1; k <= 4; ++k)
        {
            const int nibble = HexValue(at[k]);
            if (nibble < 0)
                return false;
            unit = unit << 4 | static_cast<unsigned>(nibble);
        }
        text += static_cast<wchar_t>(unit);
        at += 4;
    }
    return true;
}

bool ParseValue(const std::wstring& line, StoredValue& value)
{
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos)
        return false;
    const wchar_t* const start = line.data();
    std::wstring name;
    if (!Unescape(Trimmed(start, start + equals), name))
        return false;
    const Span data = Trimmed(start + equals + 1, start + line.size());
    if (StartsWith(data, L"dword:", 6))
    {
        DWORD number = 0;
        if (!ParseDword({data.begin + 6, data.end}, number))
            return false;
        value = StoredValue::Dword(std::move(name), number);
        return true;
    }
    if (StartsWith(data, L"string:", 7))
    {
        std::wstring text;
        if (!Unescape({data.begin + 7, data.end}, text))
            return false;
        value = StoredValue::String(std::move(name), std::move(text));
        return true;
    }
    if (StartsWith(data, L"binary:", 7))
    {
        std::vector<BYTE> bytes;
        if (!ParseBinary({data.begin + 7, data.end}, bytes))
            return false;
        value = StoredValue::Binary(std::move(name), std::move(bytes));
        return true;
    }
    return false;
}

// The components of a bracketed path, or false when one of them is empty or does not unescape.
bool ParsePath(const std::wstring& inner, std::vector<std::wstring>& path)
{
    path.clear();
    if (inner.empty())
        return true;
    size_t start = 0;
    for (;;)
    {
        const size_t end = std::min(inner.find(L'\\', start), inner.size());
        std::wstring component;
        if (end == start || !UnescapeName(inner.substr(start, end - start), component))
            return false;
        path.push_back(std::move(component));
        if (end == inner.size())
            return true;
        start = end + 1;
    }
}

bool IsDeviceName(const std::wstring& name)
{
    static const wchar_t* const devices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    for (const wchar_t* device : devices)
        if (SameName(stem, device))
            return true;
    return stem.size() == 4 && (SameName(stem.substr(0, 3), L"COM") || SameName(stem.substr(0, 3), L"LPT")) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}
} // namespace

StoredValue StoredValue::Dword(std::wstring name, DWORD number)
{
    StoredValue value;
    value.name = std::move(name);
    value.type = StoredType::Dword;
    value.number = number;
    return value;
}

StoredValue StoredValue::String(std::wstring name, std::wstring text)
{
    StoredValue value;
    value.name = std::move(name);
    value.type = StoredType::String;
    value.text = std::move(text);
    return value;
}

StoredValue StoredValue::Binary(std::wstring name, std::vector<BYTE> bytes)
{
    StoredValue value;
    value.name = std::move(name);
    value.type = StoredType::Binary;
    value.bytes = std::move(bytes);
    return value;
}

bool StoredValue::operator==(const StoredValue& other) const
{
    return name == other.name && type == other.type && number == other.number && text == other.text &&
           bytes == other.bytes;
}

std::vector<size_t>::const_iterator StoredKey::Lower(const std::wstring& name) const
{
    return std::lower_bound(order.begin(), order.end(), name,
                            [this](size_t position, const std::wstring& sought)
                            { return CompareNames(values[position].name, sought) < 0; });
}

const StoredValue* StoredKey::Find(const std::wstring& name) const
{
    const auto found = Lower(name);
    return found != order.end() && SameName(values[*found].name, name) ? &values[*found] : nullptr;
}

void StoredKey::Set(StoredValue value)
{
    const auto found = Lower(value.name);
    if (found != order.end() && SameName(values[*found].name, value.name))
    {
        StoredValue& existing = values[*found];
        value.name = std::move(existing.name);
        existing = std::move(value);
        return;
    }
    order.insert(found, values.size());
    values.push_back(std::move(value));
}

bool StoredKey::Remove(const std::wstring& name)
{
    const auto found = Lower(name);
    if (found == order.end() || !SameName(values[*found].name, name))
        return false;
    const size_t position = *found;
    order.erase(found);
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(position));
    for (size_t& later : order)
        if (later > position)
            --later;
    return true;
}

std::vector<size_t>::const_iterator ProfileFileModel::Lower(const std::vector<std::wstring>& path) const
{
    return std::lower_bound(order.begin(), order.end(), path,
                            [this](size_t position, const std::vector<std::wstring>& sought)
                            { return ComparePaths(keys[position].Path(), sought) < 0; });
}

const StoredKey* ProfileFileModel::Find(const std::vector<std::wstring>& path) const
{
    const auto found = Lower(path);
    return found != order.end() && ComparePaths(keys[*found].Path(), path) == 0 ? &keys[*found] : nullptr;
}

StoredKey& ProfileFileModel::Key(const std::vector<std::wstring>& path)
{
    const auto found = Lower(path);
    if (found != order.end() && ComparePaths(keys[*found].Path(), path) == 0)
        return keys[*found];
    order.insert(found, keys.size());
    keys.emplace_back(path);
    return keys.back();
}

bool ProfileFileModel::RemoveTree(const std::vector<std::wstring>& path)
{
    const auto kept = std::remove_if(
        keys.begin(), keys.end(), [&path](const StoredKey& key) { return PathStartsWith(key.Path(), path); });
    if (kept == keys.end())
        return false;
    keys.erase(kept, keys.end());
    order.resize(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [this](size_t a, size_t b) { return ComparePaths(keys[a].Path(), keys[b].Path()) < 0; });
    return true;
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && CompareNames(a, b) == 0;
}

int CompareNames(const std::wstring& a, const std::wstring& b)
{
    if (const CompareOrdinal compare = SystemCompareOrdinal())
        return compare(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) -
               CSTR_EQUAL;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    {
        const wchar_t left = FoldUnit(a[i]);
        const wchar_t right = FoldUnit(b[i]);
        if (left != right)
            return left < right ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int ComparePaths(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b)
{
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (const int order = CompareNames(a[i], b[i]))
            return order;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool PathStartsWith(const std::vector<std::wstring>& path, const std::vector<std::wstring>& prefix)
{
    if (path.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (!SameName(path[i], prefix[i]))
            return false;
    return true;
}

std::wstring EscapeName(const std::wstring& name)
{
    std::wstring escaped;
    escaped.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i)
        if (NeedsEscape(name, i))
            AppendEscape(escaped, name[i]);
        else
            escaped += name[i];
    return escaped;
}

bool UnescapeName(const std::wstring& escaped, std::wstring& name)
{
    return Unescape({escaped.data(), escaped.data() + escaped.size()}, name);
}

ProfileFileModel ParseProfileText(const std::string& bytes)
{
    ProfileFileModel model;
    StoredKey* current = nullptr;
    std::wstring line;
    std::vector<std::wstring> path;
    // A byte-order mark that an editor put in front is not part of the first line.
    for (size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; start < bytes.size();)
    {
        const size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        const size_t next = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        const size_t first = bytes.find_first_not_of(" \t", start);
        if (first < end && (bytes[first] == ';' || bytes[first] == '#'))
        {
            start = next;
            continue;
        }
        const bool pathLine = first < end && bytes[first] == '[';
        const bool decoded = DecodeUtf8(bytes.data() + start, end - start, line);
        start = next;

        if (pathLine)
        {
            const Span trimmed = Trimmed(line.data(), line.data() + (decoded ? line.size() : 0));
            const std::wstring inner(trimmed.begin, trimmed.end);
            const bool good = inner.size() >= 2 && inner.back() == L']' &&
                              ParsePath(inner.substr(1, inner.size() - 2), path);
            current = good ? &model.Key(path) : nullptr;
            continue;
        }
        StoredValue value;
        if (current && decoded && ParseValue(line, value))
            current->Set(std::move(value));
    }
    return model;
}

std::string FormatProfileText(const ProfileFileModel& model)
{
    std::string text;
    for (const StoredKey& key : model.Keys())
    {
        std::wstring line = L"[";
        for (size_t i = 0; i < key.Path().size(); ++i)
            line += (i ? L"\\" : L"") + EscapeName(key.Path()[i]);
        line += L"]";
        AppendUtf8(text, line);
        text += "\r\n";
        for (const StoredValue& value : key.Values())
        {
            AppendUtf8(text, EscapeName(value.name));
            switch (value.type)
            {
            case StoredType::Dword:
            {
                text += "=dword:";
                for (int shift = 28; shift >= 0; shift -= 4)
                    text += LowerHexDigits[value.number >> shift & 15];
                break;
            }
            case StoredType::String:
                text += "=string:";
                AppendUtf8(text, EscapeName(value.text));
                break;
            case StoredType::Binary:
                text += "=binary:";
                for (BYTE byte : value.bytes)
                {
                    text += LowerHexDigits[byte >> 4];
                    text += LowerHexDigits[byte & 15];
                }
                break;
            }
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

std::wstring FileStemOfKey(const std::wstring& name)
{
    std::wstring stem;
    const bool device = IsDeviceName(name);
    for (size_t i = 0; i < name.size(); ++i)
    {
        const wchar_t unit = name[i];
        const bool forFiles = std::wstring(L":*?\"<>|/").find(unit) != std::wstring::npos ||
                              (unit == L'.' && i + 1 == name.size()) || (i == 0 && (unit == L'(' || device));
        if (forFiles || NeedsEscape(name, i))
            AppendEscape(stem, unit);
        else
            stem += unit;
    }
    return stem;
}
} // namespace pardalin::detail
