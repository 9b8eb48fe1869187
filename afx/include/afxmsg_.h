// Message maps: the tables that connect window messages, commands and notifications to member functions.
//
// Every entry carries a signature code (AfxSig) and the handler as a member-function pointer of exactly that
// signature, held in the matching member of MessageMapFunctions. The ON_ macros convert the handler to the
// signature they expect with static_cast, so a handler with the wrong parameters does not compile, and the
// dispatcher reads back the same union member that the macro wrote.
#pragma once

#ifndef AFX_UMBRELLA_AFXWIN_H
#error This header is part of <afxwin.h>; include that instead.
#endif

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CMenu;
class CScrollBar;

// Messages of the framework's own.
#define WM_CTLCOLOR 0x0019
#define WM_QUERYAFXWNDPROC 0x0360 // answers 1 when the window runs AfxWndProc
#define WM_INITIALUPDATE 0x0364   // sent to the descendants of a dialog once its controls are filled
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_KICKIDLE 0x036A // sent to a modal window while its loop is idle
#ifndef WM_SYSTIMER
#define WM_SYSTIMER 0x0118 // the system timer that blinks the caret
#endif
// A message reflected back to the control that sent it arrives as WM_REFLECT_BASE + the message.
#define WM_REFLECT_BASE 0xBC00

// Command codes: the notification code of WM_COMMAND for menus and accelerators, and the query that asks a
// handler to update a user-interface element.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<UINT>(-1))

// The first command id of the system menu; ids from here on are never routed as application commands.
#define IS_COMMAND_ID(nID) ((nID) < 0xF000)

#define afx_msg
#define AFX_MSG_CALL

typedef void (CCmdTarget::*AFX_PMSG)();

enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,

    // Commands and notifications (routed through OnCmdMsg).
    AfxSigCmd_v,        // void ()
    AfxSigCmd_b,        // BOOL ()                          reflected, TRUE: the parent is not asked
    AfxSigCmd_RANGE,    // void (UINT nID)
    AfxSigCmd_EX,       // BOOL (UINT nID)                  FALSE: routing goes on
    AfxSigCmdUI,        // void (CCmdUI*)
    AfxSigNotify_v,     // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,     // BOOL (NMHDR*, LRESULT*)          reflected, TRUE: the parent is not asked
    AfxSigNotify_RANGE, // void (UINT nID, NMHDR*, LRESULT*)
    AfxSigNotify_EX,    // BOOL (UINT nID, NMHDR*, LRESULT*) FALSE: routing goes on

    // Window messages (dispatched by CWnd::OnWndMsg).
    AfxSig_is,             // int (LPCREATESTRUCT)
    AfxSig_vv,             // void ()
    AfxSig_vwii,           // void (UINT, int, int)
    AfxSig_vup,            // void (UINT_PTR)
    AfxSig_vwp,            // void (UINT, CPoint)
    AfxSig_vwww,           // void (UINT, UINT, UINT)
    AfxSig_vW,             // void (CWnd*)
    AfxSig_vWp,            // void (CWnd*, CPoint)
    AfxSig_vb,             // void (BOOL)
    AfxSig_vbw,            // void (BOOL, UINT)
    AfxSig_vwWb,           // void (UINT, CWnd*, BOOL)
    AfxSig_vMwb,           // void (CMenu*, UINT, BOOL)
    AfxSig_vwwx,           // void (UINT, UINT, CScrollBar*)
    AfxSig_vww,            // void (UINT, UINT)
    AfxSig_hDWw,           // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_hDw,            // HBRUSH (CDC*, UINT)
    AfxSig_vOWNER_DRAW,    // void (int, LPDRAWITEMSTRUCT)
    AfxSig_vOWNER_MEASURE, // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_vDRAW,          // void (LPDRAWITEMSTRUCT)
    AfxSig_vMEASURE,       // void (LPMEASUREITEMSTRUCT)
    AfxSig_bWww,           // BOOL (CWnd*, UINT, UINT)
    AfxSig_bD,             // BOOL (CDC*)
    AfxSig_wv,             // UINT ()
    AfxSig_lwl,            // LRESULT (WPARAM, LPARAM)
    AfxSig_vwl,            // void (UINT, LPARAM)
    AfxSig_hv,             // HCURSOR ()
};

union MessageMapFunctions
{
    AFX_PMSG pfn; // also every handler of AfxSigCmd_v

