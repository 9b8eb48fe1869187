// Windows created through objects: creation through the CBT hook, the handle map, subclassing, destruction
// and errors that escape handlers.
#include "WndTestSupport.h"

#include "harness/TestApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

using wndtest::TestRect;
using wndtest::TextOf;

using wndtest::CRecordingWnd;

namespace
{
BOOL CreatePopup(CWnd& wnd, LPCTSTR lpszName = L"Probe")
{
    return wnd.CreateEx(0, AfxRegisterWndClass(0), lpszName, WS_POPUP, TestRect(), nullptr, 0);
}

// Tells its owner when it is deleted.
class CTrackedFrame : public CFrameWnd
{
public:
    explicit CTrackedFrame(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CTrackedFrame() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

// An edit that counts the characters it sees and swallows 'x'.
class CCountingEdit : public CEdit
{
public:
    int m_nChars = 0;
    int m_nPreSubclass = 0;

    void PreSubclassWindow() override
    {
        ++m_nPreSubclass;
        CEdit::PreSubclassWindow();
    }

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        ++m_nChars;
        if (nChar != 'x')
        {
            CEdit::OnChar(nChar, nRepCnt, nFlags);
        }
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

const UINT WM_APP_THROW = WM_APP + 10;

// Throws from a message handler whatever m_throw throws.
class CThrowingWnd : public CWnd
{
public:
    std::function<void()> m_throw;

protected:
    afx_msg LRESULT OnThrow(WPARAM, LPARAM)
    {
        m_throw();
        return 1;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
ON_MESSAGE(WM_APP_THROW, &CThrowingWnd::OnThrow)
END_MESSAGE_MAP()
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Creation

TEST(AfxWndCreate, MessagesReachTheObjectFromTheFirstOne)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));

    // The hook attached the window before WM_NCCREATE: creation messages were routed to the object.
    ASSERT_FALSE(wnd.m_messages.empty());
    const auto nccreate = std::find(wnd.m_messages.begin(), wnd.m_messages.end(), UINT{WM_NCCREATE});
    EXPECT_NE(wnd.m_messages.end(), std::find(nccreate, wnd.m_messages.end(), UINT{WM_CREATE}));
    EXPECT_TRUE(wnd.m_bPermanentInCreate);
    EXPECT_EQ(CString(L"Probe"), wnd.m_strNameInCreate);
    EXPECT_EQ(1, wnd.SendMessage(WM_QUERYAFXWNDPROC));

    // Later messages go through the same map, with their arguments cracked.
    wnd.MoveWindow(0, 0, 123, 77);
    EXPECT_EQ(123, wnd.m_cx);
    EXPECT_EQ(77, wnd.m_cy);

    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(1, wnd.m_nDestroys);
    EXPECT_EQ(1, wnd.m_nNcDestroys);
    EXPECT_EQ(1, wnd.m_nPostNcDestroys);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_FALSE(wnd.DestroyWindow());
}

TEST(AfxWndCreate, WindowRefusedByOnCreateLeavesNothingBehind)
{
    CRecordingWnd refused;
    refused.m_nCreateAnswer = -1;
    EXPECT_FALSE(CreatePopup(refused));
    EXPECT_EQ(nullptr, refused.m_hWnd);
    EXPECT_EQ(1, refused.m_nNcDestroys);
    EXPECT_EQ(1, refused.m_nPostNcDestroys);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(refused.m_hWndInCreate));

    // A user exception from OnCreate refuses the window as well, without a message box.
    MessageBoxRecorder recorder;
    CRecordingWnd throwing;
    throwing.m_bThrowInCreate = true;
    EXPECT_FALSE(CreatePopup(throwing));
    EXPECT_EQ(nullptr, throwing.m_hWnd);
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST(AfxWndCreate, UnknownClassFailsWithTheSystemsReason)
{
    CRecordingWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, L"NoSuchClassAnywhere", L"x", WS_POPUP, TestRect(), nullptr, 0));
    // The system's reason survives the framework's clean-up (Windows and Wine name it differently).
    DWORD dwError = ::GetLastError();
    EXPECT_TRUE(dwError == ERROR_CANNOT_FIND_WND_CLASS || dwError == ERROR_CLASS_DOES_NOT_EXIST) << dwError;
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    // Never hooked, so no WM_NCDESTROY: the framework calls PostNcDestroy itself, once.
    EXPECT_EQ(0, wnd.m_nNcDestroys);
    EXPECT_EQ(1, wnd.m_nPostNcDestroys);
}

TEST(AfxWndCreate, ChildOfTheDefaultClassGetsItsIdAndParent)
{
    CRecordingWnd parent;
    ASSERT_TRUE(CreatePopup(parent, L"Parent"));
    CRecordingWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"Child", WS_VISIBLE, TestRect(5, 5, 50, 20), &parent, 42));
    EXPECT_EQ(&child, parent.GetDlgItem(42)); // a child, with its id

    // An object holds one window: a second creation is refused and the first window stays.
    HWND hWndFirst = child.m_hWnd;
    EXPECT_FALSE(child.Create(nullptr, L"Again", 0, TestRect(), &parent, 43));
    EXPECT_EQ(hWndFirst, child.m_hWnd);
    EXPECT_EQ(&child, CWnd::FromHandlePermanent(hWndFirst));

    // Destroying the parent destroys the child and lets both objects go.
    parent.DestroyWindow();
    EXPECT_EQ(nullptr, child.m_hWnd);
    EXPECT_EQ(1, child.m_nPostNcDestroys);
}

