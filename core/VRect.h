/// \file
/// VRect and its comparisons.

/// \class VRect
/// A rectangle with the layout of a Win32 RECT (left, top, right, bottom) and a text form that lists the
/// values as "bottom, right, top, left", the form the settings store saves rectangles in.
///
/// \code{.cpp}
/// VRect rect(10, 20, 300, 400);
/// VUnicodeString text = rect.ToString(); // "400, 300, 20, 10"
/// VRect back(text);                      // equal to rect
/// CRect forHost = back.ToCRect();
/// \endcode
///
/// The right and bottom edges lie outside the rectangle, as in a RECT; nothing keeps left <= right or
/// top <= bottom (see NormalizeRect).
#pragma once

#include <afx.h>
#include <atltypes.h>

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

class PARDALIN_API VRect
{
public:
    // Construction

    /// The empty rectangle at the origin, all four edges 0.
    VRect();
    /// The rectangle with the given edges, taken as they are.
    VRect(int left, int top, int right, int bottom);
    /// The host's MFC rectangle, edge for edge.
    explicit VRect(const CRect& rect);
    /// Parses the text form, comma-separated base-10 numbers "bottom, right, top, left" (white space
    /// around each allowed). Parts that are no number read as what the converter returned (0 when nothing
    /// was read), parts after the fourth are ignored, and fewer than four parts throw
    /// VArray<VUnicodeString>::OutOfRange.
    explicit VRect(const VUnicodeString& text);

    // Attributes

    /// The edges, in the rectangle's coordinates.
    ///@{
    int Left() const { return m_nLeft; }
    int Top() const { return m_nTop; }
    int Right() const { return m_nRight; }
    int Bottom() const { return m_nBottom; }
    ///@}
    /// Set one edge; the others stay.
    ///@{
    void SetLeft(int value) { m_nLeft = value; }
    void SetTop(int value) { m_nTop = value; }
    void SetRight(int value) { m_nRight = value; }
    void SetBottom(int value) { m_nBottom = value; }
    ///@}
    /// Right minus left; negative when the rectangle is not normalised.
    int Width() const { return m_nRight - m_nLeft; }
    /// Bottom minus top; negative when the rectangle is not normalised.
    int Height() const { return m_nBottom - m_nTop; }

    // Operations

    /// Swaps top and bottom when top > bottom, then left and right when left > right.
    void NormalizeRect();

    /// The host's MFC rectangle with the same edges.
    CRect ToCRect() const;

    /// The text form "bottom, right, top, left", as "400, 300, 20, 10"; the text constructor reads it back.
    VUnicodeString ToString() const;

private:
    int m_nLeft;
    int m_nTop;
    int m_nRight;
    int m_nBottom;
};

/// Whether all four edges are equal.
inline bool operator==(const VRect& a, const VRect& b)
{
    return a.Left() == b.Left() && a.Top() == b.Top() && a.Right() == b.Right() && a.Bottom() == b.Bottom();
}
/// Whether any edge differs.
inline bool operator!=(const VRect& a, const VRect& b)
{
    return !(a == b);
}
