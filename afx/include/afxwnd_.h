// Windows, message maps, dialogs and control classes of the framework.
//
// A CWnd is connected to its window through the thread's handle map: an object that created, attached or
// subclassed a window is its permanent object, and every message of the window runs through AfxWndProc to
// the object's message map. Windows created through an object are subclassed before their first message
// (a CBT hook catches the creation), so WM_NCCREATE and WM_CREATE already reach the object. The maps belong
// to the thread that made the connection: another thread sees no permanent object for the window.
#pragma once

#ifndef AFX_UMBRELLA_AFXWIN_H
#error This header is part of <afxwin.h>; include that instead.
#endif

class CWnd;
class CFrameWnd;
class CDataExchange;
class CScrollBar;
struct CCreateContext;

/////////////////////////////////////////////////////////////////////////////
// CCmdUI: one user-interface element (a menu item or a control) being asked whether its command is
// enabled, checked or renamed, through the ON_UPDATE_COMMAND_UI handlers of the command targets.

class AFX_API CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID;
    UINT m_nIndex; // the item's position in m_pMenu
    // The menu the item belongs to, with the submenu at the item (for a popup routed to its first item).
    CMenu* m_pMenu;
    CMenu* m_pSubMenu;
    // The menu that holds m_pMenu as a popup, when it is one of a window's top-level popups.
    CMenu* m_pParentMenu;
    // The control, when the element is not a menu item.
    CWnd* m_pOther;
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate (buttons only).
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // A handler that wants a later command target to decide as well.
    void ContinueRouting();

    // Asks pTarget's command routing about m_nID; with bDisableIfNoHndler an element whose command has no
    // handler at all is disabled. TRUE when an update handler answered.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

/////////////////////////////////////////////////////////////////////////////
// CWnd

// m_nFlags
#define WF_TOOLTIPS 0x0001
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008     // RunModalLoop is running
#define WF_CONTINUEMODAL 0x0010 // the modal loop goes on until EndModalLoop clears it

// RunModalLoop
#define MLF_NOIDLEMSG 0x0001  // no WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE 0x0002 // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE 0x0004 // show the window once the queue is first empty

class AFX_API CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    // Destroys a window the object still holds (its derived handlers and PostNcDestroy are not reached
    // from here any more: destroy the window first when they matter).
    ~CWnd() override;

    HWND m_hWnd;
    // Both may be called through a null pointer and then give null.
    operator HWND() const;
    HWND GetSafeHwnd() const;
    BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

    // Stand-ins for HWND_TOP, HWND_BOTTOM, HWND_TOPMOST and HWND_NOTOPMOST in SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // The object for a window: its permanent object, or else a temporary one (null for null).
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // Only the permanent object of the calling thread, or null.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    // Makes this object the window's permanent object without subclassing it. FALSE (nothing changes) for a
    // null handle, when the object already has a window, or when the window has a permanent object.
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // Attaches the window and routes its messages through this object; the window's previous procedure
    // is what DefWindowProc calls. FALSE when Attach refuses or the handle is not a window.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Puts the previous window procedure back and detaches; the handle.
    HWND UnsubclassWindow();
    // Called just before the object starts receiving the window's messages (creation or subclassing).
    virtual void PreSubclassWindow();

    // Creation. The default window class (AfxWnd) is used when lpszClassName is null. FALSE when the
    // window could not be made (GetLastError tells why) or OnCreate refused it.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL DestroyWindow();
    // Called after WM_NCDESTROY, once the object has let go of the window; objects that live on the heap
    // and belong to their window delete themselves here.
    virtual void PostNcDestroy();

    // Styles. ModifyStyle is TRUE when the style changed; with nFlags the frame is updated by SetWindowPos.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // Relations.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetParentOwner() const;
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    CWnd* GetLastActivePopup() const;
    BOOL IsChild(const CWnd* pWnd) const;
    virtual BOOL IsFrameWnd() const;
    // The window that should own a pop-up raised on behalf of pParent (the main window when null): the
    // top-level window above it. With pWndTop, that top-level window is disabled and returned there.
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr);
    static HWND PASCAL GetSafeOwner_(HWND hParent, HWND* pWndTop);

    // Text.
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // The icons of the caption and the task switcher (bBigIcon TRUE: ICON_BIG, FALSE: ICON_SMALL), through
    // WM_SETICON and WM_GETICON. SetIcon returns the icon the window had; the caller keeps ownership.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                BOOL bDeep, BOOL bOnlyPerm);
    // The message being handled (the innermost one of this thread), with its time and cursor position.
    static const MSG* PASCAL GetCurrentMessage();
    // The message being handled, passed to DefWindowProc.
    LRESULT Default();

    // State and placement.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void BringWindowToTop();
    // Centres the window over its owner (a child over its parent), or over pAlternateOwner, kept inside the
    // work area of the owner's monitor.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;

    // Focus, activation and capture.
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();
    CWnd* SetActiveWindow();
    static CWnd* PASCAL GetActiveWindow();
    BOOL SetForegroundWindow();
    static CWnd* PASCAL GetForegroundWindow();
    CWnd* SetCapture();
    static CWnd* PASCAL GetCapture();

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    // The DC is a temporary object; give it back with ReleaseDC.
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);

    // Timers; a null lpfnTimer sends WM_TIMER to the window. 0 on failure.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                      void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD));
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Menus and scroll bars.
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);

    // Dialog items.
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    // A descendant with the id, at any depth (only those with permanent objects when bOnlyPerm).
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    virtual BOOL IsDialogMessage(LPMSG lpMsg);

    // A message box owned by this window, captioned with the application's name when lpszCaption is null.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Dialog data exchange: runs DoDataExchange in the given direction (TRUE: controls to members, with
    // validation). FALSE when a validation failed (the user has been told and the control has the focus)
    // or the exchange ran into another framework exception (reported to the user).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // Fills list and combo boxes from a dialog-initialisation resource (RT_DLGINIT) of that name or from
    // its data; a name without such a resource is nothing to do. FALSE when a control refused an item.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);

    // Modal loop: runs until EndModalLoop; returns its result, or -1 when WM_QUIT arrived (which is posted
    // again for the outer loop).
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Offers pMsg to PreTranslateMessage of every window from pMsg->hwnd up its parents (and owners) that
    // has a permanent object, stopping after hWndStop; TRUE when one of them took the message.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // For dialogs and dialog-like windows: keyboard and mouse messages go through IsDialogMessage.
    BOOL PreTranslateInput(LPMSG lpMsg);

    // Message processing. WindowProc runs OnWndMsg and, for what it leaves, DefWindowProc, which calls the
    // window procedure the window had before the object subclassed it.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual WNDPROC* GetSuperWndProcAddr();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Reflection: a parent offers a child's WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM,
    // WM_CTLCOLORxxx and scroll messages to the child first; the child handles them with ON_xxx_REFLECT
    // entries. TRUE when the child took the message (the parent then does nothing more with it).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);

