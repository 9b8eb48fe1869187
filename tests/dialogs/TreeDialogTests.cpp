// VPropertyTreeDialog, VPropertyTreePage and the plug-in classes with real windows: the templates' buttons,
// the state kept across openings, vetoed selections, hidden and shown pages, the
// keyboard shortcuts with real input, and the sample plug-in's page and dialog from its own module. Each
// dialog runs a script inside its modal loop and reads the tree and the state map back as short texts.
#include "dialogs/VPluginDialog.h"
#include "dialogs/VPluginPage.h"
#include "dialogs/VPropertyTreeDialog.h"
#include "examples/plugin/SamplePlugin.h"
#include "examples/plugin/SamplePluginIds.h"
#include "frame/Pardalin.h"
#include "harness/TestApp.h"
#include "resources/PropertyTreeDialogIds.h"

#include "TreeDialogTestResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace
{
// A page titled by the test, with a number that validates from 1 to 100.
class CTestPage : public VPropertyTreePage
{
public:
    explicit CTestPage(const wchar_t* lpszTitle) : VPropertyTreePage(IDD_TREE_PAGE), m_strTitle(lpszTitle) {}

    CString m_strTitle;
    int m_nValue = 10;
    bool m_bRefuseEntry = false; // OnSetActive fails

    CWnd* Value() { return GetDlgItem(IDC_TREE_VALUE); }
    void Change() { OnChange(); }
    BOOL OnInitDialog() override
    {
        VPropertyTreePage::OnInitDialog();
        SetWindowText(m_strTitle);
        return TRUE;
    }
    BOOL OnSetActive() override { return VPropertyTreePage::OnSetActive() && !m_bRefuseEntry; }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TREE_VALUE, m_nValue);
        DDV_MinMaxInt(pDX, m_nValue, 1, 100);
    }
};

// Runs m_script once the dialog is up; a dialog the script leaves running is cancelled.
class CTestTreeDialog : public VPropertyTreeDialog
{
public:
    using VPropertyTreeDialog::VPropertyTreeDialog;

    std::function<void(CTestTreeDialog&)> m_script;
    int m_nApplied = 0;
    int m_nModified = 0;

    CTreeCtrl& Tree() { return m_tree; }
    VPropertyTreePage* Current() const { return m_pCurrentPage; }

    void OnApply() override { ++m_nApplied; }
    void SetModified(bool bModified) override { m_nModified += bModified ? 1 : 0; }
    BOOL OnInitDialog() override
    {
        BOOL bFocus = VPropertyTreeDialog::OnInitDialog();
        PostMessage(WM_APP + 61);
        return bFocus;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 61 && m_script)
            m_script(*this);
        if (message == WM_APP + 61 && ContinueModal())
            EndDialog(IDCANCEL);
        return VPropertyTreeDialog::WindowProc(message, wParam, lParam);
    }

    // The tree as labels separated by commas, children in brackets after "+" (expanded) or "-", the
    // selected item marked with "*": "General*,Connection+(Proxy,Firewall-(Rules)),Transfers".
    std::wstring Shape(HTREEITEM hParent = nullptr)
    {
        std::wstring shape;
        for (HTREEITEM hItem = m_tree.GetChildItem(hParent); hItem; hItem = m_tree.GetNextSiblingItem(hItem))
        {
            shape += (shape.empty() ? L"" : L",") + std::wstring(m_tree.GetItemText(hItem).GetString());
            shape += m_tree.GetSelectedItem() == hItem ? L"*" : L"";
            if (m_tree.GetChildItem(hItem) != nullptr)
                shape += ((m_tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) ? L"+(" : L"-(") +
                         Shape(hItem) + L")";
        }
        return shape;
    }
};