    BOOL (CCmdTarget::*pfnCmd_b)();
    void (CCmdTarget::*pfnCmd_u)(UINT);
    BOOL (CCmdTarget::*pfnCmd_b_u)(UINT);
    void (CCmdTarget::*pfnCmdUI)(CCmdUI*);
    void (CCmdTarget::*pfnNotify)(NMHDR*, LRESULT*);
    BOOL (CCmdTarget::*pfnNotify_b)(NMHDR*, LRESULT*);
    void (CCmdTarget::*pfnNotify_u)(UINT, NMHDR*, LRESULT*);
    BOOL (CCmdTarget::*pfnNotify_b_u)(UINT, NMHDR*, LRESULT*);

    int (CWnd::*pfn_is)(LPCREATESTRUCT);
    void (CWnd::*pfn_vv)();
    void (CWnd::*pfn_vwii)(UINT, int, int);
    void (CWnd::*pfn_vup)(UINT_PTR);
    void (CWnd::*pfn_vwp)(UINT, CPoint);
    void (CWnd::*pfn_vwww)(UINT, UINT, UINT);
    void (CWnd::*pfn_vW)(CWnd*);
    void (CWnd::*pfn_vWp)(CWnd*, CPoint);
    void (CWnd::*pfn_vb)(BOOL);
    void (CWnd::*pfn_vbw)(BOOL, UINT);
    void (CWnd::*pfn_vwWb)(UINT, CWnd*, BOOL);
    void (CWnd::*pfn_vMwb)(CMenu*, UINT, BOOL);
    void (CWnd::*pfn_vwwx)(UINT, UINT, CScrollBar*);
    void (CWnd::*pfn_vww)(UINT, UINT);
    HBRUSH (CWnd::*pfn_hDWw)(CDC*, CWnd*, UINT);
    HBRUSH (CWnd::*pfn_hDw)(CDC*, UINT);
    void (CWnd::*pfn_vOWNER_DRAW)(int, LPDRAWITEMSTRUCT);
    void (CWnd::*pfn_vOWNER_MEASURE)(int, LPMEASUREITEMSTRUCT);
    void (CWnd::*pfn_vDRAW)(LPDRAWITEMSTRUCT);
    void (CWnd::*pfn_vMEASURE)(LPMEASUREITEMSTRUCT);
    BOOL (CWnd::*pfn_bWww)(CWnd*, UINT, UINT);
    BOOL (CWnd::*pfn_bD)(CDC*);
    UINT (CWnd::*pfn_wv)();
    LRESULT (CWnd::*pfn_lwl)(WPARAM, LPARAM);
    void (CWnd::*pfn_vwl)(UINT, LPARAM);
    HCURSOR (CWnd::*pfn_hv)();
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage; // window message, or 0xC000 for a registered message
    UINT nCode;    // control notification code, CN_COMMAND or CN_UPDATE_COMMAND_UI
    UINT nID;      // first control or command id (0 for window messages)
    UINT nLastID;  // last id of a range (nID otherwise)
    // The signature; for a registered message the address of the UINT that holds the message number.
    UINT_PTR nSig;
    MessageMapFunctions mmf;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)(); // null for CCmdTarget, the end of every chain
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What OnCmdMsg reports, instead of calling, when a caller only asks who would handle a command.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    UINT_PTR nSig;
    MessageMapFunctions mmf;
};

// The extra argument of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// The arguments of the WM_CTLCOLORxxx messages, all of which dispatch as WM_CTLCOLOR.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// The first entry in lpEntry (up to the end marker) for the message, code and id, or null.
AFX_API const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                           UINT nCode, UINT nID);

/////////////////////////////////////////////////////////////////////////////
// Declaring and defining a message map

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                                     \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                        \
    {                                                                                                        \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                                   \
    {                                                                                                        \
        using ThisClass [[maybe_unused]] = theClass;                                                         \
        using TheBaseClass = baseClass;                                                                      \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

// clang-format off
#define END_MESSAGE_MAP()                                                                                    \
            {0, 0, 0, 0, AfxSig_end, {}}                                                                     \
        };                                                                                                   \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};        \
        return &messageMap;                                                                                  \
    }
// clang-format on

/////////////////////////////////////////////////////////////////////////////
// Commands, control notifications and WM_NOTIFY

