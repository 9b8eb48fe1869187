// The controls tests' host dialog and what they read back from the screen.
#pragma once

#include "ControlsTestResources.h"

#include <afxwin.h>

namespace controlstest
{
// The test dialog, modeless and shown, destroyed with the object.
struct CHostDialog : CDialog
{
    explicit CHostDialog(UINT nIDTemplate = IDD_CONTROLS_HOST) { m_bMade = Create(nIDTemplate) != FALSE; }
    ~CHostDialog() override { DestroyWindow(); }
    bool m_bMade = false;
};

// How many pixels of rect (client coordinates of wnd) satisfy test, once the window has painted.
template <class Test> int CountPixels(CWnd& wnd, const CRect& rect, Test test)
{
    wnd.UpdateWindow();
    CClientDC dc(&wnd);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += test(dc.GetPixel(x, y)) ? 1 : 0;
    return count;
}

inline int CountPixels(CWnd& wnd, const CRect& rect, COLORREF colour)
{
    return CountPixels(wnd, rect, [colour](COLORREF pixel) { return pixel == colour; });
}
} // namespace controlstest
