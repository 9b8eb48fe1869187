// VPropertyTreeDialog and VPropertyTreePage with real windows: the templates as the resource data holds
// them, the state kept across openings, vetoed selections, hidden and shown pages, and the keyboard
// shortcuts with real input.
#include "dialogs/VPropertyTreeDialog.h"
#include "frame/Pardalin.h"
#include "harness/TestApp.h"
#include "resources/PropertyTreeDialogIds.h"

#include "TreeDialogTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// General, Connection (Proxy, Firewall (Rules)) and Transfers; Firewall's title has no line feed.
struct PageSet
{
    CTestPage general{L"General\nGeneral settings"}, connection{L"Connection\nConnection settings"},
        proxy{L"Proxy\nProxy server"}, firewall{L"Firewall"}, rules{L"Rules\nFirewall rules"},
        transfers{L"Transfers\nTransfer settings"};

    explicit PageSet(VPropertyTreeDialog& dialog)
    {
        connection.AddPage(&proxy);
        connection.AddPage(&firewall);
        firewall.AddPage(&rules);
        for (CTestPage* pPage : {&general, &connection, &transfers})
            dialog.AddPage(pPage);
    }
};

// Reads a template's resource data (DLGTEMPLATEEX, then DLGITEMTEMPLATEEX's on DWORD boundaries).
struct TemplateReader
{
    const BYTE* pBase;
    const BYTE* p;

    template <class T> T Read()
    {
        T value;
        memcpy(&value, p, sizeof(T));
        p += sizeof(T);
        return value;
    }
    // A string, or the ordinal of a predefined window class, given here by the class name.
    std::wstring Text()
    {
        static const wchar_t* const classes[] = {L"Button", L"Edit", L"Static", L"ListBox"};
        std::wstring text;
        for (WORD ch = Read<WORD>(); ch != 0; ch = Read<WORD>())
            if (ch == 0xFFFF)
                return classes[(Read<WORD>() - 0x80) & 3];
            else
                text += static_cast<wchar_t>(ch);
        return text;
    }
    // Four shorts as "x,y,cx,cy".
    std::wstring Rect()
    {
        std::wstring text;
        for (int i = 0; i < 4; ++i)
            text += (i ? L"," : L"") + std::to_wstring(Read<short>());
        return text;
    }
};

