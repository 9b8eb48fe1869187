// Helpers for the window, dialog and control tests: a window that records what reaches it, and where the
// windows go.
#pragma once

#include <afxwin.h>

#include <ostream>
#include <vector>

// Lets test failures show CString values as text.
inline void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << CStringA(text).GetString() << '"';
}

namespace wndtest
{
inline CString TextOf(HWND hWnd)
{
    CString text;
    int nLength = ::GetWindowTextLengthW(hWnd);
    ::GetWindowTextW(hWnd, text.GetBufferSetLength(nLength), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

// The window of the window tests: records every message its procedure sees and every message offered to
// its pre-translation, and what creation and destruction looked like from inside.
class CRecordingWnd : public CWnd
{
public:
    std::vector<UINT> m_messages;
    HWND m_hWndInCreate = nullptr;
    bool m_bPermanentInCreate = false;
    CString m_strNameInCreate;
    int m_nCreateAnswer = 0;
    bool m_bThrowInCreate = false;
    int m_nDestroys = 0;
    int m_nNcDestroys = 0;
    int m_nPostNcDestroys = 0;
    int m_cx = -1;
    int m_cy = -1;

    std::vector<UINT> m_preTranslated;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        m_preTranslated.push_back(pMsg->message);
        return CWnd::PreTranslateMessage(pMsg);
    }
    void PostNcDestroy() override { ++m_nPostNcDestroys; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_hWndInCreate = m_hWnd;
        m_bPermanentInCreate = FromHandlePermanent(m_hWnd) == this;
        m_strNameInCreate = lpCreateStruct->lpszName;
        if (m_bThrowInCreate)
        {
            AfxThrowUserException();
        }
        return m_nCreateAnswer != 0 ? m_nCreateAnswer : CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnDestroy()
    {
        ++m_nDestroys;
        CWnd::OnDestroy();
    }
    afx_msg void OnNcDestroy()
    {
        ++m_nNcDestroys;
        CWnd::OnNcDestroy();
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_cx = cx;
        m_cy = cy;
        CWnd::OnSize(nType, cx, cy);
    }

    DECLARE_MESSAGE_MAP()
};

// Where the windows under test go (screen or parent coordinates).
inline CRect TestRect(int x = 10, int y = 10, int cx = 300, int cy = 200)
{
    return CRect(x, y, x + cx, y + cy);
}
} // namespace wndtest
