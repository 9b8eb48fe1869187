// Dialog data exchange (CDataExchange and the DDX_/DDV_ functions) and dialogs (CDialog).
#pragma once

#ifndef AFX_UMBRELLA_AFXWIN_H
#error This header is part of <afxwin.h>; include that instead.
#endif

#ifndef RT_DLGINIT
#define RT_DLGINIT MAKEINTRESOURCE(240)
#endif

/////////////////////////////////////////////////////////////////////////////
// Data exchange

// The state of one UpdateData run, handed to every DDX_ and DDV_ function.
class AFX_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members, with validation; FALSE: members to controls
    CWnd* m_pDlgWnd;         // the window whose controls are exchanged

    // The control's handle; the control becomes the one that a failure puts the focus on. Throws
    // CNotSupportedException when the window has no control with that id.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit control, whose text a failure also selects.
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange as failed: when validating, the prepared control gets the focus (and its text is
    // selected when it is an edit); then CUserException is thrown, which UpdateData catches.
    AFX_NORETURN void Fail();

    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
    UINT m_idLastControl;
};

// Texts: CString, or numbers written in decimal. A number that does not parse, or does not fit the type,
// fails the exchange after telling the user.
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
// Written with enough digits to read back the same value; NaN and infinities are refused.
AFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// Check box state 0, 1 or 2; a value outside that range is shown as unchecked.
AFX_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked radio button in the group that starts at nIDC (it must have WS_GROUP), -1
// when none is checked.
AFX_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Subclasses control nIDC with rControl the first time (loading), so that the object handles it.
AFX_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
AFX_API void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Saving: the edit text (or the selected item of a drop list); loading: selects the first item that
// begins with the value, or else sets the edit text.
AFX_API void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_API void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_API void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_API void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);

// Validation, after the matching DDX_ call. Failing ones tell the user and fail the exchange; they only
// act when saving. DDV_MaxChars also limits the prepared edit or combo box to nChars when loading.
AFX_API void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
AFX_API void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
AFX_API void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
AFX_API void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
AFX_API void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
AFX_API void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
AFX_API void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
AFX_API void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);

// Sets a window's text only when it differs, so that an unchanged control does not flicker or notify.
AFX_API void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);

/////////////////////////////////////////////////////////////////////////////
// CDialog

class AFX_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    // Modal dialogs name their template here and run with DoModal; modeless ones use the default
    // constructor and Create.
    CDialog();
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless creation from a template found through the resource chain (the parent defaults to the main
    // window). FALSE when the template is missing or the window could not be made.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr,
                                void* lpDialogInit = nullptr);
    virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);

    // A modal dialog from an in-memory template (kept by the caller until DoModal returns).
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr,
                           void* lpDialogInit = nullptr);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog with its owner disabled; the value given to EndDialog, or -1 when the template is
    // missing or the dialog could not be created.
    virtual INT_PTR DoModal();

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void EndDialog(int nResult);

    // Called for WM_INITDIALOG: fills the controls from RT_DLGINIT data and the members (UpdateData(FALSE));
    // TRUE lets the system put the focus on the first control.
    virtual BOOL OnInitDialog();
    // Called for WM_SETFONT with the dialog's font, before OnInitDialog.
    virtual void OnSetFont(CFont* pFont);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The dialog's map, then the thread's and the application's for commands.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Whether the dialog is centred after OnInitDialog: not when its template places it itself.
    virtual BOOL CheckAutoCenter();

protected:
    // IDOK: UpdateData(TRUE) and, when it succeeded, EndDialog(IDOK). IDCANCEL: EndDialog(IDCANCEL).
    virtual void OnOK();
    virtual void OnCancel();
    // Called before WM_INITDIALOG is handled.
    virtual void PreInitDialog();

    UINT m_nIDHelp; // help id (by default the template id)
    LPCTSTR m_lpszTemplateName;
    HGLOBAL m_hDialogTemplate;
    LPCDLGTEMPLATE m_lpDialogTemplate;
    void* m_lpDialogInit;
    CWnd* m_pParentWnd;
    HWND m_hWndTop; // the top-level window DoModal disabled, to be enabled again

    HWND PreModal();
    void PostModal();
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit,
                        HINSTANCE hInst);
    BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
