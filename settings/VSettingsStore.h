// VSettingsStore: the settings store the framework's toolbars, menu bars and docking state save through.
// Every value goes, under the name "<last component of the key path>-<value name>", into one profile key
// per process, "<application name>MenuToolbarV2" below the root of the host's profile store. The class also
// keeps the bookkeeping that decides whether a toolbar and menu bar saved by an earlier release may be
// loaded.
//
//     VSettingsStore::SetAppName(L"Demo");
//     VSettingsStore::SetAppConfigPath(configFolder);
//     VSettingsStore::SetToolBarVersion(6);
//     VSettingsStore::SetMenuBarVersion(3);
//     CSettingsStoreSP::SetRuntimeClass(RUNTIME_CLASS(VSettingsStore));
//     ... the framework opens keys; then:
//     if (VSettingsStore::FindToolBarsToLoad() & 2) ... the saved toolbar is this release's
//
// Every Read and Write, and the first CreateKey of the process, hold the library's lock. The static version
// operations and CleanUp do not: they must not overlap with settings access on other threads.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

#include <afxsettingsstore.h>
#include <atltypes.h>

class VProfileKey;

PARDALIN_API extern const wchar_t* const INI_FILE_POSTFIX;            // "MenuToolbarV2"
PARDALIN_API extern const wchar_t* const INI_FILE_POSTFIX_DEPRECATED; // "MenuToolbar"
PARDALIN_API extern const wchar_t* const XML_FILENAME;                // "MenuToolbar"

class PARDALIN_API VSettingsStore : public CSettingsStore
{
    DECLARE_DYNCREATE(VSettingsStore)
public:
    // Construction
    VSettingsStore();
    ~VSettingsStore() override;

    // Configuration, set by the host before the framework opens its first key
    static void SetAppName(const wchar_t* name);
    static void SetAppConfigPath(const wchar_t* path);
    static void SetMenuBarVersion(DWORD version);
    static void SetToolBarVersion(DWORD version);
    static void SetMenuBarBaseVersion(DWORD version);
    static void SetToolBarBaseVersion(DWORD version);

    // File names: "<app>MenuToolbarV2" (also the profile key's name), "<app>MenuToolbar", and the
    // configuration folder joined with "<app>MenuToolbar.xml".
    static VUnicodeString GetIniFilename();
    static VUnicodeString GetDeprecatedIniFilename();
    static VUnicodeString GetXmlFilePath();

    // Whether the configuration folder holds the file of each kind of saved customisation.
    static bool HasRecentCustomizeConfig();
    static bool HasDeprecatedCustomizeConfig();
    static bool HasXmlCustomizeConfig();
    // The recent file exists and holds a customised toolbar of another release.
    static bool HasIncompatibleCustomizeConfig();

    // Version bookkeeping (m_pKey must exist: a key has been opened)
    static void StoreMenuBarVersion();
    static void StoreToolBarVersion();
    static bool IsToolBarCustomized();
    static void SetToolBarCustomized(bool customized);
    // Bit 2: the stored toolbar is this release's; bit 4: the stored menu bar is.
    static int FindToolBarsToLoad();
    // Both release versions are greater than the stored ones.
    static bool ReleaseVersionGreaterThanLoadedVersion();
    static bool LoadedVersionIsBaseVersion();

    // Deletes the shared key; the next CreateKey opens it again.
    static void CleanUp();

    // Overridables, in the framework's order
    // Records the path's last component as the prefix of this object's value names; an object opens one key.
    BOOL CreateKey(LPCTSTR lpszPath) override;
    BOOL Open(LPCTSTR lpszPath) override;
    void Close() override;
    // Deleting is refused: the values stay.
    BOOL DeleteValue(LPCTSTR lpszValue) override;
    BOOL DeleteKey(LPCTSTR lpszPath, BOOL bAdmin = FALSE) override;
    BOOL Write(LPCTSTR lpszValueName, CObject* pObj) override;
    // Serialises the object into a binary value; FALSE on a memory failure.
    BOOL Write(LPCTSTR lpszValueName, CObject& obj) override;
    BOOL Write(LPCTSTR lpszValueName, BYTE* pData, UINT nBytes) override;
    // As the rectangle's text form, "bottom, right, top, left".
    BOOL Write(LPCTSTR lpszValueName, const CRect& rect) override;
    BOOL Write(LPCTSTR lpszValueName, LPCTSTR lpszVal) override;
    BOOL Write(LPCTSTR lpszValueName, DWORD dwVal) override;
    BOOL Write(LPCTSTR lpszValueName, int nValue) override;
    BOOL Read(LPCTSTR lpszValueName, CObject*& pObj) override;
    // Lets the object load itself from the binary value; FALSE when the value is absent, does not load, or
    // holds more than the object reads (it was saved by an object of another kind).
    BOOL Read(LPCTSTR lpszValueName, CObject& obj) override;
    // *ppData receives a new[] array the caller deletes; FALSE (outputs untouched) for an absent or empty
    // value.
    BOOL Read(LPCTSTR lpszValueName, BYTE** ppData, UINT* pcbData) override;
    BOOL Read(LPCTSTR lpszValueName, CRect& rect) override;
    BOOL Read(LPCTSTR lpszValueName, CString& strValue) override;
    BOOL Read(LPCTSTR lpszValueName, DWORD& dwValue) override;
    BOOL Read(LPCTSTR lpszValueName, int& iVal) override;

    // The last component of the path given to CreateKey; empty before.
    VUnicodeString m_strKeyName;

    // One set per process
    static VProfileKey* m_pKey;
    static VUnicodeString m_szAppName;
    static VUnicodeString m_szAppConfigPath;
    static DWORD m_dwReleaseMenuBarVersion;
    static DWORD m_dwReleaseToolBarVersion;
    static DWORD m_dwBaseMenuBarVersion;
    static DWORD m_dwBaseToolBarVersion;
    static DWORD m_dwLoadedMenuBarVersion;
    static DWORD m_dwLoadedToolBarVersion;
    static bool m_bIsCurrentToolbarCustomized;
    static int m_iToolBarsToLoad;

private:
    // "<m_strKeyName>-<name>"
    VUnicodeString ValueName(LPCTSTR name) const;
    // The string value under the combined name, read under the library's lock.
    bool ReadText(LPCTSTR lpszValueName, VUnicodeString& text) const;
};
