#include "frame/TextHelpers.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
const wchar_t kEllipsisDir[] = L"\\...\\";

// Text widths in a window's client DC with the window's font selected for the life of the object.
class TextMeasurer
{
public:
    explicit TextMeasurer(CWnd* wnd) : m_dc(wnd)
    {
        HFONT font = reinterpret_cast<HFONT>(::SendMessageW(wnd->GetSafeHwnd(), WM_GETFONT, 0, 0));
        m_hOldFont = font ? m_dc.SelectObject(font) : nullptr;
    }
    ~TextMeasurer()
    {
        if (m_hOldFont)
            m_dc.SelectObject(m_hOldFont);
    }
    TextMeasurer(const TextMeasurer&) = delete;
    TextMeasurer& operator=(const TextMeasurer&) = delete;

    bool Fits(const std::wstring& text, int width) const
    {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32W(m_dc.GetSafeHdc(), text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx <= width;
    }

private:
    CClientDC m_dc;
    HGDIOBJ m_hOldFont;
};

// The parts _wsplitpath gives (drive, directory with its last "\", name, extension from the last "."),
// without its fixed buffer lengths, so that paths of any length split.
struct PathParts
{
    std::wstring drive, dir, name, ext;

    explicit PathParts(const std::wstring& path)
    {
        std::wstring rest = path;
        if (rest.size() >= 2 && rest[1] == L':')
        {
            drive = rest.substr(0, 2);
            rest.erase(0, 2);
        }
        const size_t slash = rest.find_last_of(L'\\');
        if (slash != std::wstring::npos)
        {
            dir = rest.substr(0, slash + 1);
            rest.erase(0, slash + 1);
        }
        const size_t dot = rest.find_last_of(L'.');
        name = rest.substr(0, dot);
        if (dot != std::wstring::npos)
            ext = rest.substr(dot);
    }
};

std::wstring Abbreviate(const TextMeasurer& measure, int width, std::wstring path)
{
    const bool hadSlashes = path.find(L'/') != std::wstring::npos;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    const PathParts parts(path);
    std::wstring drive = parts.drive;
    std::wstring rest = parts.dir;
    const std::wstring file = parts.name + parts.ext;

    std::wstring server;
    if (rest.compare(0, 2, L"\\\\") == 0)
    {
        const size_t end = rest.find(L'\\', 2);
        const size_t split = end == std::wstring::npos ? rest.size() : end + 1;
        server = rest.substr(0, split);
        rest.erase(0, split);
        if (rest.size() >= 2 && rest[1] == L':')
        {
            drive = rest.substr(0, 2);
            rest.erase(0, 2);
        }
    }
    bool leadingSeparator = false;
    if (!rest.empty() && rest[0] == L'\\')
    {
        rest.erase(0, 1);
        leadingSeparator = true;
    }
    std::wstring head;
    const size_t first = rest.find(L'\\');
    if (first != std::wstring::npos && rest.find(L'\\', first + 1) != std::wstring::npos)
    {
        head = (leadingSeparator ? L"\\" : L"") + rest.substr(0, first);
        rest.erase(0, first + 1);
    }
    head += kEllipsisDir;

    // The candidates drop one more leading directory each; the first that fits (or the one that has dropped
    // them all) wins. Dropping characters never widens a text, so the first fit is found by halving.
    std::vector<size_t> starts; // where rest begins after k + 1 directories are dropped
    for (size_t at = rest.find(L'\\'); at != std::wstring::npos; at = rest.find(L'\\', at + 1))
        starts.push_back(at + 1);
    if (starts.empty() || starts.back() != rest.size())
        starts.push_back(rest.size());
    const std::wstring prefix = server + drive + head;
    auto candidate = [&](size_t k) { return prefix + rest.substr(starts[k]) + file; };
    size_t low = 0, high = starts.size() - 1;
    while (low < high)
    {
        const size_t middle = low + (high - low) / 2;
        if (measure.Fits(candidate(middle), width))
            high = middle;
        else
            low = middle + 1;
    }
    std::wstring result = candidate(low);
    if (!measure.Fits(result, width))
    {
        result = server + drive + kEllipsisDir + file;
        if (!measure.Fits(result, width))
        {
            result = L"...\\" + file;
            if (!measure.Fits(result, width))
                result = file;
        }
    }
    if (hadSlashes)
        std::replace(result.begin(), result.end(), L'\\', L'/');
    return result;
}
} // namespace

CString AbbreviatePathname(CWnd* wnd, const wchar_t* path)
{
    CRect client(0, 0, 0, 0);
    ::GetClientRect(wnd->GetSafeHwnd(), &client);
    return AbbreviatePathname(wnd, client, path);
}

CString AbbreviatePathname(CWnd* wnd, const CRect& rect, const wchar_t* path)
{
    if (!path)
        return CString();
    const TextMeasurer measure(wnd);
    const int width = rect.right - rect.left;
    const std::wstring text(path);
    if (measure.Fits(text, width))
        return CString(path);
    return CString(Abbreviate(measure, width, text).c_str());
}

VUnicodeString DoubleToString(double value)
{
    wchar_t buffer[256];
    // The runtime's own formatter, so that the thread's locale gives the decimal separator; a number too long
    // for the buffer is cut off.
    if (_snwprintf(buffer, 256, L"%.3f", value) < 0)
        buffer[255] = 0;
    return VUnicodeString(buffer);
}

VUnicodeString EscapeAmpersand(const wchar_t* text)
{
    VUnicodeString result;
    for (const wchar_t* p = text; p && *p; ++p)
    {
        if (*p == L'&')
            result += L'&';
        result += *p;
    }
    return result;
}

VUnicodeString RemoveAmpersand(const wchar_t* text)
{
    if (!text)
        return VUnicodeString();
    const wchar_t* amp = wcschr(text, L'&');
    if (!amp)
        return VUnicodeString(text);
    VUnicodeString result(text, static_cast<int>(amp - text));
    result += amp + 1;
    return result;
}

CMenu* FindMenu(CMenu* menu, const wchar_t* text)
{
    if (!menu || !text || !::IsMenu(menu->GetSafeHmenu()))
        return nullptr;
    const int count = menu->GetMenuItemCount();
    for (int i = 0; i < count; ++i)
    {
        CMenu* sub = menu->GetSubMenu(i);
        if (!sub)
            continue;
        CString itemText;
        menu->GetMenuString(i, itemText, MF_BYPOSITION);
        if (itemText.CompareNoCase(text) == 0)
            return sub;
        if (CMenu* found = FindMenu(sub, text))
            return found;
    }
    return nullptr;
}

void VPopulateComboBox(CComboBox* combo, const VStringArray& items, const VUnicodeString& selected)
{
    if (!combo)
        return;
    for (int i = 0; i < items.GetCount(); ++i)
        combo->AddString(items[i]);
    if (combo->SelectString(-1, selected) == CB_ERR)
        combo->SetCurSel(0);
}

bool VIsReadOnly(int mode)
{
    return mode == 1 || mode == 2;
}

bool VIsReadOnlyOrTemplate(int mode)
{
    return mode >= 1 && mode <= 4;
}
