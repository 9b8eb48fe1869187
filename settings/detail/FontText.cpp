#include "settings/detail/FontText.h"

#include <cwchar>
#include <cwctype>

namespace pardalin::detail
{
namespace
{
// One "%d" of the scanner: blanks, an optional sign, at least one digit. The number wraps like the C
// library's scanner does with a value too large for int.
bool ReadNumber(const wchar_t*& p, int& value)
{
    const wchar_t* q = p;
    while (iswspace(*q))
        ++q;
    bool negative = false;
    if (*q == L'+' || *q == L'-')
        negative = *q++ == L'-';
    if (*q < L'0' || *q > L'9')
        return false;
    unsigned int magnitude = 0;
    while (*q >= L'0' && *q <= L'9')
        magnitude = magnitude * 10 + static_cast<unsigned int>(*q++ - L'0');
    value = static_cast<int>(negative ? 0u - magnitude : magnitude);
    p = q;
    return true;
}

bool ReadComma(const wchar_t*& p)
{
    if (*p != L',')
        return false;
    ++p;
    return true;
}
} // namespace

std::wstring FormatFontText(int pointSize, const LOGFONTW& font)
{
    wchar_t numbers[256];
    swprintf(numbers, 256, L"%d,%ld,%ld,%ld,%ld,%ld,%u,%u,%u,%u,%u,%u,%u,%u,", pointSize, font.lfHeight,
             font.lfWidth, font.lfEscapement, font.lfOrientation, font.lfWeight, font.lfItalic,
             font.lfUnderline, font.lfStrikeOut, font.lfCharSet, font.lfOutPrecision, font.lfClipPrecision,
             font.lfQuality, font.lfPitchAndFamily);
    // The face name field may lack its terminator in a structure filled by hand.
    return std::wstring(numbers) + std::wstring(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE));
}

void ParseFontText(const wchar_t* text, int& pointSize, LOGFONTW& font)
{
    if (!text)
        return;
    LONG* const longs[] = {&font.lfHeight, &font.lfWidth, &font.lfEscapement, &font.lfOrientation,
                           &font.lfWeight};
    BYTE* const bytes[] = {&font.lfItalic,  &font.lfUnderline,     &font.lfStrikeOut,
                           &font.lfCharSet, &font.lfOutPrecision,  &font.lfClipPrecision,
                           &font.lfQuality, &font.lfPitchAndFamily};
    const wchar_t* p = text;
    if (!ReadNumber(p, pointSize))
        return;
    for (LONG* field : longs)
    {
        int value = 0;
        if (!ReadComma(p) || !ReadNumber(p, value))
            return;
        *field = value;
    }
    for (BYTE* field : bytes)
    {
        int value = 0;
        if (!ReadComma(p) || !ReadNumber(p, value))
            return;
        *field = static_cast<BYTE>(value);
    }
    if (!ReadComma(p))
        return;
    size_t length = 0;
    while (p[length] >= L' ' && p[length] <= L'z')
        ++length;
    if (length == 0)
        return;
    if (length > LF_FACESIZE - 1)
        length = LF_FACESIZE - 1;
    wmemcpy(font.lfFaceName, p, length);
    font.lfFaceName[length] = L'\0';
}
} // namespace pardalin::detail