bool Shown(const CWnd& wnd)
{
    return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

// The map as "name=ES" entries in name order, E and S for expanded and selected, "-" for either flag off.
std::wstring MapShape(const VPropertyPageStateMap& map)
{
    std::map<std::wstring, std::wstring> entries;
    map.ForEach(
        [&entries](const VUnicodeString& name, VPropertyPageState* pState) {
            entries[name.GetString()] = {pState->m_bExpanded ? L'E' : L'-',
                                         pState->m_bSelected ? L'S' : L'-'};
        });
    std::wstring shape;
    for (const auto& entry : entries)
        shape += (shape.empty() ? L"" : L" ") + entry.first + L"=" + entry.second;
    return shape;
}

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

// The buttons of each template index (any other index is the first), clicked for real: Apply reaches
// OnApply; Help, for which the dialog has no handler, reaches the application through the command routing.
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
        CTestTreeDialog dialog(L"Options", c.nIndex, nullptr, nullptr);
        PageSet pages(dialog);
        dialog.m_script = [&](CTestTreeDialog& d)
        {
            HelpCommandRecorder help;
            ASSERT_EQ(d.GetApplyButton() != nullptr, c.bApply);
            ASSERT_EQ(d.GetDlgItem(ID_HELP) != nullptr, c.bHelp);
            for (int nID : {IDC_APPLY, ID_HELP})
                if (CWnd* pButton = d.GetDlgItem(nID))
                    pButton->SendMessage(BM_CLICK);
            EXPECT_EQ(d.m_nApplied, c.bApply ? 1 : 0);
            EXPECT_EQ(help.Count(), c.bHelp ? 1 : 0);
            EXPECT_TRUE(d.ContinueModal());
            // The caption on the window, the page without its caption bar at the frame's corner, a page's
            // change reaching the dialog.
            CString strCaption;
            d.GetWindowText(strCaption);
            EXPECT_EQ(strCaption, L"Options");
            CRect frame, page;
            d.GetDlgItem(IDC_PAGE_FRAME)->GetWindowRect(&frame);
            pages.general.GetWindowRect(&page);
            EXPECT_EQ(page.TopLeft(), frame.TopLeft());
            EXPECT_EQ(pages.general.GetStyle() & WS_CAPTION, 0u);
            pages.proxy.Change();
            EXPECT_EQ(d.m_nModified, 1);
            // The band: bold, in the inactive caption's colours and brush; other controls keep the default.
            CWnd* pBand = d.GetDlgItem(IDC_CAPTION_BAND);
            LOGFONTW logFont = {};
            ASSERT_TRUE(pBand->GetFont() != nullptr && pBand->GetFont()->GetLogFont(&logFont) != 0);
            EXPECT_EQ(logFont.lfWeight, FW_BOLD);
            CClientDC dc(pBand);
            const auto colour = [&](CWnd* pControl)
            {
                return d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                     reinterpret_cast<LPARAM>(pControl->m_hWnd));
            };
            LOGBRUSH logBrush = {};
            ASSERT_NE(::GetObjectW(reinterpret_cast<HBRUSH>(colour(pBand)), sizeof logBrush, &logBrush), 0);
            EXPECT_EQ(logBrush.lbColor, ::GetSysColor(COLOR_INACTIVECAPTION));
            EXPECT_EQ(dc.GetTextColor(), ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
            EXPECT_EQ(dc.GetBkColor(), ::GetSysColor(COLOR_INACTIVECAPTION));
            EXPECT_NE(colour(CWnd::FromHandle(::GetWindow(d.Tree().m_hWnd, GW_HWNDPREV))), colour(pBand));
        };
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

// The user's keys here go straight to the tree, which takes Control, held down anywhere on the display, to
// mean scrolling: the suites that collapse with keys run apart from the ones that hold Control down.
TEST(TreeDialogStateFocus, FirstOpeningThenReopeningWithTheSameMap)
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

TEST(TreeDialogStateFocus, HidesAndShowsPagesAndBranchesInPlace)
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

// Odd input is harmless: an empty title gives an empty label (and map name), "~" inside a label is kept as it
// is, a page added twice appears once, a plug-in page without a module takes its template through the
// resource chain, and hiding or showing pages the tree does not hold does nothing.
TEST(TreeDialogHiding, OddPagesAndCallsAreHarmless)
{
    VPropertyPageStateMap map;
    CTestTreeDialog dialog(L"Options", 0, &map, nullptr);
    CTestPage general(L"General\nGeneral settings"), untitled(L""), tilde(L"A~B\nOdd"), stranger(L"Stranger");
    VPluginPage plugin(IDD_TREE_PAGE, nullptr);
    for (VPropertyTreePage* pPage :
         std::initializer_list<VPropertyTreePage*>{&general, &general, &untitled, &tilde, &plugin})
        dialog.AddPage(pPage);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        EXPECT_EQ(d.Shape(), L"General*,,A~B,Page");
        d.HidePage(&stranger);
        d.ShowPage(&stranger);
        d.HidePage(&tilde);
        d.HidePage(&tilde);
        d.ShowPage(&general);
        EXPECT_EQ(d.Shape(), L"General*,,Page");
        d.ShowPage(&tilde);
        EXPECT_EQ(d.Shape(), L"General*,,A~B,Page");
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(MapShape(map), L"=E- A~B=E- General=ES Page=E-");
}

// Any process's window that is shown takes the foreground, and with it the keyboard input of the display;
// the thread that had it loses its active window and focus. While one lives, this thread's active window
// and focus stay where its test puts them whichever process is in the foreground.
class KeepFocus
{
public:
    KeepFocus() : m_hHook(::SetWindowsHookExW(WH_CBT, &Refuse, nullptr, ::GetCurrentThreadId())) {}
    ~KeepFocus() { ::UnhookWindowsHookEx(m_hHook); }
    KeepFocus(const KeepFocus&) = delete;
    KeepFocus& operator=(const KeepFocus&) = delete;

private:
    static LRESULT CALLBACK Refuse(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_ACTIVATE && wParam == 0)
            return 1;
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    HHOOK m_hHook;
};

// Holds the modifiers down, types the last key into the window that has this thread's focus and runs the
// thread's message loop, pre-translation included, until done holds; then lets the keys go. The modifiers
// go through the system's input, as the dialog reads them from the display's key state; the key itself is
// posted, as it would reach the focus window in the foreground, so that no other process's window can take
// it. False when done does not come within five seconds, which only a fault reaches.
bool Chord(std::initializer_list<WORD> keys, const std::function<bool()>& done)
{
    BYTE state[256] = {}, held[256];
    ::GetKeyboardState(state);
    std::copy(std::begin(state), std::end(state), held);
    std::vector<INPUT> modifiers(keys.size() - 1);
    for (size_t i = 0; i < modifiers.size(); ++i)
    {
        modifiers[i].type = INPUT_KEYBOARD;
        modifiers[i].ki.wVk = keys.begin()[i];
        held[keys.begin()[i]] = 0x80;
    }
    ::SendInput(static_cast<UINT>(modifiers.size()), modifiers.data(), sizeof(INPUT));
    ::SetKeyboardState(held);
    HWND hFocus = ::GetFocus();
    ::PostMessageW(hFocus, WM_KEYDOWN, *(keys.end() - 1), 1);
    bool bDone = true;
    for (DWORD dwStart = ::GetTickCount(); bDone && !done();)
    {
        DWORD dwLeft = 5000 - std::min<DWORD>(::GetTickCount() - dwStart, 5000);
        bDone = ::MsgWaitForMultipleObjects(0, nullptr, FALSE, dwLeft, QS_ALLINPUT) != WAIT_TIMEOUT;
        for (MSG msg; !done() && ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);)
            AfxGetThread()->PumpMessage();
    }
    ::PostMessageW(hFocus, WM_KEYUP, *(keys.end() - 1), 0xC0000001);
    for (INPUT& input : modifiers)
        input.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(static_cast<UINT>(modifiers.size()), modifiers.data(), sizeof(INPUT));
    ::SetKeyboardState(state);
    return bDone;
}