protected:
    // Message handlers. Each default passes the message on (Default), after offering the messages that
    // can be reflected to the child that sent them.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnPaint();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg UINT OnGetDlgCode();
    // nID is the system command (SC_xxx or an id the program added to the system menu), lParam the cursor
    // position for mouse choices.
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    // The icon shown while a minimised window without a class icon is dragged.
    afx_msg HCURSOR OnQueryDragIcon();

    virtual void DoDataExchange(CDataExchange* pDX);
    // Creates the window from a dialog template (through the hook, like every window of an object).
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

    HWND m_hWndOwner;   // the owner when it is not the parent (SetOwner)
    UINT m_nFlags;      // WF_ flags
    WNDPROC m_pfnSuper; // the window procedure that DefWindowProc calls
    int m_nModalResult;

    friend LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    explicit CWnd(HWND hWndSpecial); // wndTop and its kind
};

// The window procedure of every window that has a permanent object.
AFX_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
AFX_API WNDPROC AFXAPI AfxGetAfxWndProc();
// Calls pWnd->WindowProc for one message, keeping it as the current message; framework exceptions that a
// handler lets escape are reported here and never reach the system.
AFX_API LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// The dialog procedure of dialogs made by the framework: WM_INITDIALOG calls CDialog::OnInitDialog.
AFX_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Arranges for the next window created on this thread to become pWnd's (see CWnd::CreateEx).
AFX_API void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
// Ends that arrangement; FALSE when no window was created for the object in the meantime.
AFX_API BOOL AFXAPI AfxUnhookWindowCreate();

// Window classes. AfxRegisterWndClass returns the name of a class with those attributes (registered on
// first use; the text lives until the thread's next call) and throws CResourceException when it cannot be
// registered. AfxRegisterClass registers a class unless one of that name exists in the module.
AFX_API LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                           HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
AFX_API BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);

// Temporary objects made by FromHandle are deleted when the last lock is released with bDeleteTemps.
// AfxUnlockTempMaps is TRUE while the maps stay locked.
AFX_API void AFXAPI AfxLockTempMaps();
AFX_API BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

/////////////////////////////////////////////////////////////////////////////
// CFrameWnd: a top-level window with a menu, usually the main window of a host. Frames live on the heap
// and delete themselves when their window is destroyed.

class AFX_API CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    // lpszMenuName names a menu resource found through the resource chain; the frame destroys it with
    // its window. FALSE when the menu or the window cannot be made (the object has then deleted itself).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                        LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                        CCreateContext* pContext = nullptr);

    // Loads the accelerator table the frame translates keys through, found through the resource chain.
    // FALSE when the resource cannot be loaded; a frame loads one table in its life.
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    BOOL IsFrameWnd() const override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The frame's own map first, then the application's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Items whose commands have no handler are disabled when a popup opens (TRUE by default).
    BOOL m_bAutoMenuEnable;
    HMENU m_hMenuDefault;
    HACCEL m_hAccelTable;

protected:
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    DECLARE_MESSAGE_MAP()
};
