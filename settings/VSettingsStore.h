/// \file
/// VSettingsStore and the name parts of the files that hold saved menu and toolbar customisations.

/// \class VSettingsStore
/// The settings store the framework's toolbars, menu bars and docking state save through. Every value
/// goes, under the name "<last component of the key path>-<value name>", into one profile key per process,
/// "<application name>MenuToolbarV2" below the root of the host's profile store. The class also keeps the
/// bookkeeping that decides whether a toolbar and menu bar saved by an earlier release may be loaded.
///
/// \code{.cpp}
/// VSettingsStore::SetAppName(L"Demo");
/// VSettingsStore::SetAppConfigPath(configFolder);
/// VSettingsStore::SetToolBarVersion(6);
/// VSettingsStore::SetMenuBarVersion(3);
/// CSettingsStoreSP::SetRuntimeClass(RUNTIME_CLASS(VSettingsStore));
/// // ... the framework opens keys; then:
/// if (VSettingsStore::FindToolBarsToLoad() & 2) ... // the saved toolbar is this release's
/// \endcode
///
/// Every Read and Write, and the first CreateKey of the process, hold the library's lock. The static version
/// operations and CleanUp do not: they must not overlap with settings access on other threads. Until a key
/// is open, reads fail and writes are dropped.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

#include <afxsettingsstore.h>
#include <atltypes.h>

class VProfileKey;

/// "MenuToolbarV2": appended to the application name, the profile key of the settings and the base name of
/// the current customisation file.
PARDALIN_API extern const wchar_t* const INI_FILE_POSTFIX;
/// "MenuToolbar": appended to the application name, the base name of the customisation file of earlier
/// releases.
PARDALIN_API extern const wchar_t* const INI_FILE_POSTFIX_DEPRECATED;
/// "MenuToolbar": appended to the application name (with ".xml"), the name of the XML customisation file
/// that VXtXmlMigrator reads.
PARDALIN_API extern const wchar_t* const XML_FILENAME;

class PARDALIN_API VSettingsStore : public CSettingsStore
{
    DECLARE_DYNCREATE(VSettingsStore)
public:
    // Construction

    /// A store without a key; the framework makes it through the runtime class and then calls CreateKey.
    VSettingsStore();
    ~VSettingsStore() override;

    // Configuration, set by the host before the framework opens its first key

    /// The application name that prefixes the profile key's name and the customisation files' names.
    static void SetAppName(const wchar_t* name);
    /// The folder that holds the customisation files.
    static void SetAppConfigPath(const wchar_t* path);
    /// This release's menu bar version, compared with the stored one at the first CreateKey.
    static void SetMenuBarVersion(DWORD version);
    /// This release's toolbar version, compared with the stored one at the first CreateKey.
    static void SetToolBarVersion(DWORD version);
    /// The menu bar version that LoadedVersionIsBaseVersion compares the stored one with.
    static void SetMenuBarBaseVersion(DWORD version);
    /// The toolbar version that LoadedVersionIsBaseVersion compares the stored one with.
    static void SetToolBarBaseVersion(DWORD version);

    // File names

    /// "<app>MenuToolbarV2", the current customisation file's base name and also the profile key's name.
    static VUnicodeString GetIniFilename();
    /// "<app>MenuToolbar", the base name of the customisation file of earlier releases.
    static VUnicodeString GetDeprecatedIniFilename();
    /// The configuration folder joined with "<app>MenuToolbar.xml".
    static VUnicodeString GetXmlFilePath();

    // Saved customisations

    /// Whether the configuration folder holds GetIniFilename() with ".ini" (a folder of that name counts).
    static bool HasRecentCustomizeConfig();
    /// Whether the configuration folder holds GetDeprecatedIniFilename() with ".ini".
    static bool HasDeprecatedCustomizeConfig();
    /// Whether the file GetXmlFilePath() names exists.
    static bool HasXmlCustomizeConfig();
    /// The recent file exists and holds a customised toolbar of another release, as the first CreateKey
    /// found.
    static bool HasIncompatibleCustomizeConfig();

    // Version bookkeeping (m_pKey must exist: a key has been opened; without it writes do nothing and
    // reads give false)

    /// Stores this release's menu bar version as "MenuBar-Version" in the shared key.
    static void StoreMenuBarVersion();
    /// Stores this release's toolbar version as "ToolBar-Version" in the shared key.
    static void StoreToolBarVersion();
    /// Whether the shared key marks the stored toolbar as customised ("ToolBar-IsCustom" non-zero).
    static bool IsToolBarCustomized();
    /// Marks the stored toolbar as customised or not ("ToolBar-IsCustom", 1 or 0).
    static void SetToolBarCustomized(bool customized);
    /// The bits the first CreateKey set: 2, the stored toolbar is this release's; 4, the stored menu bar is.
    static int FindToolBarsToLoad();
    /// Both release versions are greater than the stored ones.
    static bool ReleaseVersionGreaterThanLoadedVersion();
    /// Both stored versions equal the base versions.
    static bool LoadedVersionIsBaseVersion();

