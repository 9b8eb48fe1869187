// DialogTemplateReader: walks a dialog template's resource data (DLGTEMPLATEEX, then its
// DLGITEMTEMPLATEEX's on DWORD boundaries), for tests that hold templates against their tables.
//
//     DialogTemplateReader reader(LoadTheTemplate());
//     EXPECT_EQ(reader.Read<DWORD>(), 0xFFFF0001u); // version 1, extended
//     ...
//     reader.AlignItem();
//     EXPECT_EQ(reader.Rect(), L"7,4,266,36");
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

struct DialogTemplateReader
{
    explicit DialogTemplateReader(const BYTE* pData) : pBase(pData), p(pData) {}

    template <class T> T Read()
    {
        T value;
        memcpy(&value, p, sizeof(T));
        p += sizeof(T);
        return value;
    }
    // A string, or the ordinal of a predefined window class, given here by the class name.
    std::wstring Text()
    {
        static const wchar_t* const classes[] = {L"Button",  L"Edit",      L"Static",
                                                 L"ListBox", L"ScrollBar", L"ComboBox"};
        WORD ch = Read<WORD>();
        if (ch == 0xFFFF)
        {
            const WORD ordinal = Read<WORD>();
            return ordinal >= 0x80 && ordinal <= 0x85 ? classes[ordinal - 0x80]
                                                      : L"#" + std::to_wstring(ordinal);
        }
        std::wstring text;
        for (; ch != 0; ch = Read<WORD>())
            text += static_cast<wchar_t>(ch);
        return text;
    }
    // Four shorts as "x,y,cx,cy".
    std::wstring Rect()
    {
        auto x = Read<short>(), y = Read<short>(), cx = Read<short>(), cy = Read<short>();
        return std::to_wstring(x) + L"," + std::to_wstring(y) + L"," + std::to_wstring(cx) + L"," +
               std::to_wstring(cy);
    }
    // Items start on DWORD boundaries.
    void AlignItem() { p = pBase + (p - pBase + 3) / 4 * 4; }

    const BYTE *pBase, *p;
};
