// VPropertyTreeDialog and VPropertyTreePage with real windows: the templates as the resource data holds
// them, the tree built from the pages and the state map, vetoed selections, hidden and shown pages, and the
// keyboard shortcuts with real input.
#include "dialogs/VPropertyTreeDialog.h"
#include "frame/Pardalin.h"
#include "harness/TestApp.h"

#include "TreeDialogTestSupport.h"

#include <gtest/gtest.h>

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

// The dialog template as the resource data holds it (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items).
struct TemplateItem
{
    DWORD dwStyle;
    CRect rect; // left, top, width, height in dialog units, as the tables give them
    DWORD dwId;
    std::wstring strClass;
    std::wstring strText;
};

struct ParsedTemplate
{
    DWORD dwStyle = 0;
    CSize size;
    std::wstring strTitle;
    WORD wPointSize = 0;
    std::wstring strFont;
    std::vector<TemplateItem> items;
};

class TemplateReader
{
public:
    TemplateReader(const BYTE* pData, DWORD dwSize) : m_p(pData), m_pEnd(pData + dwSize) {}
    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return Read<short>(); }
    // A string, or an ordinal (a predefined class's atom) given by name.
    std::wstring SzOrOrd()
    {
        WORD first = Word();
        if (first == 0xFFFF)
        {
            static const wchar_t* const classes[] = {L"Button",  L"Edit",      L"Static",
                                                     L"ListBox", L"ScrollBar", L"ComboBox"};
            WORD ordinal = Word();
            return ordinal >= 0x80 && ordinal <= 0x85 ? classes[ordinal - 0x80] : std::to_wstring(ordinal);
        }
        std::wstring text;
        for (WORD ch = first; ch != 0 && m_p < m_pEnd; ch = Word())
            text += static_cast<wchar_t>(ch);
        return text;
    }
    void Skip(size_t nBytes) { m_p += nBytes; }
    void AlignDword(const BYTE* pBase) { m_p += (4 - (m_p - pBase) % 4) % 4; }
    const BYTE* Position() const { return m_p; }

private:
    template <class T> T Read()
    {
        T value{};
        if (m_p + sizeof(T) <= m_pEnd)
            memcpy(&value, m_p, sizeof(T));
        m_p += sizeof(T);
        return value;
    }
    const BYTE* m_p;
    const BYTE* m_pEnd;
};

bool ParseTemplate(HMODULE hModule, UINT nID, ParsedTemplate& parsed)
{
    HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nID), RT_DIALOG);
    HGLOBAL hData = hResource != nullptr ? ::LoadResource(hModule, hResource) : nullptr;
    auto* pBase = static_cast<const BYTE*>(::LockResource(hData));
    if (pBase == nullptr)
        return false;
    TemplateReader reader(pBase, ::SizeofResource(hModule, hResource));
    if (reader.Word() != 1 || reader.Word() != 0xFFFF) // DLGTEMPLATEEX: version 1, signature 0xFFFF
        return false;
    reader.Dword(); // help id
    reader.Dword(); // extended style
    parsed.dwStyle = reader.Dword();
    WORD nItems = reader.Word();
    reader.Short();
    reader.Short();
    parsed.size.cx = reader.Short();
    parsed.size.cy = reader.Short();
    reader.SzOrOrd(); // menu
    reader.SzOrOrd(); // class
    parsed.strTitle = reader.SzOrOrd();
    if ((parsed.dwStyle & DS_SETFONT) != 0)
    {
        parsed.wPointSize = reader.Word();
        reader.Word();  // weight
        reader.Skip(2); // italic, character set
        parsed.strFont = reader.SzOrOrd();
    }
    for (WORD i = 0; i < nItems; ++i)
    {
        reader.AlignDword(pBase);
        TemplateItem item;
        reader.Dword(); // help id
        reader.Dword(); // extended style
        item.dwStyle = reader.Dword();
        short x = reader.Short(), y = reader.Short(), cx = reader.Short(), cy = reader.Short();
        item.rect = CRect(x, y, cx, cy);
        item.dwId = reader.Dword();
        item.strClass = reader.SzOrOrd();
        item.strText = reader.SzOrOrd();
        reader.Skip(reader.Word()); // creation data
        parsed.items.push_back(item);
    }
    return true;
}

