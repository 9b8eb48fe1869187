// CDialogEx: the dialog class that generated dialog-based applications derive their dialogs from.
//
//     class CMyDlg : public CDialogEx
//     {
//     public:
//         explicit CMyDlg(CWnd* pParent = nullptr) : CDialogEx(IDD_MY_DIALOG, pParent) {}
//     };
//     CMyDlg dlg;
//     dlg.DoModal();
//
// It behaves as CDialog does: the background colour and image members are not part of the stand-in.
#pragma once

#include "afxwin.h"

class AFX_API CDialogEx : public CDialog
{
    DECLARE_DYNAMIC(CDialogEx)
public:
    // Construction
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParent = nullptr) : CDialog(nIDTemplate, pParent) {}
    explicit CDialogEx(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr)
        : CDialog(lpszTemplateName, pParentWnd)
    {
    }
};
