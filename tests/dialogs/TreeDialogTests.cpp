// VPropertyTreeDialog and VPropertyTreePage with real windows: the templates as the resource data holds
// them, the tree built from the pages and the state map, vetoed selections, hidden and shown pages, and the
// keyboard shortcuts with real input.
#include "dialogs/VPropertyTreeDialog.h"
#include "frame/Pardalin.h"
#include "harness/TestApp.h"

#include "TreeDialogTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

BEGIN_MESSAGE_MAP(CTestTreeDialog, VPropertyTreeDialog)
ON_MESSAGE(CTestTreeDialog::WM_APP_SCRIPT, &CTestTreeDialog::OnScript)
END_MESSAGE_MAP()

namespace
{
// General, Connection (Proxy, Firewall (Rules)) and Transfers; Firewall's title has no line feed.
struct PageSet
{
    CTestPage general{L"General\nGeneral settings"};
    CTestPage connection{L"Connection\nConnection settings"};
    CTestPage proxy{L"Proxy\nProxy server"};
    CTestPage firewall{L"Firewall"};
    CTestPage rules{L"Rules\nFirewall rules"};
    CTestPage transfers{L"Transfers\nTransfer settings"};

    PageSet()
    {
        connection.AddPage(&proxy);
        connection.AddPage(&firewall);
        firewall.AddPage(&rules);
    }
    void AddTo(VPropertyTreeDialog& dialog)
    {
        dialog.AddPage(&general);
        dialog.AddPage(&connection);
        dialog.AddPage(&transfers);
    }
};

CPoint FrameOrigin(CWnd& dialog)
{
    CRect rc;
    dialog.GetDlgItem(5013)->GetWindowRect(&rc);
    dialog.ScreenToClient(&rc);
    return rc.TopLeft();
}

// Reads a template's resource data in the order of its format.
struct TemplateReader
{
    const BYTE* p;
    const BYTE* pEnd;

