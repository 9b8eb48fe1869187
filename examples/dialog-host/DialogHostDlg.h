// DialogHostDlg.h : header file: CDialogHostDlg, the application's main dialog
//
//     CDialogHostDlg dlg;
//     if (dlg.DoModal() == IDOK)
//         ... dlg.m_strName, dlg.m_nCount and dlg.m_bNumbered hold what the user confirmed

#pragma once

// CDialogHostDlg dialog
class CDialogHostDlg : public CDialogEx
{
    // Construction
public:
    CDialogHostDlg(CWnd* pParent = nullptr); // standard constructor

    // Dialog Data
#ifdef AFX_DESIGN_TIME
    enum
    {
        IDD = IDD_DIALOGHOST_DIALOG
    };
#endif
    CString m_strName; // the text of every line, at most 16 characters
    int m_nCount;      // how many lines, 1 to 9
    BOOL m_bNumbered;  // whether the lines start with their number
    CListBox m_listLines;

protected:
    virtual void DoDataExchange(CDataExchange* pDX); // DDX/DDV support

    // Implementation
protected:
    HICON m_hIcon;

    // Generated message map functions
    virtual BOOL OnInitDialog();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    DECLARE_MESSAGE_MAP()
public:
    afx_msg void OnBnClickedFill();
};