TEST(TreeDialogTemplate, ResourceDataMatchesTheTables)
{
    const DWORD dwButton = WS_TABSTOP | WS_VISIBLE;
    const DWORD dwTree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP |
                         TVS_SHOWSELALWAYS | WS_BORDER | dwButton;
    const struct
    {
        DWORD dwId;
        const wchar_t *lpszClass, *lpszText;
        DWORD dwStyleOn, dwStyleOff; // the type masks: SS_LEFT, BS_PUSHBUTTON
        const wchar_t* lpszAt;       // in 5011, 5017 and 5018; "-" when absent
    } controls[] = {
        {5014, L"Static", L"Static", SS_CENTERIMAGE | WS_VISIBLE, SS_TYPEMASK,
         L"110,15,238,12 146,15,377,12 118,15,238,12"},
        {5013, L"Static", L"", SS_GRAYRECT, WS_VISIBLE | SS_TYPEMASK,
         L"110,34,238,225 146,33,377,282 118,34,238,195"},
        {IDOK, L"Button", L"OK", dwButton, BS_TYPEMASK, L"246,270,50,14 365,329,50,14 254,245,50,14"},
        {IDCANCEL, L"Button", L"Cancel", dwButton, BS_TYPEMASK, L"301,270,50,14 419,329,50,14 308,245,50,14"},
        {5015, L"Button", L"Apply", dwButton, BS_TYPEMASK, L"- 473,329,50,14 -"},
        {57670, L"Button", L"Help", dwButton, BS_TYPEMASK, L"- 7,331,50,12 7,245,50,14"},
        {0xFFFFFFFF, L"Static", L"&Category:", WS_VISIBLE, SS_TYPEMASK, L"7,5,31,8 7,5,31,8 7,5,31,8"},
        {5012, L"SysTreeView32", L"", dwTree, 0, L"7,17,96,242 7,16,130,299 7,15,102,214"},
    };
    const struct
    {
        UINT nID;
        const wchar_t *lpszSize, *lpszTitle;
    } dialogs[] = {{5011, L"0,0,358,291", L"VPropertyTreeDialog"},
                   {5017, L"0,0,530,350", L""},
                   {5018, L"0,0,366,266", L"VPropertyTreeDialog"}};
    for (int d = 0; d < 3; ++d)
    {
        SCOPED_TRACE(dialogs[d].nID);
        HRSRC hResource = ::FindResourceW(GetPardalinDll(), MAKEINTRESOURCEW(dialogs[d].nID), RT_DIALOG);
        auto* pBase = static_cast<const BYTE*>(::LockResource(::LoadResource(GetPardalinDll(), hResource)));
        ASSERT_NE(pBase, nullptr);
        TemplateReader reader{pBase, pBase};
        EXPECT_EQ(reader.Read<DWORD>(), 0xFFFF0001u); // version 1, extended
        reader.Read<DWORD>();                         // help id
        EXPECT_EQ(reader.Read<DWORD>(), 0u);          // extended style
        EXPECT_EQ(reader.Read<DWORD>(), static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU |
                                                           DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS));
        WORD nItems = reader.Read<WORD>();
        EXPECT_EQ(reader.Rect(), dialogs[d].lpszSize);
        EXPECT_TRUE(reader.Text().empty() && reader.Text().empty()); // no menu, no class
        EXPECT_EQ(reader.Text(), dialogs[d].lpszTitle);
        EXPECT_EQ(reader.Read<WORD>(), 8);
        reader.Read<DWORD>(); // weight, italic, character set
        EXPECT_EQ(reader.Text(), L"MS Shell Dlg");
        int nExpected = 0;
        for (const auto& c : controls)
        {
            std::wistringstream places(c.lpszAt);
            std::wstring strAt;
            for (int i = 0; i <= d; ++i)
                places >> strAt;
            if (strAt == L"-")
                continue;
            SCOPED_TRACE(c.dwId);
            ++nExpected;
            reader.p = pBase + (reader.p - pBase + 3) / 4 * 4;
            reader.Read<DWORD>(); // help id
            EXPECT_EQ(reader.Read<DWORD>(), 0u);
            EXPECT_EQ(reader.Read<DWORD>() & (c.dwStyleOn | c.dwStyleOff), c.dwStyleOn);
            EXPECT_EQ(reader.Rect(), strAt);
            EXPECT_EQ(reader.Read<DWORD>(), c.dwId);
            EXPECT_EQ(_wcsicmp(reader.Text().c_str(), c.lpszClass), 0); // class names have any case
            EXPECT_EQ(reader.Text(), c.lpszText);
            reader.p += reader.Read<WORD>(); // creation data
        }
        EXPECT_EQ(nItems, nExpected);
    }
}