    template <class T> T Read()
    {
        T value{};
        if (p + sizeof(T) <= pEnd)
            memcpy(&value, p, sizeof(T));
        p += sizeof(T);
        return value;
    }
    // A string, or an ordinal, which for the predefined window classes is given by the class name.
    std::wstring Text()
    {
        static const wchar_t* const classes[] = {L"Button", L"Edit", L"Static", L"ListBox"};
        WORD ch = Read<WORD>();
        if (ch == 0xFFFF)
            return classes[(Read<WORD>() - 0x80) & 3];
        std::wstring text;
        for (; ch != 0 && p < pEnd; ch = Read<WORD>())
            text += static_cast<wchar_t>(ch);
        return text;
    }
};
#pragma pack(push, 2)
struct DialogHeaderEx // DLGTEMPLATEEX up to its variable-length fields
{
    WORD wVersion, wSignature;
    DWORD dwHelpId, dwExStyle, dwStyle;
    WORD nItems;
    short x, y, cx, cy;
};
#pragma pack(pop)
struct ItemHeaderEx // DLGITEMTEMPLATEEX up to its variable-length fields
{
    DWORD dwHelpId, dwExStyle, dwStyle;
    short x, y, cx, cy;
    DWORD dwId;
};

TEST(TreeDialogTemplate, ResourceDataMatchesTheTables)
{
    const DWORD dwTree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP |
                         TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | WS_VISIBLE;
    const DWORD dwButton = WS_TABSTOP | WS_VISIBLE;
    struct Control
    {
        DWORD dwId;
        const wchar_t* lpszClass;
        const wchar_t* lpszText;
        DWORD dwStyleOn;
        DWORD dwStyleOff;      // the type masks: SS_LEFT, BS_PUSHBUTTON
        const wchar_t* lpszAt; // left,top,width,height in 5011, 5017 and 5018; "-" when absent
    } const controls[] = {
        {5014, L"Static", L"Static", SS_CENTERIMAGE | WS_VISIBLE, SS_TYPEMASK,
         L"110,15,238,12 146,15,377,12 118,15,238,12"},
        {5013, L"Static", L"", SS_GRAYRECT, WS_VISIBLE | 0x17,
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
        const wchar_t* lpszSize;
        const wchar_t* lpszTitle;
    } dialogs[] = {{5011, L"358,291", L"VPropertyTreeDialog"},
                   {5017, L"530,350", L""},
                   {5018, L"366,266", L"VPropertyTreeDialog"}};
    for (int d = 0; d < 3; ++d)
    {
        SCOPED_TRACE(dialogs[d].nID);
        HRSRC hResource = ::FindResourceW(GetPardalinDll(), MAKEINTRESOURCEW(dialogs[d].nID), RT_DIALOG);
        auto* pBase = static_cast<const BYTE*>(::LockResource(::LoadResource(GetPardalinDll(), hResource)));
        ASSERT_NE(pBase, nullptr);
        TemplateReader reader{pBase, pBase + ::SizeofResource(GetPardalinDll(), hResource)};
        auto header = reader.Read<DialogHeaderEx>();
        EXPECT_TRUE(header.wVersion == 1 && header.wSignature == 0xFFFF);
        EXPECT_EQ(header.dwStyle, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                                     DS_SETFONT | DS_FIXEDSYS));
        EXPECT_EQ(std::to_wstring(header.cx) + L"," + std::to_wstring(header.cy), dialogs[d].lpszSize);
        EXPECT_TRUE(reader.Text().empty() && reader.Text().empty()); // no menu, no class
        EXPECT_EQ(reader.Text(), dialogs[d].lpszTitle);
        EXPECT_EQ(reader.Read<WORD>(), 8);
        reader.Read<DWORD>(); // weight, italic, character set
        EXPECT_EQ(reader.Text(), L"MS Shell Dlg");
        int nItems = 0;
        for (const Control& c : controls)
        {
            std::wistringstream places(c.lpszAt);
            std::wstring strAt;
            for (int i = 0; i <= d; ++i)
                places >> strAt;
            if (strAt == L"-")
                continue;
            SCOPED_TRACE(c.dwId);
            ++nItems;
            reader.p = pBase + (reader.p - pBase + 3) / 4 * 4;
            auto item = reader.Read<ItemHeaderEx>();
            EXPECT_EQ(item.dwId, c.dwId);
            EXPECT_EQ(_wcsicmp(reader.Text().c_str(), c.lpszClass), 0); // class names have any case
            EXPECT_EQ(reader.Text(), c.lpszText);
            EXPECT_EQ(item.dwStyle & (c.dwStyleOn | c.dwStyleOff), c.dwStyleOn);
            wchar_t szRect[64];
            swprintf(szRect, 64, L"%d,%d,%d,%d", item.x, item.y, item.cx, item.cy);
            EXPECT_EQ(std::wstring(szRect), strAt);
            reader.p += reader.Read<WORD>(); // creation data
        }
        EXPECT_EQ(header.nItems, nItems);
    }
}

TEST(TreeDialog, TemplatesRunWithTheirButtonsCaptionAndPagePlacement)
{
    struct Case
    {
        int nIndex;
        bool bApply;
        bool bHelp;
    } const cases[] = {{0, false, false}, {1, true, true}, {2, false, true}, {7, false, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nIndex);
        PageSet pages;
        CTestTreeDialog dialog(L"Initial", c.nIndex, nullptr, nullptr);
        dialog.SetCaption(L"Options");
        pages.AddTo(dialog);
        dialog.m_script = [&](CTestTreeDialog& d)
        {
            EXPECT_EQ(d.GetApplyButton() != nullptr, c.bApply);
            EXPECT_EQ(d.GetDlgItem(ID_HELP) != nullptr, c.bHelp);
            CString text;
            d.GetWindowText(text);
            EXPECT_EQ(text, L"Options");
            EXPECT_EQ(d.PageRect(pages.general).TopLeft(), FrameOrigin(d));
            EXPECT_EQ(pages.general.GetStyle() & WS_CAPTION, 0u);
            if (c.bApply)
            {
                d.SendMessage(WM_COMMAND, MAKEWPARAM(5015, BN_CLICKED),
                              reinterpret_cast<LPARAM>(d.GetApplyButton()->m_hWnd));
                EXPECT_EQ(d.m_nApplied, 1);
            }
            // The band: bold, in the inactive caption's colours and brush; other controls keep the default.
            LOGFONTW logFont = {};
            CWnd* pBand = d.GetDlgItem(5014);
            ASSERT_TRUE(pBand->GetFont() != nullptr && pBand->GetFont()->GetLogFont(&logFont) != 0);
            EXPECT_EQ(logFont.lfWeight, FW_BOLD);
            CClientDC dc(pBand);
            dc.SetTextColor(RGB(1, 2, 3));
            auto hBrush =
                reinterpret_cast<HBRUSH>(d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                                       reinterpret_cast<LPARAM>(pBand->m_hWnd)));
            LOGBRUSH logBrush = {};
            ASSERT_NE(::GetObjectW(hBrush, sizeof logBrush, &logBrush), 0);
            EXPECT_EQ(logBrush.lbColor, ::GetSysColor(COLOR_INACTIVECAPTION));
            EXPECT_EQ(dc.GetTextColor(), ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
            EXPECT_EQ(dc.GetBkColor(), ::GetSysColor(COLOR_INACTIVECAPTION));
            HWND hLabel = ::GetWindow(d.GetDlgItem(5012)->m_hWnd, GW_HWNDPREV);
            EXPECT_NE(d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                    reinterpret_cast<LPARAM>(hLabel)),
                      reinterpret_cast<LRESULT>(hBrush));
            d.DisableOkButton();
            EXPECT_FALSE(d.GetDlgItem(IDOK)->IsWindowEnabled());
            pages.transfers.Change();
            EXPECT_EQ(d.m_nModified, 1);
        };
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    CTestPage lone(L"Alone");
    lone.Change(); // no dialog: nothing to mark
}

TEST(TreeDialogState, FirstOpeningThenReopeningWithTheSameMap)
{
    VPropertyPageStateMap map;
    {
        PageSet pages;
        CTestTreeDialog dialog(L"Options", 0, &map, nullptr);
        pages.AddTo(dialog);
        dialog.m_script = [&](CTestTreeDialog& d)
        {
            EXPECT_EQ(d.Shape(), L"General*,Connection+(Proxy,Firewall+(Rules)),Transfers");
            EXPECT_EQ(MapShape(map), L"Connection=E- Connection~Firewall=E- Connection~Firewall~Rules=E- "
                                     L"Connection~Proxy=E- General=ES Transfers=E-");
            EXPECT_EQ(d.BandText(), L"  General settings");
            EXPECT_EQ(d.Current(), &pages.general);
            EXPECT_EQ(pages.general.m_nShown, 1);
            EXPECT_TRUE(Shown(pages.general));
            EXPECT_EQ(d.PageRect(pages.general).TopLeft(), FrameOrigin(d));
            for (CTestPage* pPage : {&pages.connection, &pages.rules, &pages.transfers})
                EXPECT_TRUE(::IsWindow(pPage->m_hWnd) && !Shown(*pPage));

            // The user collapses Connection with the Left key, then chooses Transfers.
            d.Tree().SelectItem(pages.connection.GetTreeItem());
            d.Tree().SendMessage(WM_KEYDOWN, VK_LEFT);
            EXPECT_EQ(d.BandText(), L"  Connection settings");
            d.Tree().SelectItem(pages.transfers.GetTreeItem());
            EXPECT_EQ(d.Shape(), L"General,Connection-(Proxy,Firewall+(Rules)),Transfers*");
            EXPECT_EQ(d.PageRect(pages.transfers).TopLeft(), FrameOrigin(d));
            EXPECT_FALSE(Shown(pages.general));
        };
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(MapShape(map), L"Connection=-- Connection~Firewall=E- Connection~Firewall~Rules=E- "
                             L"Connection~Proxy=E- General=E- Transfers=ES");
    struct Reopening
    {
        bool bNewSession;
        const wchar_t* lpszShape;
    } const reopenings[] = {{false, L"General,Connection-(Proxy,Firewall+(Rules)),Transfers*"},
                            {true, L"General*,Connection-(Proxy,Firewall+(Rules)),Transfers"}};
    for (const Reopening& r : reopenings)
    {
        PageSet pages; // new objects: only the map remembers
        CTestTreeDialog dialog(L"Options", 0, &map, nullptr);
        dialog.SetNewSession(r.bNewSession);
        pages.AddTo(dialog);
        dialog.m_script = [&](CTestTreeDialog& d)
        {
            EXPECT_EQ(d.Shape(), r.lpszShape);
            CTestPage& shown = r.bNewSession ? pages.general : pages.transfers;
            EXPECT_EQ(d.Current(), &shown);
            EXPECT_TRUE(Shown(shown));
            EXPECT_EQ(d.GetFocus(), &d.Tree());
        };
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

TEST(TreeDialogValidation, FailingPageVetoesSelectionAndOk)
{
    PageSet pages;
    VPropertyPageStateMap map;
    CTestTreeDialog dialog(L"Options", 0, &map, nullptr);
    pages.AddTo(dialog);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        MessageBoxRecorder boxes;
        pages.general.SetValueText(L"500");
        d.Tree().SelectItem(pages.transfers.GetTreeItem());
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(d.Shape(), L"General*,Connection+(Proxy,Firewall+(Rules)),Transfers");
        EXPECT_EQ(d.Current(), &pages.general);
        EXPECT_FALSE(Shown(pages.transfers));
        EXPECT_FALSE(d.OnCurrentPageKillActive());
        d.SendMessage(WM_COMMAND, IDOK);
        EXPECT_TRUE(d.ContinueModal());
        EXPECT_EQ(boxes.Boxes().size(), 3u);

        // A page that refuses to be entered vetoes as well, without a box.
        pages.general.SetValueText(L"50");
        pages.transfers.m_bRefuseEntry = true;
        d.Tree().SelectItem(pages.transfers.GetTreeItem());
        EXPECT_EQ(d.Current(), &pages.general);
        pages.transfers.m_bRefuseEntry = false;
        EXPECT_EQ(boxes.Boxes().size(), 3u);
        EXPECT_TRUE(map[VUnicodeString(L"General")]->m_bSelected);
        d.SendMessage(WM_COMMAND, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(pages.general.m_nValue, 50);
}

TEST(TreeDialogHiding, HidesAndShowsPagesAndBranchesInPlace)
{
    PageSet pages;
    VPropertyPageStateMap map;
    CTestTreeDialog dialog(L"Options", 0, &map, nullptr);
    pages.AddTo(dialog);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        MessageBoxRecorder boxes;
        d.Tree().SelectItem(pages.proxy.GetTreeItem());
        pages.proxy.SetValueText(L"0"); // would fail, but a page hidden is not validated
        d.HidePage(&pages.proxy);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(d.Shape(), L"General*,Connection+(Firewall+(Rules)),Transfers");
        EXPECT_EQ(pages.proxy.GetTreeItem(), nullptr);
        EXPECT_FALSE(Shown(pages.proxy));
        EXPECT_TRUE(Shown(pages.general));
        d.HidePage(&pages.proxy); // not in the tree
        d.ShowPage(&pages.proxy);
        d.ShowPage(&pages.proxy); // already in the tree
        EXPECT_EQ(d.Shape(), L"General*,Connection+(Proxy,Firewall+(Rules)),Transfers");
        pages.proxy.SetValueText(L"5");

        // A branch with the current page in it, one of its items collapsed.
        d.Tree().SelectItem(pages.rules.GetTreeItem());
        d.Tree().SendMessage(WM_KEYDOWN, VK_LEFT); // to Firewall
        d.Tree().SendMessage(WM_KEYDOWN, VK_LEFT); // collapsed
        d.HidePage(&pages.connection);
        EXPECT_EQ(d.Shape(), L"General*,Transfers");
        for (CTestPage* pPage : {&pages.connection, &pages.proxy, &pages.firewall, &pages.rules})
            EXPECT_EQ(pPage->GetTreeItem(), nullptr);
        d.ShowPage(&pages.connection);
        EXPECT_EQ(d.Shape(), L"General*,Connection+(Proxy,Firewall-(Rules)),Transfers");

        // The first root item, current, goes; shown again it is first again.
        d.HidePage(&pages.general);
        ASSERT_NE(d.Current(), nullptr);
        EXPECT_EQ(d.Current()->GetTreeItem(), d.Tree().GetSelectedItem());
        EXPECT_TRUE(Shown(*d.Current()));
        EXPECT_FALSE(Shown(pages.general));
        d.ShowPage(&pages.general);
        EXPECT_EQ(d.Tree().GetRootItem(), pages.general.GetTreeItem());

        // A page shown whose state says selected takes the selection unless selections are cleared.
        for (bool bClear : {true, false})
        {
            d.HidePage(&pages.transfers);
            map[VUnicodeString(L"Transfers")]->m_bSelected = true;
            d.SetClearSelected(bClear);
            d.ShowPage(&pages.transfers);
            EXPECT_EQ(d.Current() == &pages.transfers, !bClear);
            EXPECT_EQ(Shown(pages.transfers), !bClear);
        }
        VPropertyTreePage stranger(IDD_TREE_PAGE);
        d.ShowPage(&stranger);
        d.HidePage(&stranger);
        d.HidePage(nullptr);
        d.ShowPage(nullptr);
        EXPECT_EQ(stranger.GetTreeItem(), nullptr);
        EXPECT_EQ(boxes.Boxes().size(), 0u);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(TreeDialogInput, OddPagesAndMapsAreHandled)
{
    // An empty title, a label with "~" (names are labels verbatim, so it shares Proxy's entry), a page added
    // twice and a null one.
    CTestPage empty(L""), tilde(L"Connection~Proxy\nTilde"), connection(L"Connection"), proxy(L"Proxy"),
        removed(L"Removed");
    connection.AddPage(&proxy);
    connection.AddPage(&proxy);
    connection.AddPage(&connection);
    VPropertyPageStateMap map;
    CTestTreeDialog dialog(L"Options", 0, &map, nullptr);
    for (VPropertyTreePage* pPage :
         {&empty, &tilde, &empty, static_cast<CTestPage*>(nullptr), &removed, &connection})
        dialog.AddPage(pPage);
    dialog.RemovePage(&removed);
    dialog.RemovePage(&removed);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        EXPECT_EQ(d.Shape(), L"*,Connection~Proxy,Connection+(Proxy)");
        EXPECT_EQ(d.BandText(), L"  ");
        EXPECT_EQ(MapShape(map), L"=ES Connection=E- Connection~Proxy=E-");
        EXPECT_EQ(removed.GetSafeHwnd(), nullptr);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    // Without a map the pages keep their own flags.
    PageSet pages;
    pages.connection.SetExpanded(false);
    CTestTreeDialog stateless(L"Options", 0, nullptr, nullptr);
    pages.AddTo(stateless);
    stateless.m_script = [&](CTestTreeDialog& d)
    {
        EXPECT_EQ(d.Shape(), L"General*,Connection-(Proxy,Firewall+(Rules)),Transfers");
        d.Tree().SelectItem(pages.transfers.GetTreeItem());
        EXPECT_TRUE(pages.transfers.IsSelected() && !pages.general.IsSelected());
    };
    EXPECT_EQ(stateless.DoModal(), IDCANCEL);
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
    PageSet pages;
    CTestTreeDialog dialog(L"Options", 0, nullptr, nullptr);
    pages.AddTo(dialog);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        d.SetForegroundWindow();
        ASSERT_EQ(::GetForegroundWindow(), d.m_hWnd);
        HWND hValue = pages.general.GetDlgItem(IDC_TREE_VALUE)->m_hWnd;
        EXPECT_TRUE(Chord({VK_TAB}, [&] { return ::GetFocus() == hValue; }));
        EXPECT_TRUE(Chord({VK_SHIFT, VK_TAB}, [&] { return ::GetFocus() == d.Tree().m_hWnd; }));
        struct Case
        {
            CTestPage* pFrom;
            std::initializer_list<WORD> keys;
            CTestPage* pTo;
        } const cases[] = {
            {&pages.transfers, {VK_CONTROL, VK_TAB}, &pages.general},
            {&pages.general, {VK_CONTROL, VK_SHIFT, VK_TAB}, &pages.transfers},
            {&pages.general, {VK_CONTROL, VK_PRIOR}, &pages.transfers},
            {&pages.transfers, {VK_CONTROL, VK_NEXT}, &pages.general},
            {&pages.rules, {VK_CONTROL, VK_NEXT}, &pages.transfers},
            {&pages.connection, {VK_CONTROL, VK_SHIFT, VK_TAB}, &pages.general},
            {&pages.proxy, {VK_CONTROL, VK_TAB}, &pages.firewall},
        };
        for (const Case& c : cases)
        {
            SCOPED_TRACE(c.pFrom->m_strTitle + L" to " + c.pTo->m_strTitle);
            d.Tree().SelectItem(c.pFrom->GetTreeItem());
            d.GotoDlgCtrl(&d.Tree());
            EXPECT_TRUE(Chord(c.keys, [&] { return d.Current() == c.pTo; }));
            EXPECT_EQ(d.Tree().GetSelectedItem(), c.pTo->GetTreeItem());
        }
        // From inside a page too: the page leaves the keys to the dialog.
        d.GotoDlgCtrl(pages.firewall.GetDlgItem(IDC_TREE_VALUE));
        EXPECT_TRUE(Chord({VK_CONTROL, VK_TAB}, [&] { return d.Current() == &pages.rules; }));
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}
} // namespace