TEST(TreeDialogKeysFocus, ShortcutsWrapAndTabMovesBetweenTreeAndPage)
{
    CTestTreeDialog dialog(L"Options", 0, nullptr, nullptr);
    PageSet pages(dialog);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        KeepFocus keep;
        d.GotoDlgCtrl(&d.Tree());
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
            SCOPED_TRACE(std::wstring(c.pFrom->m_strTitle.GetString()) + L" to " +
                         c.pTo->m_strTitle.GetString());
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
        KeepFocus keep;
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

// The sample plug-in's page and dialog, whose templates only the plug-in's module holds (it stays out of the
// resource chain), are made while the host's module is current, which is current again afterwards; the
// same template as an ordinary page is out of reach. The dialog is made modeless through its help id.
TEST(Plugin, PageAndDialogMadeFromThePluginsModule)
{
    auto make = reinterpret_cast<SamplePluginMakeFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::LoadLibraryW(L"SamplePlugin.dll"), "SamplePluginMake")));
    ASSERT_NE(make, nullptr);
    HINSTANCE hHost = AfxGetResourceHandle();
    VPluginPage* pPage = nullptr;
    VPluginDialog* pDialog = nullptr;
    make(&pPage, &pDialog, nullptr);
    ASSERT_TRUE(pPage != nullptr && pDialog != nullptr);
    VPropertyTreePage unreachable(IDD_SAMPLE_PAGE);
    CTestPage general(L"General");
    CTestTreeDialog dialog(L"Options", 1, nullptr, nullptr);
    for (VPropertyTreePage* pAdded : std::initializer_list<VPropertyTreePage*>{&general, pPage, &unreachable})
        dialog.AddPage(pAdded);
    dialog.m_script = [&](CTestTreeDialog& d)
    {
        EXPECT_EQ(AfxGetResourceHandle(), hHost);
        EXPECT_EQ(unreachable.GetSafeHwnd(), nullptr);
        EXPECT_EQ(d.Shape(), L"General*,Transfers,");
        d.Tree().SelectItem(pPage->GetTreeItem());
        EXPECT_TRUE(d.Current() == pPage && Shown(*pPage) && pPage->GetDlgItem(IDC_SAMPLE_LIMIT));
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    EXPECT_TRUE(pDialog->Create());
    EXPECT_EQ(AfxGetResourceHandle(), hHost);
    MessageBoxRecorder boxes;
    pDialog->SetDlgItemText(IDC_SAMPLE_LIMIT, L"0"); // the plug-in takes 1 to 16
    EXPECT_FALSE(pDialog->SavePageData());
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    pDialog->SetDlgItemText(IDC_SAMPLE_LIMIT, L"16");
    EXPECT_TRUE(pDialog->SavePageData());
    pDialog->DestroyWindow();
    delete pDialog;
    delete pPage;
}
} // namespace