    /// Deletes the shared key; the next CreateKey opens it again (and reads the stored versions anew).
    static void CleanUp();

    // Overridables, in the framework's order

    /// Records the path's last component as the prefix of this object's value names; an object opens one
    /// key, so a second call returns FALSE. The first call of the process opens the shared key through the
    /// factory registered with PardalinInit and reads the stored versions: a toolbar of another release
    /// that was marked customised is remembered (HasIncompatibleCustomizeConfig) and the mark cleared.
    BOOL CreateKey(LPCTSTR lpszPath) override;
    /// The same as CreateKey: there is no read-only key.
    BOOL Open(LPCTSTR lpszPath) override;
    /// Does nothing: the shared key stays open for the process (see CleanUp).
    void Close() override;
    /// Refuses (FALSE): the values stay.
    BOOL DeleteValue(LPCTSTR lpszValue) override;
    /// Refuses (FALSE): the key and its values stay.
    BOOL DeleteKey(LPCTSTR lpszPath, BOOL bAdmin = FALSE) override;
    /// Writes `*pObj` as the overload for a CObject reference does; FALSE for a null pointer.
    BOOL Write(LPCTSTR lpszValueName, CObject* pObj) override;
    /// Serialises the object into a binary value; FALSE on a memory failure.
    BOOL Write(LPCTSTR lpszValueName, CObject& obj) override;
    /// Writes `nBytes` bytes as a binary value. TRUE, as every Write but the failures named, even when no
    /// key is open and the value is dropped.
    BOOL Write(LPCTSTR lpszValueName, BYTE* pData, UINT nBytes) override;
    /// Writes the rectangle as its text form, "bottom, right, top, left".
    BOOL Write(LPCTSTR lpszValueName, const CRect& rect) override;
    /// Writes a string value; a null text is written as an empty string.
    BOOL Write(LPCTSTR lpszValueName, LPCTSTR lpszVal) override;
    /// Writes a DWORD value.
    BOOL Write(LPCTSTR lpszValueName, DWORD dwVal) override;
    /// Writes the int's bit pattern as a DWORD value.
    BOOL Write(LPCTSTR lpszValueName, int nValue) override;
    /// Loads the existing `*pObj` as the overload for a CObject reference does; FALSE for a null pointer
    /// (nothing is created).
    BOOL Read(LPCTSTR lpszValueName, CObject*& pObj) override;
    /// Lets the object load itself from the binary value; FALSE when the value is absent, does not load, or
    /// holds more than the object reads (it was saved by an object of another kind).
    BOOL Read(LPCTSTR lpszValueName, CObject& obj) override;
    /// *ppData receives a new[] array of *pcbData bytes that the caller deletes; FALSE (outputs untouched)
    /// for an absent or empty value or a null output pointer.
    BOOL Read(LPCTSTR lpszValueName, BYTE** ppData, UINT* pcbData) override;
    /// Reads the rectangle's text form; FALSE when the value is absent or has fewer than four parts.
    BOOL Read(LPCTSTR lpszValueName, CRect& rect) override;
    /// Reads a string value; FALSE (and the string unchanged) when it is absent.
    BOOL Read(LPCTSTR lpszValueName, CString& strValue) override;
    /// Reads a DWORD value; FALSE when it is absent.
    BOOL Read(LPCTSTR lpszValueName, DWORD& dwValue) override;
    /// Reads a DWORD value as an int's bit pattern; FALSE (and the int unchanged) when it is absent.
    BOOL Read(LPCTSTR lpszValueName, int& iVal) override;

    /// The last component of the path given to CreateKey, the prefix of this object's value names; empty
    /// before.
    VUnicodeString m_strKeyName;

    // One set per process

    static VProfileKey* m_pKey;              ///< The shared key; null until the first CreateKey.
    static VUnicodeString m_szAppName;       ///< Set by SetAppName.
    static VUnicodeString m_szAppConfigPath; ///< Set by SetAppConfigPath.
    static DWORD m_dwReleaseMenuBarVersion;  ///< Set by SetMenuBarVersion.
    static DWORD m_dwReleaseToolBarVersion;  ///< Set by SetToolBarVersion.
    static DWORD m_dwBaseMenuBarVersion;     ///< Set by SetMenuBarBaseVersion.
    static DWORD m_dwBaseToolBarVersion;     ///< Set by SetToolBarBaseVersion.
    static DWORD m_dwLoadedMenuBarVersion;   ///< The stored menu bar version (0 when none) at the first key.
    static DWORD m_dwLoadedToolBarVersion;   ///< The stored toolbar version (0 when none) at the first key.
    static bool m_bIsCurrentToolbarCustomized; ///< See HasIncompatibleCustomizeConfig.
    static int m_iToolBarsToLoad;              ///< See FindToolBarsToLoad.

private:
    // "<m_strKeyName>-<name>"
    VUnicodeString ValueName(LPCTSTR name) const;
    // The string value under the combined name, read under the library's lock.
    bool ReadText(LPCTSTR lpszValueName, VUnicodeString& text) const;
};