/////////////////////////////////////////////////////////////////////////////
// Lifetime

TEST(AfxWndLifetime, FrameDeletesItselfOnceItsWindowIsGoneOrCannotBeMade)
{
    // Closing is destroying, for a frame.
    bool bDeleted = false;
    auto* pFrame = new CTrackedFrame(&bDeleted);
    ASSERT_TRUE(pFrame->Create(nullptr, L"Frame"));
    HWND hWnd = pFrame->m_hWnd;
    ::SendMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(bDeleted);
    EXPECT_FALSE(::IsWindow(hWnd));

    // A frame that cannot be made (no such menu, no such class) deletes itself as well.
    bDeleted = false;
    pFrame = new CTrackedFrame(&bDeleted);
    EXPECT_FALSE(pFrame->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr,
                                MAKEINTRESOURCEW(7198)));
    EXPECT_TRUE(bDeleted);
    bDeleted = false;
    pFrame = new CTrackedFrame(&bDeleted);
    EXPECT_FALSE(pFrame->Create(L"NoSuchFrameClass", L"Frame"));
    EXPECT_TRUE(bDeleted);
}

TEST(AfxWndLifetime, EndOfTheMainWindowEndsTheApplicationsLoop)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT_NE(nullptr, pApp);
    CRecordingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd, L"Main"));
    pApp->m_pMainWnd = &wnd;
    EXPECT_EQ(&wnd, AfxGetMainWnd());
    wnd.DestroyWindow();
    EXPECT_EQ(nullptr, pApp->m_pMainWnd);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    // Any other window comes and goes without that.
    CRecordingWnd other;
    ASSERT_TRUE(CreatePopup(other));
    other.DestroyWindow();
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

/////////////////////////////////////////////////////////////////////////////
// The handle map

TEST(AfxWndHandleMap, PermanentObjectsBelongToTheThreadThatMadeThem)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    HWND hWnd = wnd.m_hWnd;
    CWnd* pPermanentThere = &wnd;
    CWnd* pTempThere = nullptr;
    std::thread other(
        [&]
        {
            pPermanentThere = CWnd::FromHandlePermanent(hWnd);
            CWnd* pTemp = CWnd::FromHandle(hWnd);
            pTempThere = pTemp;
        });
    other.join();
    EXPECT_EQ(nullptr, pPermanentThere);
    EXPECT_NE(nullptr, pTempThere);
    EXPECT_NE(static_cast<CWnd*>(&wnd), pTempThere);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
}

/////////////////////////////////////////////////////////////////////////////
// Subclassing: nothing in the library subclasses a window, so one test covers it

TEST(AfxWndSubclass, ControlMessagesPassThroughTheObjectToTheOldProcedure)
{
    CRecordingWnd parent;
    ASSERT_TRUE(CreatePopup(parent, L"Parent"));
    HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(77), nullptr, nullptr);
    ASSERT_NE(nullptr, hEdit);
    LONG_PTR pfnOriginal = ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC);

    CCountingEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(77, &parent));
    EXPECT_EQ(1, edit.m_nPreSubclass);
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hEdit));

    for (wchar_t ch : {L'a', L'x', L'b'})
    {
        ::SendMessageW(hEdit, WM_CHAR, ch, 1);
    }
    EXPECT_EQ(3, edit.m_nChars);
    EXPECT_EQ(CString(L"ab"), TextOf(hEdit)); // the edit's own procedure typed what the object passed on

    // Another object cannot take the window over; the object lets go with the original procedure back.
    EXPECT_FALSE(CCountingEdit().SubclassWindow(hEdit));
    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    EXPECT_EQ(pfnOriginal, ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));

    // Subclassed again, it follows the window to its end.
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    ::DestroyWindow(hEdit);
    EXPECT_EQ(nullptr, edit.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
}

/////////////////////////////////////////////////////////////////////////////
// Errors in handlers

TEST(AfxWndErrors, ExceptionsStopAtTheWindowProcedureAndAreReported)
{
    CThrowingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    MessageBoxRecorder recorder;

    // The user has been told already about a user exception: nothing is shown.
    wnd.m_throw = [] { AfxThrowUserException(); };
    EXPECT_EQ(0, wnd.SendMessage(WM_APP_THROW));
    EXPECT_TRUE(recorder.Boxes().empty());

    wnd.m_throw = [] { AfxThrowNotSupportedException(); };
    EXPECT_EQ(0, wnd.SendMessage(WM_APP_THROW));
    wnd.m_throw = [] { throw std::runtime_error("disk on fire"); };
    EXPECT_EQ(0, wnd.SendMessage(WM_APP_THROW));
    const std::vector<InterceptedMessageBox> boxes = recorder.Boxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(CString(L"An unsupported operation was attempted."), boxes[0].strPrompt);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes[0].nType & MB_ICONMASK);
    EXPECT_NE(-1, boxes[1].strPrompt.Find(L"disk on fire"));

    // The window is still in working order.
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
}
