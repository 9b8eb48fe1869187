// VRect: a rectangle with the layout of a Win32 RECT (left, top, right, bottom) and a text form that
// lists the values as "bottom, right, top, left".
#pragma once

#include <afx.h>
#include <atltypes.h>

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

class PARDALIN_API VRect
{
public:
    VRect();
    VRect(int left, int top, int right, int bottom);
    explicit VRect(const CRect& rect);
    // Parses the text form. Parts that are no number read as what the converter returned (0 when nothing
    // was read), parts after the fourth are ignored, and fewer than four parts throw
    // VArray<VUnicodeString>::OutOfRange.
    explicit VRect(const VUnicodeString& text);

    int Left() const { return m_nLeft; }
    int Top() const { return m_nTop; }
    int Right() const { return m_nRight; }
    int Bottom() const { return m_nBottom; }
    void SetLeft(int value) { m_nLeft = value; }
    void SetTop(int value) { m_nTop = value; }
    void SetRight(int value) { m_nRight = value; }
    void SetBottom(int value) { m_nBottom = value; }
    int Width() const { return m_nRight - m_nLeft; }
    int Height() const { return m_nBottom - m_nTop; }

    // Swaps top and bottom when top > bottom, then left and right when left > right.
    void NormalizeRect();

    CRect ToCRect() const;

    // "bottom, right, top, left", as "400, 300, 20, 10".
    VUnicodeString ToString() const;

private:
    int m_nLeft;
    int m_nTop;
    int m_nRight;
    int m_nBottom;
};

inline bool operator==(const VRect& a, const VRect& b)
{
    return a.Left() == b.Left() && a.Top() == b.Top() && a.Right() == b.Right() && a.Bottom() == b.Bottom();
}
inline bool operator!=(const VRect& a, const VRect& b)
{
    return !(a == b);
}
