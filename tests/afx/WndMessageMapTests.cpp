// Message maps driven by real messages: cracked arguments, commands and their update handlers,
// notifications, and reflection of control messages to the controls that sent them.
#include "WndTestSupport.h"

#include <afxcmn.h>

#include <gtest/gtest.h>

#include <vector>

using wndtest::TestRect;

namespace
{
const UINT IDC_BUTTON = 101;
const UINT IDC_REFLECTING_BUTTON = 102;
const UINT IDC_SCROLL = 110;
const UINT ID_RANGE_FIRST = 200;
const UINT ID_RANGE_LAST = 209;
const UINT ID_DISABLED = 210;
const UINT WM_APP_SUM = WM_APP + 1;

const UINT s_nRegisteredMessage = ::RegisterWindowMessageW(L"Pardalin.AfxWnd.TestMessage");

// A button that handles its own click (its parent never hears of it).
class CReflectingButton : public CButton
{
public:
    int m_nClicks = 0;

protected:
    afx_msg void OnReflectedClick() { ++m_nClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, &CReflectingButton::OnReflectedClick)
END_MESSAGE_MAP()

// The parent of every control here; it records what its own handlers saw.
class CParentWnd : public CWnd
{
public:
    int m_nButtonClicks = 0;
    int m_nReflectingClicks = 0;
    std::vector<UINT> m_rangeIDs;
    int m_nDisabledCommands = 0;
    CString m_strRegisteredSeen;

    UINT m_nMouseFlags = 0;
    CPoint m_mousePoint;
    CWnd* m_pContextWnd = nullptr;
    CPoint m_contextPoint;
    UINT m_nScrollCode = 0;
    UINT m_nScrollPos = 0;
    HWND m_hScrollBar = reinterpret_cast<HWND>(-1);
    UINT m_nHitTest = 0;
    UINT m_nMouseMessage = 0;
    HWND m_hFocusFrom = reinterpret_cast<HWND>(-1);
    UINT_PTR m_nTimer = 0;

protected:
    afx_msg void OnButton() { ++m_nButtonClicks; }
    afx_msg void OnReflectingButton() { ++m_nReflectingClicks; }
    afx_msg void OnRange(UINT nID) { m_rangeIDs.push_back(nID); }
    afx_msg void OnDisabled() { ++m_nDisabledCommands; }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg LRESULT OnSum(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM lParam)
    {
        m_strRegisteredSeen = reinterpret_cast<LPCWSTR>(lParam);
        return 1234;
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_nMouseFlags = nFlags;
        m_mousePoint = point;
    }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos)
    {
        m_pContextWnd = pWnd;
        m_contextPoint = pos;
    }
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        m_nScrollCode = nSBCode;
        m_nScrollPos = nPos;
        m_hScrollBar = pScrollBar->GetSafeHwnd();
    }
    afx_msg BOOL OnSetCursor(CWnd*, UINT nHitTest, UINT message)
    {
        m_nHitTest = nHitTest;
        m_nMouseMessage = message;
        return TRUE;
    }
    afx_msg void OnSetFocus(CWnd* pOldWnd) { m_hFocusFrom = pOldWnd->GetSafeHwnd(); }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { m_nTimer = nIDEvent; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
ON_BN_CLICKED(IDC_BUTTON, &CParentWnd::OnButton)
ON_BN_CLICKED(IDC_REFLECTING_BUTTON, &CParentWnd::OnReflectingButton)
ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, &CParentWnd::OnRange)
ON_COMMAND(ID_DISABLED, &CParentWnd::OnDisabled)
ON_UPDATE_COMMAND_UI(ID_DISABLED, &CParentWnd::OnUpdateDisabled)
ON_MESSAGE(WM_APP_SUM, &CParentWnd::OnSum)
ON_REGISTERED_MESSAGE(s_nRegisteredMessage, &CParentWnd::OnRegistered)
ON_WM_LBUTTONDOWN()
ON_WM_CONTEXTMENU()
ON_WM_VSCROLL()
ON_WM_SETCURSOR()
ON_WM_SETFOCUS()
ON_WM_TIMER()
END_MESSAGE_MAP()

class AfxWndMessageMap : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"Parent", WS_POPUP | WS_VISIBLE,
                                      TestRect(0, 0, 400, 300), nullptr, 0));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    HWND MakeButton(UINT nID, DWORD dwStyle = BS_PUSHBUTTON)
    {
        return ::CreateWindowExW(0, L"BUTTON", L"Button", WS_CHILD | WS_VISIBLE | dwStyle, 0, 0, 80, 24,
                                 m_parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                 nullptr, nullptr);
    }

    CParentWnd m_parent;
};
} // namespace

