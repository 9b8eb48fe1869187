// Opening and closing the options dialog with 200 pages in a three-level tree (8 categories of 4 groups of 5
// pages), against
//  - the least a host could do instead: a plain CDialog with one tree control filled with the same 200 items,
//    all expanded and the first one selected (ratio = plain time / options dialog time), and
//  - that plain dialog plus the 200 page windows made straight with CreateDialogIndirectParamW, titled and
//    without their caption bars: what the options dialog costs beyond the windows every page needs
//    (ratio = raw time / options dialog time).
// Each opening runs the dialog's modal loop and ends it from inside with Cancel once the dialog has started.
// The options dialog keeps one state map across openings, as a host does.
#include "dialogs/VPropertyTreeDialog.h"

#include "treedialog.h"
#include "BenchClock.h"

#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace
{
using bench::Now;

constexpr int Categories = 8;
constexpr int Groups = 4;
constexpr int Leaves = 5;
constexpr int Rounds = 15;

class CBenchApp : public CWinApp
{
};
CBenchApp theApp;

// A page's title: its tree label, a line feed and its caption.
CString Title(int category, int group = -1, int leaf = -1)
{
    CString label;
    if (leaf >= 0)
        label.Format(L"Setting %d.%d.%d\nSettings of %d.%d.%d", category, group, leaf, category, group, leaf);
    else if (group >= 0)
        label.Format(L"Group %d.%d\nGroup %d.%d", category, group, category, group);
    else
        label.Format(L"Category %d\nCategory %d", category, category);
    return label;
}

CString Label(int category, int group = -1, int leaf = -1)
{
    return Title(category, group, leaf).SpanExcluding(L"\n");
}

class CBenchPage : public VPropertyTreePage
{
public:
    explicit CBenchPage(const CString& strTitle) : VPropertyTreePage(IDD_BENCH_PAGE), m_strTitle(strTitle) {}

    BOOL OnInitDialog() override
    {
        VPropertyTreePage::OnInitDialog();
        SetWindowText(m_strTitle);
        return TRUE;
    }

private:
    CString m_strTitle;
};

class CBenchTreeDialog : public VPropertyTreeDialog
{
public:
    explicit CBenchTreeDialog(VPropertyPageStateMap* pStates)
        : VPropertyTreeDialog(L"Options", 0, pStates, nullptr)
    {
    }

    BOOL OnInitDialog() override
    {
        const BOOL bResult = VPropertyTreeDialog::OnInitDialog();
        PostMessage(WM_COMMAND, IDCANCEL);
        return bResult;
    }
};

// The same tree with no pages behind it (or with raw page windows), from a template in memory: the tree at
// the options dialog's place and size.
class CPlainTreeDialog : public CDialog
{
public:
    explicit CPlainTreeDialog(bool bRawPages) : m_bRawPages(bRawPages)
    {
        m_template.resize(512 / sizeof(WORD));
        WORD* p = m_template.data();
        auto* pDialog = reinterpret_cast<DLGTEMPLATE*>(p);
        pDialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
        pDialog->cdit = 1;
        pDialog->cx = 358;
        pDialog->cy = 291;
        p += sizeof(DLGTEMPLATE) / sizeof(WORD);
        *p++ = 0; // no menu
        *p++ = 0; // the standard class
        p = Append(p, L"Options");
        *p++ = 8;
        p = Append(p, L"MS Shell Dlg");
        p = reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
        auto* pItem = reinterpret_cast<DLGITEMTEMPLATE*>(p);
        pItem->style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                       TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
        pItem->x = 7;
        pItem->y = 17;
        pItem->cx = 96;
        pItem->cy = 242;
        pItem->id = TreeId;
        p += sizeof(DLGITEMTEMPLATE) / sizeof(WORD);
        p = Append(p, WC_TREEVIEWW);
        *p++ = 0; // no text
        *p++ = 0; // no creation data
        InitModalIndirect(reinterpret_cast<DLGTEMPLATE*>(m_template.data()));
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CTreeCtrl tree;
        tree.Attach(::GetDlgItem(m_hWnd, TreeId));
        HTREEITEM hFirst = nullptr;
        for (int category = 0; category < Categories; ++category)
        {
            HTREEITEM hCategory = tree.InsertItem(Label(category), TVI_ROOT, TVI_LAST);
            AddRawPage(Title(category));
            hFirst = hFirst ? hFirst : hCategory;
            for (int group = 0; group < Groups; ++group)
            {
                HTREEITEM hGroup = tree.InsertItem(Label(category, group), hCategory);
                AddRawPage(Title(category, group));
                for (int leaf = 0; leaf < Leaves; ++leaf)
                {
                    tree.InsertItem(Label(category, group, leaf), hGroup);
                    AddRawPage(Title(category, group, leaf));
                }
                tree.Expand(hGroup, TVE_EXPAND);
            }
            tree.Expand(hCategory, TVE_EXPAND);
        }
        tree.SelectItem(hFirst);
        tree.Detach();
        PostMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }

private:
    static constexpr int TreeId = 1000;

    static WORD* Append(WORD* p, const wchar_t* text)
    {
        do
            *p++ = *text;
        while (*text++ != 0);
        return p;
    }

    static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

    void AddRawPage(const CString& strTitle)
    {
        if (!m_bRawPages)
            return;
        HINSTANCE hModule = AfxGetResourceHandle();
        HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(IDD_BENCH_PAGE), RT_DIALOG);
        auto* pTemplate = static_cast<DLGTEMPLATE*>(::LockResource(::LoadResource(hModule, hResource)));
        HWND hPage = ::CreateDialogIndirectParamW(hModule, pTemplate, m_hWnd, PageProc, 0);
        ::SetWindowTextW(hPage, strTitle);
        ::SetWindowLongW(hPage, GWL_STYLE, ::GetWindowLongW(hPage, GWL_STYLE) & ~WS_CAPTION);
    }

    bool m_bRawPages;
    std::vector<WORD> m_template;
};

