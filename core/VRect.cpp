#include "core/VRect.h"

#include "core/VStringArray.h"

#include <utility>

namespace
{

VStringArray SplitAtCommas(const VUnicodeString& text)
{
    VStringArray parts;
    int start = 0;
    for (;;)
    {
        const int comma = text.Find(L',', start);
        if (comma < 0)
        {
            parts.Add(text.Mid(start));
            return parts;
        }
        parts.Add(text.Mid(start, comma - start));
        start = comma + 1;
    }
}

} // namespace

VRect::VRect() : m_nLeft(0), m_nTop(0), m_nRight(0), m_nBottom(0) {}

VRect::VRect(int left, int top, int right, int bottom)
    : m_nLeft(left), m_nTop(top), m_nRight(right), m_nBottom(bottom)
{
}

VRect::VRect(const CRect& rect)
    : m_nLeft(rect.left), m_nTop(rect.top), m_nRight(rect.right), m_nBottom(rect.bottom)
{
}

VRect::VRect(const VUnicodeString& text) : VRect()
{
    const VStringArray parts = SplitAtCommas(text);
    // Only the value matters: a part that is no number keeps what the converter made of it.
    Str::ToIntStrict(parts[0], m_nBottom);
    Str::ToIntStrict(parts[1], m_nRight);
    Str::ToIntStrict(parts[2], m_nTop);
    Str::ToIntStrict(parts[3], m_nLeft);
}

void VRect::NormalizeRect()
{
    if (m_nTop > m_nBottom)
        std::swap(m_nTop, m_nBottom);
    if (m_nLeft > m_nRight)
        std::swap(m_nLeft, m_nRight);
}

CRect VRect::ToCRect() const
{
    return CRect(m_nLeft, m_nTop, m_nRight, m_nBottom);
}

VUnicodeString VRect::ToString() const
{
    VUnicodeString text;
    text.Format(L"%1!d!, %2!d!, %3!d!, %4!d!", m_nBottom, m_nRight, m_nTop, m_nLeft);
    return text;
}
