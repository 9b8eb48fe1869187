// VStaticURL, VPasswordEdit and the clipboard helper with real windows and messages: the link's colour,
// cursor, click and context menu (picked inside its own menu loop), the shell opening a program beside the
// test, and the clipboard read back, also while another process holds it open. Suites that use the
// clipboard, one per display, end in Focus so that they run one at a time.
#include "controls/VPasswordEdit.h"
#include "controls/VStaticURL.h"
#include "harness/Pump.h"

#include "../controls_modules/ControlsTestHelper.h"
#include "ControlsTestSupport.h"

#include <afxole.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using controlstest::CHostDialog;

namespace
{
std::wstring ClipboardText()
{
    if (!::OpenClipboard(nullptr))
        return L"(busy)";
    HANDLE hData = ::GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = hData ? static_cast<const wchar_t*>(::GlobalLock(hData)) : nullptr;
    std::wstring result = text ? text : L"";
    if (text)
        ::GlobalUnlock(hData);
    ::CloseClipboard();
    return result;
}

std::wstring HelperProgram()
{
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1) + kHelperProgram;
}

// A link that, once its context menu is up, records the menu and picks an item by its mnemonic.
struct CMenuPickingLink : VStaticURL
{
    CMenuPickingLink(UINT nIDURL, wchar_t chPick) : VStaticURL(nIDURL, 0), m_chPick(chPick) {}
    afx_msg LRESULT OnEnterIdle(WPARAM, LPARAM lParam)
    {
        HMENU hMenu =
            reinterpret_cast<HMENU>(::SendMessageW(reinterpret_cast<HWND>(lParam), MN_GETHMENU, 0, 0));
        for (int i = 0; m_chPick && i < ::GetMenuItemCount(hMenu); ++i)
        {
            wchar_t text[64] = L"";
            ::GetMenuStringW(hMenu, i, text, 64, MF_BYPOSITION);
            m_items += text + std::wstring(L"|");
        }
        m_nDefault = ::GetMenuDefaultItem(hMenu, FALSE, 0);
        ::PostMessageW(reinterpret_cast<HWND>(lParam), WM_CHAR, m_chPick, 0);
        m_chPick = 0;
        return 0;
    }
    wchar_t m_chPick;
    std::wstring m_items;
    UINT m_nDefault = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuPickingLink, VStaticURL)
ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
END_MESSAGE_MAP()

int g_nWindowsMade = 0;
LRESULT CALLBACK CountWindows(int nCode, WPARAM wParam, LPARAM lParam)
{
    g_nWindowsMade += nCode == HCBT_CREATEWND ? 1 : 0;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
} // namespace

// Blue text, the resource's cursor over the client area only (a static without such a cursor keeps the
// arrow), and a click opens the URL with the shell: here a program that signals an event. An URL the shell
// cannot open makes no window.
TEST(ControlsLink, LooksLikeALinkAndAClickOpensIt)
{
    HANDLE hOpened = ::CreateEventW(nullptr, FALSE, FALSE, kOpenedEvent);
    const HCURSOR hCursor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCE(IDC_CONTROLS_CURSOR));
    const HCURSOR hArrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const std::tuple<int, UINT, bool> cases[] = {{IDC_CONTROLS_CURSOR, HTCLIENT, true},
                                                 {IDC_CONTROLS_NO_CURSOR, HTCLIENT, false},
                                                 {IDC_CONTROLS_CURSOR, HTBORDER, false}};
    for (const auto& [nCursorID, nHitTest, bOwnCursor] : cases)
    {
        CHostDialog host;
        VStaticURL link(HelperProgram().c_str(), nCursorID);
        ASSERT_TRUE(hCursor && link.SubclassDlgItem(IDC_CONTROLS_LINK, &host));
        CRect client;
        link.GetClientRect(&client);
        host.Invalidate();
        EXPECT_GT(controlstest::CountPixels(link, client, RGB(0, 0, 238)), 20);
        EXPECT_EQ(controlstest::CountPixels(link, client, RGB(0, 0, 0)), 0);
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd),
                         MAKELPARAM(nHitTest, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor() == hCursor, bOwnCursor) << nCursorID << ", " << nHitTest;
        EXPECT_TRUE(bOwnCursor || nHitTest != HTCLIENT || ::GetCursor() == hArrow);
        link.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        EXPECT_TRUE(testpump::PumpUntilSignalled(hOpened));
    }
    HHOOK hHook = ::SetWindowsHookExW(WH_CBT, CountWindows, nullptr, ::GetCurrentThreadId());
    OpenURLWithoutConfig((HelperProgram() + L".missing").c_str());
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(g_nWindowsMade, 0);
    ::CloseHandle(hOpened);
}