// The buttons of each template index (any other index is the first), the caption, the page at the frame,
// Apply reaching OnApply and Help reaching the application's command routing, both clicked for real.
TEST(TreeDialog, TemplatesRunWithTheirButtons)
{
    const struct
    {
        int nIndex;
        bool bApply, bHelp;
    } cases[] = {{0, false, false}, {1, true, true}, {2, false, true}, {7, false, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nIndex);
        CTestTreeDialog dialog(L"Initial", c.nIndex, nullptr, nullptr);
        dialog.SetCaption(L"Options");
        PageSet pages(dialog);
        dialog.m_script = [&](CTestTreeDialog& d)
        {
            CString text;
            d.GetWindowText(text);
            EXPECT_EQ(text, L"Options");
            CRect rcFrame, rcPage;
            d.GetDlgItem(IDC_PAGE_FRAME)->GetWindowRect(&rcFrame);
            pages.general.GetWindowRect(&rcPage);
            EXPECT_EQ(rcPage.TopLeft(), rcFrame.TopLeft());
            LOGFONTW logFont = {};
            d.GetDlgItem(IDC_CAPTION_BAND)->GetFont()->GetLogFont(&logFont);
            EXPECT_EQ(logFont.lfWeight, FW_BOLD);

            ASSERT_EQ(d.GetApplyButton() != nullptr, c.bApply);
            if (c.bApply)
                d.GetApplyButton()->SendMessage(BM_CLICK);
            EXPECT_EQ(d.m_nApplied, c.bApply ? 1 : 0);
            HelpCommandRecorder help;
            ASSERT_EQ(d.GetDlgItem(ID_HELP) != nullptr, c.bHelp);
            if (c.bHelp)
                d.GetDlgItem(ID_HELP)->SendMessage(BM_CLICK);
            EXPECT_EQ(help.Count(), c.bHelp ? 1 : 0);
            EXPECT_TRUE(d.ContinueModal());
        };
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

TEST(TreeDialogState, FirstOpeningThenReopeningWithTheSameMap)
{
    VPropertyPageStateMap map;
    {
        CTestTreeDialog dialog(L"Options", 0, &map, nullptr);
        PageSet pages(dialog);
        dialog.m_script = [&](CTestTreeDialog& d)
        {
            EXPECT_EQ(d.Shape(), L"General*,Connection+(Proxy,Firewall+(Rules)),Transfers");
            EXPECT_EQ(MapShape(map), L"Connection=E- Connection~Firewall=E- Connection~Firewall~Rules=E- "
                                     L"Connection~Proxy=E- General=ES Transfers=E-");
            EXPECT_TRUE(d.Current() == &pages.general && Shown(pages.general) && !Shown(pages.rules));
            // The user collapses Connection with the Left key, then chooses Transfers.
            d.Tree().SelectItem(pages.connection.GetTreeItem());
            d.Tree().SendMessage(WM_KEYDOWN, VK_LEFT);
            d.Tree().SelectItem(pages.transfers.GetTreeItem());
            EXPECT_TRUE(d.Current() == &pages.transfers && Shown(pages.transfers) && !Shown(pages.general));
        };
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(MapShape(map), L"Connection=-- Connection~Firewall=E- Connection~Firewall~Rules=E- "
                             L"Connection~Proxy=E- General=E- Transfers=ES");
    // New page objects each time: only the map remembers. A new session starts at the first page.
    for (bool bNewSession : {false, true})
    {
        SCOPED_TRACE(bNewSession);
        CTestTreeDialog dialog(L"Options", 0, &map, nullptr);
        dialog.SetNewSession(bNewSession);
        PageSet pages(dialog);
        dialog.m_script = [&](CTestTreeDialog& d)
        {
            EXPECT_EQ(d.Shape(), bNewSession ? L"General*,Connection-(Proxy,Firewall+(Rules)),Transfers"
                                             : L"General,Connection-(Proxy,Firewall+(Rules)),Transfers*");
            CTestPage& shown = bNewSession ? pages.general : pages.transfers;
            EXPECT_TRUE(d.Current() == &shown && Shown(shown));
        };
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

TEST(TreeDialogHiding, HidesAndShowsPagesAndBranchesInPlace)
{
    CTestTreeDialog dialog(L"Options", 0, nullptr, nullptr);
    PageSet pages(dialog);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        MessageBoxRecorder boxes;
        d.Tree().SelectItem(pages.rules.GetTreeItem());
        d.Tree().SendMessage(WM_KEYDOWN, VK_LEFT);   // to Firewall
        d.Tree().SendMessage(WM_KEYDOWN, VK_LEFT);   // collapsed
        pages.firewall.Value()->SetWindowText(L"0"); // would fail, but a page hidden is not validated
        d.HidePage(&pages.connection);               // a branch with the current page in it
        EXPECT_EQ(d.Shape(), L"General*,Transfers");
        EXPECT_TRUE(d.Current() == &pages.general && Shown(pages.general) && !Shown(pages.firewall));
        EXPECT_EQ(pages.rules.GetTreeItem(), nullptr);
        d.HidePage(&pages.general); // the current page and first root item
        EXPECT_EQ(d.Shape(), L"Transfers*");
        EXPECT_TRUE(d.Current() == &pages.transfers && Shown(pages.transfers) && !Shown(pages.general));
        // Each comes back after its nearest preceding sibling in the tree, expanded as it was.
        d.ShowPage(&pages.connection);
        EXPECT_EQ(d.Tree().GetRootItem(), pages.connection.GetTreeItem());
        d.ShowPage(&pages.general);
        d.HidePage(&pages.connection);
        d.ShowPage(&pages.connection);
        d.HidePage(&pages.firewall);
        d.ShowPage(&pages.firewall);
        EXPECT_EQ(d.Shape(), L"General,Connection+(Proxy,Firewall-(Rules)),Transfers*");
        EXPECT_TRUE(boxes.Boxes().empty());
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

// Holds the keys down (input from the system's queue: the dialog must be in the foreground) and runs the
// thread's message loop, pre-translation included, until done holds, then lets the keys go. False when done
// does not come within five seconds, which only a fault reaches.
bool Chord(std::initializer_list<WORD> keys, const std::function<bool()>& done)
{
    auto send = [&keys](DWORD dwFlags)
    {
        std::vector<INPUT> inputs(keys.size());
        for (size_t i = 0; i < keys.size(); ++i)
        {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wVk = keys.begin()[dwFlags == 0 ? i : keys.size() - 1 - i];
            inputs[i].ki.dwFlags = dwFlags;
        }
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    };
    auto pump = [](const std::function<bool()>& until)
    {
        for (DWORD dwStart = ::GetTickCount(); !until();)
        {
            DWORD dwLeft = 5000 - std::min<DWORD>(::GetTickCount() - dwStart, 5000);
            if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, dwLeft, QS_ALLINPUT) == WAIT_TIMEOUT)
                return false;
            for (MSG msg; !until() && ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);)
                AfxGetThread()->PumpMessage();
        }
        return true;
    };
    send(0);
    bool bDone = pump(done);
    send(KEYEVENTF_KEYUP);
    pump(
        [] {
            return ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0 &&
                   ::GetKeyState(VK_TAB) >= 0;
        });
    return bDone;
}

TEST(TreeDialogKeysFocus, ShortcutsWrapAndTabMovesBetweenTreeAndPage)
{
    CTestTreeDialog dialog(L"Options", 0, nullptr, nullptr);
    PageSet pages(dialog);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        d.SetForegroundWindow();
        ASSERT_EQ(::GetForegroundWindow(), d.m_hWnd);
        EXPECT_TRUE(Chord({VK_TAB}, [&] { return ::GetFocus() == pages.general.Value()->m_hWnd; }));
        EXPECT_TRUE(Chord({VK_SHIFT, VK_TAB}, [&] { return ::GetFocus() == d.Tree().m_hWnd; }));
        const struct
        {
            CTestPage* pFrom;
            std::initializer_list<WORD> keys;
            CTestPage* pTo;
        } cases[] = {
            {&pages.transfers, {VK_CONTROL, VK_TAB}, &pages.general},
            {&pages.general, {VK_CONTROL, VK_SHIFT, VK_TAB}, &pages.transfers},
            {&pages.general, {VK_CONTROL, VK_PRIOR}, &pages.transfers},
            {&pages.transfers, {VK_CONTROL, VK_NEXT}, &pages.general},
            {&pages.rules, {VK_CONTROL, VK_NEXT}, &pages.transfers},
            {&pages.connection, {VK_CONTROL, VK_SHIFT, VK_TAB}, &pages.general},
            {&pages.proxy, {VK_CONTROL, VK_TAB}, &pages.firewall},
        };
        for (const auto& c : cases)
        {
            SCOPED_TRACE(c.pFrom->m_strTitle + L" to " + c.pTo->m_strTitle);
            d.Tree().SelectItem(c.pFrom->GetTreeItem());
            d.GotoDlgCtrl(&d.Tree());
            EXPECT_TRUE(Chord(c.keys, [&] { return d.Current() == c.pTo; }));
            EXPECT_EQ(d.Tree().GetSelectedItem(), c.pTo->GetTreeItem());
        }
        // From inside a page too: the page leaves the keys to the dialog.
        d.GotoDlgCtrl(pages.firewall.Value());
        EXPECT_TRUE(Chord({VK_CONTROL, VK_TAB}, [&] { return d.Current() == &pages.rules; }));
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

// A page that does not validate, or one that refuses to be entered, keeps the selection and the focus
// where they were; OK does not end the dialog while the page fails.
TEST(TreeDialogKeysFocus, FailingPageVetoesSelectionAndOk)
{
    CTestTreeDialog dialog(L"Options", 0, nullptr, nullptr);
    PageSet pages(dialog);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        d.SetForegroundWindow();
        MessageBoxRecorder boxes;
        pages.general.Value()->SetWindowText(L"500");
        d.Tree().SelectItem(pages.transfers.GetTreeItem());
        d.Tree().SetFocus(); // as a click on the tree takes it
        for (MSG msg; ::PeekMessageW(&msg, d.m_hWnd, WM_NEXTDLGCTL, WM_NEXTDLGCTL, PM_REMOVE);)
            ::DispatchMessageW(&msg);
        EXPECT_EQ(::GetFocus(), pages.general.Value()->m_hWnd);
        EXPECT_EQ(d.Shape(), L"General*,Connection+(Proxy,Firewall+(Rules)),Transfers");
        EXPECT_TRUE(d.Current() == &pages.general && !Shown(pages.transfers));
        d.SendMessage(WM_COMMAND, IDOK);
        EXPECT_TRUE(d.ContinueModal());
        EXPECT_EQ(boxes.Boxes().size(), 2u);

        pages.general.Value()->SetWindowText(L"50");
        pages.transfers.m_bRefuseEntry = true;
        d.Tree().SelectItem(pages.transfers.GetTreeItem());
        EXPECT_EQ(d.Current(), &pages.general);
        EXPECT_EQ(boxes.Boxes().size(), 2u);
        d.SendMessage(WM_COMMAND, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(pages.general.m_nValue, 50);
}
} // namespace