TEST_F(AfxWndMessageMap, WindowMessagesArriveCracked)
{
    // Coordinates are signed 16-bit values in the message.
    m_parent.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-3, 7));
    EXPECT_EQ(static_cast<UINT>(MK_LBUTTON | MK_SHIFT), m_parent.m_nMouseFlags);
    EXPECT_EQ(CPoint(-3, 7), m_parent.m_mousePoint);

    // The window the menu is for comes as an object; a keyboard request has the position -1, -1.
    m_parent.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_parent.m_hWnd), MAKELPARAM(-1, -1));
    EXPECT_EQ(&m_parent, m_parent.m_pContextWnd);
    EXPECT_EQ(CPoint(-1, -1), m_parent.m_contextPoint);

    // A window's own scroll bar sends no handle: no scroll bar object.
    m_parent.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1234), 0);
    EXPECT_EQ(static_cast<UINT>(SB_THUMBTRACK), m_parent.m_nScrollCode);
    EXPECT_EQ(1234u, m_parent.m_nScrollPos);
    EXPECT_EQ(nullptr, m_parent.m_hScrollBar);

    // HTERROR is negative in the message and arrives as (UINT)-2, as handlers compare it.
    EXPECT_EQ(TRUE, m_parent.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_parent.m_hWnd),
                                         MAKELPARAM(HTERROR, WM_LBUTTONDOWN)));
    EXPECT_EQ(static_cast<UINT>(HTERROR), m_parent.m_nHitTest);
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), m_parent.m_nMouseMessage);

    m_parent.SendMessage(WM_TIMER, 7, 0);
    EXPECT_EQ(7u, m_parent.m_nTimer);
    EXPECT_EQ(40, m_parent.SendMessage(WM_APP_SUM, 15, 25));
    EXPECT_EQ(1234, m_parent.SendMessage(s_nRegisteredMessage, 0, reinterpret_cast<LPARAM>(L"registered")));
    EXPECT_EQ(CString(L"registered"), m_parent.m_strRegisteredSeen);
}

// Focus changes need the display's keyboard focus, which other programs compete for.
class AfxWndMessageMapFocus : public AfxWndMessageMap
{
};

TEST_F(AfxWndMessageMapFocus, FocusComesFromTheSystem)
{
    HWND hButton = MakeButton(IDC_BUTTON);
    ::SetFocus(hButton);
    m_parent.SetFocus();
    EXPECT_EQ(hButton, m_parent.m_hFocusFrom);
}

TEST_F(AfxWndMessageMap, ButtonClicksReachTheParentUnlessTheButtonTakesThem)
{
    HWND hPlain = MakeButton(IDC_BUTTON);
    ::SendMessageW(hPlain, BM_CLICK, 0, 0);
    EXPECT_EQ(1, m_parent.m_nButtonClicks);

    CReflectingButton reflecting;
    ASSERT_TRUE(
        reflecting.Create(L"Mine", WS_VISIBLE, TestRect(0, 30, 80, 24), &m_parent, IDC_REFLECTING_BUTTON));
    reflecting.Click();
    EXPECT_EQ(1, reflecting.m_nClicks);
    EXPECT_EQ(0, m_parent.m_nReflectingClicks);
    EXPECT_EQ(1, m_parent.m_nButtonClicks);
}

TEST_F(AfxWndMessageMap, MenuCommandsAreRoutedUnlessDisabled)
{
    // Commands from menus and accelerators come without a control.
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_FIRST, 0), 0);
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_LAST, 1), 0);
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_LAST + 100, 0), 0);
    EXPECT_EQ((std::vector<UINT>{ID_RANGE_FIRST, ID_RANGE_LAST}), m_parent.m_rangeIDs);

    // Its update handler disables ID_DISABLED: the command is dropped, although it has a handler.
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DISABLED, 0), 0);
    EXPECT_EQ(0, m_parent.m_nDisabledCommands);
    // Asked directly, the handler is there.
    AFX_CMDHANDLERINFO info = {};
    EXPECT_TRUE(m_parent.OnCmdMsg(ID_DISABLED, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(&m_parent, info.pTarget);
    EXPECT_EQ(0, m_parent.m_nDisabledCommands);
    EXPECT_FALSE(m_parent.OnCmdMsg(ID_RANGE_LAST + 100, CN_COMMAND, nullptr, &info));
}