// The right button brings up "&Open" (the default) and "Copy Shor&tcut", which copies the URL.
TEST(ControlsLinkFocus, ContextMenuCopiesTheShortcut)
{
    ASSERT_TRUE(AfxOleInit() && CopyTextToClipboard(L"")); // the clipboard outlives earlier runs
    CHostDialog host;
    CMenuPickingLink copier(IDS_CONTROLS_URL, L't');
    ASSERT_TRUE(copier.SubclassDlgItem(IDC_CONTROLS_LINK, &host));
    copier.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(
        testpump::PumpUntil([] { return ClipboardText() == L"https://example.org/from-the-string-table"; }));
    EXPECT_EQ(copier.m_items, L"&Open||Copy Shor&tcut|");
    EXPECT_EQ(copier.m_nDefault, 32800u);
    AfxOleTerm();
}

// Copying needs OLE on the thread and a clipboard nobody else holds open; otherwise it fails and the
// clipboard keeps what it had.
TEST(ControlsClipboardFocus, CopyFailsCleanlyWhileTheClipboardIsHeld)
{
    EXPECT_FALSE(CopyTextToClipboard(L"no OLE yet"));
    ASSERT_TRUE(AfxOleInit());
    EXPECT_FALSE(CopyTextToClipboard(nullptr));
    ASSERT_TRUE(CopyTextToClipboard(L"before"));
    HANDLE hReady = ::CreateEventW(nullptr, TRUE, FALSE, L"PardalinClipboardReady");
    HANDLE hRelease = ::CreateEventW(nullptr, TRUE, FALSE, L"PardalinClipboardRelease");
    std::wstring command =
        L"\"" + HelperProgram() + L"\" hold PardalinClipboardReady PardalinClipboardRelease";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(
        ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    HANDLE waits[] = {hReady, pi.hProcess};
    ASSERT_EQ(::WaitForMultipleObjects(2, waits, FALSE, 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(CopyTextToClipboard(L"while held"));
    ::SetEvent(hRelease);
    EXPECT_EQ(::WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(ClipboardText(), L"before");
    EXPECT_TRUE(CopyTextToClipboard(L"after"));
    EXPECT_EQ(ClipboardText(), L"after");
    for (HANDLE h : {hReady, hRelease, pi.hProcess, pi.hThread})
        ::CloseHandle(h);
    AfxOleTerm();
}

// Control characters replace the selection and leave the caret after them; backspace, Control+V (from the
// clipboard) and printable characters keep the edit control's own handling.
TEST(ControlsPasswordEditFocus, ControlCharactersAreTypedIntoTheText)
{
    ASSERT_TRUE(AfxOleInit() && CopyTextToClipboard(L"XY"));
    CHostDialog host;
    VPasswordEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_CONTROLS_EDIT, &host));
    const std::tuple<UINT, const wchar_t*, int> cases[] = {
        {1, L"se\x01t", 3}, {27, L"se\x1bt", 3}, {8, L"set", 2}, {22, L"seXYt", 4}, {L'z', L"sezt", 3}};
    for (const auto& [nChar, text, caret] : cases)
    {
        edit.SetWindowText(L"secret");
        edit.SetSel(2, 5);
        edit.SendMessage(WM_CHAR, nChar, 1);
        CString result;
        edit.GetWindowText(result);
        EXPECT_EQ(result, text) << nChar;
        EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(caret, caret))) << nChar;
    }
    AfxOleTerm();
}