// The host's pages, kept across openings like the state map.
struct Pages
{
    std::vector<std::unique_ptr<CBenchPage>> all;
    std::vector<CBenchPage*> top;

    Pages()
    {
        for (int category = 0; category < Categories; ++category)
        {
            CBenchPage* pCategory = Add(Title(category));
            top.push_back(pCategory);
            for (int group = 0; group < Groups; ++group)
            {
                CBenchPage* pGroup = Add(Title(category, group));
                pCategory->AddPage(pGroup);
                for (int leaf = 0; leaf < Leaves; ++leaf)
                    pGroup->AddPage(Add(Title(category, group, leaf)));
            }
        }
    }

    CBenchPage* Add(const CString& strTitle)
    {
        all.push_back(std::make_unique<CBenchPage>(strTitle));
        return all.back().get();
    }
};

// Seconds from constructing the dialog to the end of its modal loop, or a negative value when it did not run.
double Open(CDialog& dialog, double start)
{
    const INT_PTR nResult = dialog.DoModal();
    const double elapsed = Now() - start;
    return nResult == IDCANCEL ? elapsed : -1.0;
}

double OpenTree(const Pages& pages, VPropertyPageStateMap& states)
{
    const double start = Now();
    CBenchTreeDialog dialog(&states);
    for (CBenchPage* pPage : pages.top)
        dialog.AddPage(pPage);
    return Open(dialog, start);
}

double OpenPlain(bool bRawPages)
{
    const double start = Now();
    CPlainTreeDialog dialog(bRawPages);
    return Open(dialog, start);
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main()
{
    if (!AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL))
        return 2;

    Pages pages;
    VPropertyPageStateMap states;
    // The first openings load the controls' code and the fonts; they are not counted. The first one also
    // shows that every page reached the tree.
    if (OpenTree(pages, states) < 0 || OpenPlain(false) < 0 || OpenPlain(true) < 0)
    {
        std::printf("treedialog: a dialog did not run\n");
        return 1;
    }
    if (states.GetCount() != static_cast<int>(pages.all.size()))
    {
        std::printf("treedialog: %d of %d pages in the state map\n", states.GetCount(),
                    static_cast<int>(pages.all.size()));
        return 1;
    }
    std::vector<double> tree, plain, raw;
    for (int round = 0; round < Rounds; ++round)
    {
        tree.push_back(OpenTree(pages, states));
        plain.push_back(OpenPlain(false));
        raw.push_back(OpenPlain(true));
    }
    const double treeTime = Median(tree);
    const double plainTime = Median(plain);
    const double rawTime = Median(raw);
    std::printf("treedialog: options dialog %.1f ms, plain tree %.1f ms, plain tree and raw pages %.1f ms "
                "(medians of %d)\n",
                treeTime * 1e3, plainTime * 1e3, rawTime * 1e3, Rounds);
    std::printf("BENCH name=treedialog_open ratio=%.3f target=0.5\n", plainTime / treeTime);
    std::printf("BENCH name=treedialog_open_vs_raw_pages ratio=%.3f target=0.5\n", rawTime / treeTime);
    AfxWinTerm();
    return 0;
}
