// The application object, module and resource state, message boxes and the program entry.
#pragma once

#ifndef AFX_UMBRELLA_AFXWIN_H
#error This header is part of <afxwin.h>; include that instead.
#endif

class CDocument;
class CRecentFileList;

// The size of the recent-file list when LoadStdProfileSettings is given none, and the most entries the menu
// numbers (ID_FILE_MRU_FILE1 ... ID_FILE_MRU_FILE16).
#define _AFX_MRU_COUNT 4
#define _AFX_MRU_MAX_COUNT 16

/////////////////////////////////////////////////////////////////////////////
// CWinApp: the one application object of a program. Constructed statically by the host; AfxWinMain (or a
// host's own entry calling AfxWinInit) completes it and runs InitInstance.

class AFX_API CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers the object as the application (and as the constructing thread's CWinThread). A second
    // application object in the same process is an error: it is left unregistered. lpszAppName null
    // means the AFX_IDS_APP_TITLE string or, without one, the executable's base name.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up: InitApplication once per program, then InitInstance; FALSE from either ends the program.
    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    // CWinThread's loop; without a main window the application has nothing to run and quits at once.
    int Run() override;
    // Saves the recent-file list (SaveStdProfileSettings) and deletes it; then CWinThread's exit code.
    int ExitInstance() override;

    // Every AfxMessageBox of the program comes here, so an application (or a test) can show message boxes
    // its own way. The default shows the box with the application name as caption, owned by the main
    // window (or the active window), disabling the owner's top-level window as a modal box does.
    // nIDPrompt is the help context (the prompt's string id, or 0).
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // From now on the profile lives in HKEY_CURRENT_USER\Software\<lpszRegistryKey>\<m_pszAppName>\<section>
    // instead of the INI file; m_pszProfileName becomes the application name.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

    // The profile: the INI file m_pszProfileName or, after SetRegistryKey, the registry. Reads give the
    // default when the entry is missing (or, in the registry, of another type).
    virtual UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    virtual CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // *ppData receives a new[] copy of the bytes (the caller delete[]s it); FALSE with *ppData null and
    // *pBytes 0 when the entry is missing or is not binary data.
    virtual BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    virtual BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A null lpszValue deletes the entry; a null lpszEntry deletes the whole section.
    virtual BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    virtual BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // HKCU\Software\<m_pszRegistryKey>\<m_pszProfileName> and a section key below it, created when missing
    // and opened for reading and writing; the caller closes them. Null when SetRegistryKey has not been
    // called or the key cannot be opened.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    // Fills in what the running program decides: m_pszExeName, then m_pszAppName and m_pszProfileName
    // where they are still null, and the module state's application name. Called by AfxWinInit.
    void SetCurrentHandles();

    // Heap strings (_tcsdup) that the destructor frees with free(); to change one, free the old value first.
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszExeName;     // the executable's base name without extension
    LPCTSTR m_pszProfileName; // the INI file (default: the executable's base name plus ".INI") or the key
    LPCTSTR m_pszRegistryKey; // set by SetRegistryKey; null while the profile is the INI file

    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine; // the command line after the program name
    int m_nCmdShow;

    // The recent-file list (CRecentFileList in afxadv.h). With nMaxMRU above 0, LoadStdProfileSettings makes
    // a list of that many entries on the profile's "Recent File List" section (File1, File2, ...) and reads
    // it; SaveStdProfileSettings writes it back. The File menu shows the list at its ID_FILE_MRU_FILE1 item.
    void LoadStdProfileSettings(UINT nMaxMRU = _AFX_MRU_COUNT);
    void SaveStdProfileSettings();
    // Puts a file first in the list, if there is one.
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    // Opens a file the user chose from the list; null when it could not be opened, and the file then leaves
    // the list. The default opens nothing: a host that offers the list overrides it (the returned pointer is
    // only compared with null).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);

    CRecentFileList* m_pRecentFileList; // null until LoadStdProfileSettings makes it

    // Printing
    // Fills hDevNames and hDevMode of pPrintDlg with the application's printer, the system's default printer
    // until the application chooses another; the handles stay the application's. FALSE when there is no
    // printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg);

    // Icons, at the system's icon size (SM_CXICON). LoadIcon takes an icon resource from the module of the
    // resource chain that has it; LoadStandardIcon one of the system's icons (IDI_APPLICATION,
    // IDI_INFORMATION, ...). Null when there is no such icon. The icons are shared: nobody destroys them.
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

    // Wait cursor: BeginWaitCursor and EndWaitCursor nest; RestoreWaitCursor shows it again after something
    // else set the cursor. Each calls DoWaitCursor with 1, -1 or 0.
    void BeginWaitCursor() { DoWaitCursor(1); }
    void EndWaitCursor() { DoWaitCursor(-1); }
    void RestoreWaitCursor() { DoWaitCursor(0); }
    virtual void DoWaitCursor(int nCode);

protected:
    HGLOBAL m_hDevMode; // the application's printer, as GetPrinterDeviceDefaults found it
    HGLOBAL m_hDevNames;
    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore; // the cursor before the first BeginWaitCursor

    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnOpenRecentFile(UINT nID);

    DECLARE_MESSAGE_MAP()
};

