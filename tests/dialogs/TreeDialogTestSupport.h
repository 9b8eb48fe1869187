// Pages and a tree dialog for the property tree and plug-in tests: the dialog runs a script inside its modal
// loop, and the tree and the state map are read back as short texts.
#pragma once

#include "dialogs/VPropertyTreeDialog.h"

#include "TreeDialogTestResources.h"

#include <functional>
#include <map>
#include <ostream>
#include <string>

// Failures show the text, not the pointer.
inline void PrintTo(const CString& text, std::ostream* pStream)
{
    *pStream << '"' << std::string(text.GetString(), text.GetString() + text.GetLength()) << '"';
}

// A page titled by the test, with a number that validates from 1 to 100.
class CTestPage : public VPropertyTreePage
{
public:
    explicit CTestPage(const wchar_t* lpszTitle) : VPropertyTreePage(IDD_TREE_PAGE), m_strTitle(lpszTitle) {}

    CString m_strTitle;
    int m_nValue = 10;
    bool m_bRefuseEntry = false; // OnSetActive fails

    CWnd* Value() { return GetDlgItem(IDC_TREE_VALUE); }
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

    CTreeCtrl& Tree() { return m_tree; }
    VPropertyTreePage* Current() const { return m_pCurrentPage; }

    void OnApply() override { ++m_nApplied; }
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
    CString Shape(HTREEITEM hParent = nullptr)
    {
        CString shape;
        for (HTREEITEM hItem = m_tree.GetChildItem(hParent); hItem; hItem = m_tree.GetNextSiblingItem(hItem))
        {
            shape += (shape.IsEmpty() ? L"" : L",") + m_tree.GetItemText(hItem);
            shape += m_tree.GetSelectedItem() == hItem ? L"*" : L"";
            if (m_tree.GetChildItem(hItem) != nullptr)
                shape += ((m_tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) ? L"+(" : L"-(") +
                         Shape(hItem) + L")";
        }
        return shape;
    }
};

inline bool Shown(const CWnd& wnd)
{
    return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

// The map as "name=ES" entries in name order, E and S for expanded and selected, "-" for either flag off.
inline CString MapShape(const VPropertyPageStateMap& map)
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
    return CString(shape.c_str());
}