// clang-format off
#define ON_COMMAND(id, memberFxn)                                                                            \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v,                                            \
     {.pfn = static_cast<AFX_PMSG>(memberFxn)}},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                              \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE,                                    \
     {.pfnCmd_u = static_cast<void (CCmdTarget::*)(UINT)>(memberFxn)}},
#define ON_COMMAND_EX(id, memberFxn)                                                                         \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX,                                           \
     {.pfnCmd_b_u = static_cast<BOOL (CCmdTarget::*)(UINT)>(memberFxn)}},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                           \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX,                                       \
     {.pfnCmd_b_u = static_cast<BOOL (CCmdTarget::*)(UINT)>(memberFxn)}},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI,                                  \
     {.pfnCmdUI = static_cast<void (CCmdTarget::*)(CCmdUI*)>(memberFxn)}},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI,                              \
     {.pfnCmdUI = static_cast<void (CCmdTarget::*)(CCmdUI*)>(memberFxn)}},

#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                               \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v,                                   \
     {.pfn = static_cast<AFX_PMSG>(memberFxn)}},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                                 \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE,                           \
     {.pfnCmd_u = static_cast<void (CCmdTarget::*)(UINT)>(memberFxn)}},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                           \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v,                                   \
     {.pfn = static_cast<AFX_PMSG>(memberFxn)}},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                        \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b,                                   \
     {.pfnCmd_b = static_cast<BOOL (CCmdTarget::*)()>(memberFxn)}},

#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v,                            \
     {.pfnNotify = static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn)}},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                  \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE,                    \
     {.pfnNotify_u = static_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(memberFxn)}},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                             \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX,                           \
     {.pfnNotify_b_u = static_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(memberFxn)}},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                            \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v,                            \
     {.pfnNotify = static_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn)}},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                         \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b,                            \
     {.pfnNotify_b = static_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn)}},

// Control notifications by control kind.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

/////////////////////////////////////////////////////////////////////////////
// Window messages

#define ON_MESSAGE(message, memberFxn)                                                                       \
    {(message), 0, 0, 0, AfxSig_lwl,                                                                         \
     {.pfn_lwl = static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(memberFxn)}},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                   \
    {0xC000, 0, 0, 0, reinterpret_cast<UINT_PTR>(&(nMessageVariable)),                                       \
     {.pfn_lwl = static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(memberFxn)}},

#define AFX_ON_WM(message, sig, type, handler)                                                               \
    {(message), 0, 0, 0, AfxSig_##sig, {.pfn_##sig = static_cast<type>(&ThisClass::handler)}},

#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, vv, void (CWnd::*)(), OnPaint)
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, vv, void (CWnd::*)(), OnClose)
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, vup, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, vb, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_ACTIVATE() AFX_ON_WM(WM_ACTIVATE, vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_INITMENUPOPUP()                                                                                \
    AFX_ON_WM(WM_INITMENUPOPUP, vMwb, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, vwwx, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, vwwx, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_CTLCOLOR() AFX_ON_WM(WM_CTLCOLOR, hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM()                                                                                     \
    AFX_ON_WM(WM_DRAWITEM, vOWNER_DRAW, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()                                                                                  \
    AFX_ON_WM(WM_MEASUREITEM, vOWNER_MEASURE, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_SYSCOMMAND() AFX_ON_WM(WM_SYSCOMMAND, vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_QUERYDRAGICON() AFX_ON_WM(WM_QUERYDRAGICON, hv, HCURSOR (CWnd::*)(), OnQueryDragIcon)

// Messages a parent reflects back to the control that sent them.
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    AFX_ON_WM(WM_CTLCOLOR + WM_REFLECT_BASE, hDw, HBRUSH (CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM_REFLECT()                                                                             \
    AFX_ON_WM(WM_DRAWITEM + WM_REFLECT_BASE, vDRAW, void (CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT()                                                                          \
    AFX_ON_WM(WM_MEASUREITEM + WM_REFLECT_BASE, vMEASURE, void (CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)
#define ON_WM_HSCROLL_REFLECT()                                                                              \
    AFX_ON_WM(WM_HSCROLL + WM_REFLECT_BASE, vww, void (CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT()                                                                              \
    AFX_ON_WM(WM_VSCROLL + WM_REFLECT_BASE, vww, void (CWnd::*)(UINT, UINT), VScroll)
// clang-format on