TEST(TreeDialogTemplate, ResourceDataMatchesTheTables)
{
    const DWORD dwTreeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP |
                              TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | WS_VISIBLE;
    struct Control
    {
        DWORD dwId;
        const wchar_t* lpszClass;
        const wchar_t* lpszText;
        DWORD dwStyleOn;
        DWORD dwStyleOff; // SS_TYPEMASK and BS_TYPEMASK off: SS_LEFT, BS_PUSHBUTTON
        CRect rects[3];   // 5011, 5017, 5018; empty where the template has no such control
    } const controls[] = {
        {5014,
         L"Static",
         L"Static",
         SS_CENTERIMAGE | WS_VISIBLE,
         SS_TYPEMASK,
         {{110, 15, 238, 12}, {146, 15, 377, 12}, {118, 15, 238, 12}}},
        {5013,
         L"Static",
         L"",
         SS_GRAYRECT,
         WS_VISIBLE | (SS_TYPEMASK & ~SS_GRAYRECT),
         {{110, 34, 238, 225}, {146, 33, 377, 282}, {118, 34, 238, 195}}},
        {IDOK,
         L"Button",
         L"OK",
         WS_TABSTOP | WS_VISIBLE,
         BS_TYPEMASK,
         {{246, 270, 50, 14}, {365, 329, 50, 14}, {254, 245, 50, 14}}},
        {IDCANCEL,
         L"Button",
         L"Cancel",
         WS_TABSTOP | WS_VISIBLE,
         BS_TYPEMASK,
         {{301, 270, 50, 14}, {419, 329, 50, 14}, {308, 245, 50, 14}}},
        {5015, L"Button", L"Apply", WS_TABSTOP | WS_VISIBLE, BS_TYPEMASK, {{}, {473, 329, 50, 14}, {}}},
        {57670,
         L"Button",
         L"Help",
         WS_TABSTOP | WS_VISIBLE,
         BS_TYPEMASK,
         {{}, {7, 331, 50, 12}, {7, 245, 50, 14}}},
        {0xFFFFFFFF,
         L"Static",
         L"&Category:",
         WS_VISIBLE,
         SS_TYPEMASK,
         {{7, 5, 31, 8}, {7, 5, 31, 8}, {7, 5, 31, 8}}},
        {5012,
         L"SysTreeView32",
         L"",
         dwTreeStyle,
         0,
         {{7, 17, 96, 242}, {7, 16, 130, 299}, {7, 15, 102, 214}}},
    };
    struct Dialog
    {
        UINT nID;
        CSize size;
        const wchar_t* lpszTitle;
    } const dialogs[] = {{5011, {358, 291}, L"VPropertyTreeDialog"},
                         {5017, {530, 350}, L""},
                         {5018, {366, 266}, L"VPropertyTreeDialog"}};
    for (int d = 0; d < 3; ++d)
    {
        SCOPED_TRACE(dialogs[d].nID);
        ParsedTemplate parsed;
        ASSERT_TRUE(ParseTemplate(GetPardalinDll(), dialogs[d].nID, parsed));
        EXPECT_EQ(parsed.dwStyle, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                                     DS_SETFONT | DS_FIXEDSYS));
        EXPECT_EQ(parsed.size, dialogs[d].size);
        EXPECT_EQ(parsed.strTitle, dialogs[d].lpszTitle);
        EXPECT_EQ(parsed.wPointSize, 8);
        EXPECT_EQ(parsed.strFont, L"MS Shell Dlg");
        size_t nItem = 0;
        for (const Control& c : controls)
        {
            if (c.rects[d].IsRectNull())
                continue;
            ASSERT_LT(nItem, parsed.items.size());
            const TemplateItem& item = parsed.items[nItem++];
            SCOPED_TRACE(c.dwId);
            EXPECT_EQ(item.dwId, c.dwId);
            EXPECT_EQ(_wcsicmp(item.strClass.c_str(), c.lpszClass), 0) << item.strClass; // any case
            EXPECT_EQ(item.strText, c.lpszText);
            EXPECT_EQ(item.dwStyle & c.dwStyleOn, c.dwStyleOn);
            EXPECT_EQ(item.dwStyle & c.dwStyleOff, 0u);
            EXPECT_EQ(item.rect, c.rects[d]);
        }
        EXPECT_EQ(nItem, parsed.items.size());
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

// Keyboard input from the system's queue: the dialog must be the foreground window.
void PressKeys(std::initializer_list<WORD> keys, bool bDown)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
        bDown ? inputs.push_back(input) : void(inputs.insert(inputs.begin(), input));
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Runs the thread's message loop (pre-translation included) until done holds; false after five seconds
// without it, which only a fault reaches.
bool PumpUntil(const std::function<bool()>& done)
{
    DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= 5000 ||
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000 - dwElapsed, QS_ALLINPUT) == WAIT_TIMEOUT)
            return false;
        MSG msg;
        while (!done() && ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            AfxGetThread()->PumpMessage();
    }
    return true;
}

// Holds the keys down until the dialog has acted on them, then lets them go.
bool Chord(std::initializer_list<WORD> keys, const std::function<bool()>& done)
{
    PressKeys(keys, true);
    bool bDone = PumpUntil(done);
    PressKeys(keys, false);
    PumpUntil([] { return ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0; });
    return bDone;
}

TEST(TreeDialogKeysFocus, ShortcutsMoveThroughTheCategoriesAndWrap)
{
    PageSet pages;
    CTestTreeDialog dialog(L"Options", 0, nullptr, nullptr);
    pages.AddTo(dialog);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        d.SetForegroundWindow();
        ASSERT_EQ(::GetForegroundWindow(), d.m_hWnd);
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

TEST(TreeDialogKeysFocus, TabMovesBetweenTheTreeAndThePage)
{
    PageSet pages;
    CTestTreeDialog dialog(L"Options", 0, nullptr, nullptr);
    pages.AddTo(dialog);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        d.SetForegroundWindow();
        ASSERT_EQ(::GetForegroundWindow(), d.m_hWnd);
        EXPECT_EQ(CWnd::GetFocus(), &d.Tree());
        HWND hValue = pages.general.GetDlgItem(IDC_TREE_VALUE)->m_hWnd;
        EXPECT_TRUE(Chord({VK_TAB}, [&] { return ::GetFocus() == hValue; }));
        EXPECT_TRUE(Chord({VK_SHIFT, VK_TAB}, [&] { return ::GetFocus() == d.Tree().m_hWnd; }));
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}
} // namespace
