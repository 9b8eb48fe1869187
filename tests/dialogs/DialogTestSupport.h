// Helpers of the dialog tests: a dialog that runs a script once it is up, windows that record the messages
// they receive, and the switch that makes the library the current resource module.
#pragma once

#include "dialogs/VDialog.h"
#include "frame/Pardalin.h"

#include "DialogTestResources.h"

#include <functional>
#include <vector>

namespace dialogtest
{
const UINT WM_APP_SCRIPT = WM_APP + 60;

// The test program, which holds the templates.
inline HINSTANCE TestModule()
{
    return ::GetModuleHandleW(nullptr);
}

inline CString TextOf(HWND hWnd)
{
    CString text;
    int nLength = ::GetWindowTextLengthW(hWnd);
    ::GetWindowTextW(hWnd, text.GetBufferSetLength(nLength), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

// A rectangle of a child in its parent's client coordinates.
inline CRect ChildRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// Every message any recording window receives gets the next number, so that tests can check the order.
inline int NextSequence()
{
    static int nSequence = 0;
    return ++nSequence;
}

// A dialog from the test program's templates. OnInitDialog notes what it found, then posts itself the
// script, which runs inside the modal loop (or the test's pumping); without a script a modal run ends with
// IDCANCEL.
class CScriptedDialog : public VDialog
{
public:
    using VDialog::VDialog;

    std::function<void(CScriptedDialog&)> m_script;
    int m_nInitSequence = 0;
    CString m_strCaption;
    std::vector<CString> m_comboItems;
    HINSTANCE m_hResourceAtInit = nullptr;

    HGLOBAL TemplateResource() const { return m_hTemplateResource; }
    HGLOBAL InitResource() const { return m_hInitResource; }
    CWnd* ParentMember() const { return m_pParentWnd; }
    void SetHelpId(UINT nID) { m_nIDHelp = nID; }

    BOOL OnInitDialog() override
    {
        BOOL bFocus = VDialog::OnInitDialog();
        m_nInitSequence = NextSequence();
        m_strCaption = TextOf(m_hWnd);
        m_hResourceAtInit = AfxGetResourceHandle();
        HWND hCombo = ::GetDlgItem(m_hWnd, IDC_DLG_COMBO);
        int nCount = hCombo != nullptr ? static_cast<int>(::SendMessageW(hCombo, CB_GETCOUNT, 0, 0)) : 0;
        for (int i = 0; i < nCount; ++i)
        {
            wchar_t szItem[64] = {};
            ::SendMessageW(hCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szItem));
            m_comboItems.push_back(szItem);
        }
        PostMessage(WM_APP_SCRIPT);
        return bFocus;
    }

protected:
    afx_msg LRESULT OnScript(WPARAM, LPARAM)
    {
        if (m_script)
        {
            m_script(*this);
        }
        else if ((m_nFlags & WF_MODALLOOP) != 0)
        {
            EndDialog(IDCANCEL);
        }
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

// A window that numbers the WM_CANCELMODE messages it receives.
class CCancelModeWnd : public CWnd
{
public:
    std::vector<int> m_cancelModes;

    BOOL CreatePopup(LPCWSTR lpszName)
    {
        return CreateEx(0, AfxRegisterWndClass(0), lpszName, WS_POPUP, 0, 0, 200, 150, nullptr, nullptr);
    }
    BOOL CreateChild(CWnd* pParent, UINT nID)
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD, CRect(0, 0, 50, 50), pParent, nID);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CANCELMODE)
        {
            m_cancelModes.push_back(NextSequence());
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
} // namespace dialogtest
