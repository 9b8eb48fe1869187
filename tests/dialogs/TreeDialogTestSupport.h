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
    *pStream << '"';
    for (int i = 0; i < text.GetLength(); ++i)
        *pStream << (text[i] < 128 ? static_cast<char>(text[i]) : '?');
    *pStream << '"';
}

// A page titled by the test, with a number that validates from 1 to 100.
class CTestPage : public VPropertyTreePage
{
public:
    explicit CTestPage(const wchar_t* lpszTitle) : VPropertyTreePage(IDD_TREE_PAGE), m_strTitle(lpszTitle) {}

    CString m_strTitle;
    int m_nValue = 10;
    bool m_bRefuseEntry = false; // OnSetActive fails
    int m_nShown = 0;

    void Change() { OnChange(); }
    void SetValueText(const wchar_t* lpszText) { SetDlgItemText(IDC_TREE_VALUE, lpszText); }

    BOOL OnInitDialog() override
    {
        VPropertyTreePage::OnInitDialog();
        SetWindowText(m_strTitle);
        return TRUE;
    }
    BOOL OnSetActive() override { return VPropertyTreePage::OnSetActive() && !m_bRefuseEntry; }
    void OnShow() override { ++m_nShown; }

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
    enum
    {
        WM_APP_SCRIPT = WM_APP + 61
    };
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
        PostMessage(WM_APP_SCRIPT);
        return bFocus;
    }

    // The tree as "label" items separated by commas, children in brackets after "+" (expanded) or "-",
    // the selected item marked with "*": "General*,Connection+(Proxy,Firewall-(Rules)),Transfers".
    CString Shape(HTREEITEM hParent = TVI_ROOT)
    {
        CString shape;
        for (HTREEITEM hItem = m_tree.GetChildItem(hParent == TVI_ROOT ? nullptr : hParent); hItem != nullptr;
             hItem = m_tree.GetNextSiblingItem(hItem))
        {
            shape += (shape.IsEmpty() ? L"" : L",") + m_tree.GetItemText(hItem);
            shape += m_tree.GetSelectedItem() == hItem ? L"*" : L"";
            if (m_tree.GetChildItem(hItem) != nullptr)
            {
                bool bExpanded = (m_tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
                shape += (bExpanded ? L"+(" : L"-(") + Shape(hItem) + L")";
            }
        }
        return shape;
    }
    CString BandText() const
    {
        CString text;
        GetDlgItem(5014)->GetWindowText(text);
        return text;
    }
    // The page's window in the dialog's client coordinates.
    CRect PageRect(CWnd& page) const
    {
        CRect rc;
        page.GetWindowRect(&rc);
        ScreenToClient(&rc);
        return rc;
    }

protected:
    afx_msg LRESULT OnScript(WPARAM, LPARAM)
    {
        if (m_script)
            m_script(*this);
        if (ContinueModal())
            EndDialog(IDCANCEL);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// Shown, whether or not the dialog around it is on the screen yet.
inline bool Shown(const CWnd& wnd)
{
    return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

// The map as "name=ES" entries in name order, E and S for expanded and selected, "-" for either flag off.
inline CString MapShape(const VPropertyPageStateMap& map)
{
    std::map<std::wstring, std::wstring> entries;
    map.ForEach(
        [&entries](const VUnicodeString& name, VPropertyPageState* pState)
        {
            entries[name.GetString()] =
                std::wstring(pState->m_bExpanded ? L"E" : L"-") + (pState->m_bSelected ? L"S" : L"-");
        });
    std::wstring shape;
    for (const auto& entry : entries)
        shape += (shape.empty() ? L"" : L" ") + entry.first + L"=" + entry.second;
    return CString(shape.c_str());
}