// Shows the wait cursor for the life of the object, through the application's BeginWaitCursor and
// EndWaitCursor; Restore shows it again after a dialog or message box changed the cursor.
class AFX_API CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    void Restore();
};

/////////////////////////////////////////////////////////////////////////////
// Application and module state

// The application object, or null when the program has none.
AFX_API CWinApp* AFXAPI AfxGetApp();
// The application's name; null until AfxWinInit has named the application.
AFX_API LPCTSTR AFXAPI AfxGetAppName();
// The executable's instance handle as AfxWinInit recorded it (the executable's module before that).
AFX_API HINSTANCE AFXAPI AfxGetInstanceHandle();
// The main window of the calling thread's application, or null.
AFX_API CWnd* AFXAPI AfxGetMainWnd();
// The message that the calling thread's message loop is handling.
AFX_API MSG* AFXAPI AfxGetCurrentMessage();

#define afxCurrentWinApp AfxGetModuleState()->m_pCurrentWinApp
#define afxCurrentInstanceHandle AfxGetModuleState()->m_hCurrentInstanceHandle
#define afxCurrentResourceHandle AfxGetModuleState()->m_hCurrentResourceHandle
#define afxCurrentAppName AfxGetModuleState()->m_lpszCurrentAppName

/////////////////////////////////////////////////////////////////////////////
// Resources

// The module searched first for resources (the executable's until changed).
AFX_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module that has the resource: the current resource module, then each non-system extension library
// from the newest, then the system libraries. The current resource module when none has it.
AFX_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// The module whose string table holds string nID (not just its block), searched in the same order; null
// when none has it.
AFX_API HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);
// Copies string nIDS (found through the chain) into lpszBuf, truncated to nMaxBuf characters with the
// terminator; the number of characters copied, 0 (and an empty buffer) when there is no such string.
AFX_API int AFXAPI AfxLoadString(UINT nIDS, LPTSTR lpszBuf, UINT nMaxBuf = 256);

/////////////////////////////////////////////////////////////////////////////
// Message boxes. Both go through the application's DoMessageBox; without an application object the box is
// shown directly, captioned with the application name or the executable's name. An icon is added when
// nType has none: exclamation for MB_OK and MB_OKCANCEL, question for MB_YESNO and MB_YESNOCANCEL.

AFX_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The prompt is string nIDPrompt, loaded through the resource chain (empty when there is none); the help
// context defaults to the prompt's id.
AFX_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

/////////////////////////////////////////////////////////////////////////////
// Program entry.
//
// An executable gets its entry from the static library afxmain: it defines its CWinApp-derived object at
// namespace scope and links afxmain (with -municode, which the CMake target adds), whose wWinMain calls
// AfxWinMain. A host with an entry of its own calls AfxWinInit before it uses the framework.

// Records the instance (as the instance and the resource module), the command line and the show state in
// the module state and the application object, and names the application (SetCurrentHandles).
AFX_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// AfxWinInit, InitApplication, InitInstance, then Run, or ExitInstance when InitInstance fails; AfxWinTerm
// last. Returns the exit code; -1 when the program has no application object or start-up failed before
// InitInstance.
AFX_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The framework's clean-up at the end of the program: deletes the calling thread's temporary window, menu
// and GDI objects.
AFX_API void AFXAPI AfxWinTerm();
