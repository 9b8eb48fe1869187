// Standard dialogs. Hosts include this header for the dialog classes; CDialog itself and dialog data
// exchange come from afxwin.h, the common-dialog wrappers join here.
//
//     CFileDialog dialog(TRUE, L"txt", nullptr, OFN_HIDEREADONLY, L"Text (*.txt)|*.txt||", this);
//     if (dialog.DoModal() == IDOK)
//         Open(dialog.GetPathName());
//
//     auto* pFind = new CFindReplaceDialog; // deletes itself when its window goes
//     pFind->Create(TRUE, L"needle", nullptr, FR_DOWN, this); // reports with the FINDMSGSTRING message
//
//     CPrintDialog print(FALSE);
//     if (AfxGetApp()->GetPrinterDeviceDefaults(&print.m_pd))
//         CDC::FromHandle(print.CreatePrinterDC()); // the caller deletes the device context
#pragma once

#include "afxwin.h"

#include <commdlg.h>

/////////////////////////////////////////////////////////////////////////////
// CCommonDialog: the base of the wrappers of the system's common dialogs. The object is attached to the
// window whose messages the dialog's hook procedure sees; the system's own dialog procedure keeps the
// standard buttons.

class AFX_API CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

    // The system places its dialogs itself.
    BOOL CheckAutoCenter() override;

protected:
    // IDOK: UpdateData(TRUE) and, when it succeeded, the system's handling; IDCANCEL: the system's.
    void OnOK() override;
    void OnCancel() override;
};

/////////////////////////////////////////////////////////////////////////////
// CFileDialog: the explorer-style open and save dialogs with a hook. While the dialog runs the object is
// attached to the hook's child dialog; GetParent() is the dialog the user sees. Only the old style exists:
// bVistaStyle is accepted and ignored.

class AFX_API CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: pairs of description and pattern separated by '|', ending in "||". dwSize 0 takes the
    // size of OPENFILENAME.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    // Attributes
    OPENFILENAME& GetOFN() { return m_ofn; }
    const OPENFILENAME& GetOFN() const { return m_ofn; }
    // The chosen path: while the dialog runs the one it shows, afterwards the file-name buffer.
    CString GetPathName() const;
    // The name and extension parts of GetPathName.
    CString GetFileName() const;
    CString GetFileExt() const;

    // Operations
    // IDOK or IDCANCEL; after IDCANCEL CommDlgExtendedError tells a failure from the user's cancel.
    INT_PTR DoModal() override;
    // Text of a control of the dialog the user sees (IDOK is the open/save button); only while it runs.
    void SetControlText(int nID, LPCSTR lpsz);
    void SetControlText(int nID, LPCWSTR lpsz);

    OPENFILENAME m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    TCHAR m_szFileTitle[64];
    TCHAR m_szFileName[_MAX_PATH];
};

/////////////////////////////////////////////////////////////////////////////
// CFindReplaceDialog: the modeless find and replace dialogs. The owner receives the FINDMSGSTRING
// registered message with the FINDREPLACE structure in lParam (GetNotifier finds the object). Objects are
// made with new: PostNcDestroy deletes them.

class AFX_API CFindReplaceDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFindReplaceDialog)
public:
    CFindReplaceDialog();

    // Operations
    // The texts are copied into the buffers m_fr points to (cut to their sizes); null leaves a buffer as
    // it is. dwFlags joins the flags already in m_fr. Without pParentWnd the main window is the owner.
    virtual BOOL Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith = nullptr,
                        DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = nullptr);
    // The object whose m_fr the notification's lParam points to.
    static CFindReplaceDialog* PASCAL GetNotifier(LPARAM lParam);

    // Attributes
    CString GetFindString() const;
    CString GetReplaceString() const;
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACE m_fr;

protected:
    void PostNcDestroy() override;

    TCHAR m_szFindWhat[128];
    TCHAR m_szReplaceWith[128];
};

/////////////////////////////////////////////////////////////////////////////
// CPrintDialog: the system's print and print-setup dialogs, and the printer device context of the chosen or
// default printer. The device names and mode it is given stay their owner's (usually the application's).

class AFX_API CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    // Construction
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);

    // Attributes
    PRINTDLGW& m_pd;

    // The printer's names and mode from m_pd; empty or null when it holds none.
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    LPDEVMODEW GetDevMode() const;
    HDC GetPrinterDC() const { return m_pd.hDC; }

    // Operations
    // The system's dialog; IDOK or IDCANCEL.
    INT_PTR DoModal() override;
    // The default printer's names and mode without a dialog (PD_RETURNDEFAULT); FALSE when there is none.
    BOOL GetDefaults();
    // A device context for the printer of m_pd, also kept in m_pd.hDC; null when none can be made. The
    // caller deletes it.
    HDC CreatePrinterDC();

protected:
    PRINTDLGW m_pdActual;
};
