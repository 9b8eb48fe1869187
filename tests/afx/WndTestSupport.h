// Helpers for the window, dialog and control tests: pumping messages until something happened.
#pragma once

#include <afxwin.h>

#include <functional>
#include <ostream>
#include <vector>

// Lets test failures show CString values as text.
inline void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << CStringA(text).GetString() << '"';
}

namespace wndtest
{
// Dispatches this thread's messages until done() holds or the time runs out (it is generous: the tests
// never measure it). The result is done()'s last answer. Messages pass the framework's pre-translation, as
// they would in an application's loop.
inline bool PumpUntil(const std::function<bool()>& done, DWORD dwTimeoutMs = 10000)
{
    DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return done();
            }
            if (!CWnd::WalkPreTranslateTree(nullptr, &msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (done())
            {
                return true;
            }
        }
        if (::GetTickCount() - dwStart > dwTimeoutMs)
        {
            return done();
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

// Dispatches what is queued now.
inline void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

inline CString TextOf(HWND hWnd)
{
    CString text;
    int nLength = ::GetWindowTextLengthW(hWnd);
    ::GetWindowTextW(hWnd, text.GetBufferSetLength(nLength), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

// Where the windows under test go (screen or parent coordinates).
inline CRect TestRect(int x = 10, int y = 10, int cx = 300, int cy = 200)
{
    return CRect(x, y, x + cx, y + cy);
}
} // namespace wndtest
