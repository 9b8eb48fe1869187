// The controls tests' host dialog and what they read back from the screen.
#pragma once

#include "ControlsTestResources.h"

#include <afxwin.h>

#include <functional>

namespace controlstest
{
// The test dialog, modeless and shown, destroyed with the object.
class CHostDialog : public CDialog
{
public:
    explicit CHostDialog(UINT nIDTemplate = IDD_CONTROLS_HOST) { m_bMade = Create(nIDTemplate) != FALSE; }
    ~CHostDialog() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
    bool m_bMade = false;
};

// How many pixels of rect (client coordinates of wnd) satisfy test; what the window painted last.
inline int CountPixels(CWnd& wnd, const CRect& rect, const std::function<bool(COLORREF)>& test)
{
    wnd.UpdateWindow();
    CClientDC dc(&wnd);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
    {
        for (int x = rect.left; x < rect.right; ++x)
        {
            if (test(dc.GetPixel(x, y)))
                ++count;
        }
    }
    return count;
}

inline std::function<bool(COLORREF)> Is(COLORREF colour)
{
    return [colour](COLORREF pixel) { return pixel == colour; };
}
} // namespace controlstest
