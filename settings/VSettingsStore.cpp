#include "settings/VSettingsStore.h"

#include "core/VArray.h"
#include "core/VRect.h"
#include "files/detail/PathHelpers.h"
#include "frame/ProfileStore.h"
#include "frame/detail/HostServices.h"
#include "net/detail/LibraryLock.h"
#include "net/detail/VSynchLock.h"
#include "settings/VProfileStore.h"

#include <afx.h>

using pardalin::detail::LibraryLock;
using pardalin::detail::VSynchLock;

const wchar_t* const INI_FILE_POSTFIX = L"MenuToolbarV2";
const wchar_t* const INI_FILE_POSTFIX_DEPRECATED = L"MenuToolbar";
const wchar_t* const XML_FILENAME = L"MenuToolbar";

IMPLEMENT_DYNCREATE(VSettingsStore, CSettingsStore)

VProfileKey* VSettingsStore::m_pKey = nullptr;
VUnicodeString VSettingsStore::m_szAppName;
VUnicodeString VSettingsStore::m_szAppConfigPath;
DWORD VSettingsStore::m_dwReleaseMenuBarVersion = 0;
DWORD VSettingsStore::m_dwReleaseToolBarVersion = 0;
DWORD VSettingsStore::m_dwBaseMenuBarVersion = 0;
DWORD VSettingsStore::m_dwBaseToolBarVersion = 0;
DWORD VSettingsStore::m_dwLoadedMenuBarVersion = 0;
DWORD VSettingsStore::m_dwLoadedToolBarVersion = 0;
bool VSettingsStore::m_bIsCurrentToolbarCustomized = false;
int VSettingsStore::m_iToolBarsToLoad = 0;

namespace
{
constexpr const wchar_t* kMenuBarVersion = L"MenuBar-Version";
constexpr const wchar_t* kToolBarVersion = L"ToolBar-Version";
constexpr const wchar_t* kToolBarIsCustom = L"ToolBar-IsCustom";
constexpr UINT kArchiveBufferSize = 4096;
constexpr UINT kMemFileGrowth = 1024;

// Opened for attribute query only, with every sharing mode, and backup semantics so that a folder counts.
bool Exists(const wchar_t* path)
{
    HANDLE handle = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information;
    const bool read = GetFileInformationByHandle(handle, &information) != FALSE;
    CloseHandle(handle);
    return read;
}

bool IniFileExists(const VUnicodeString& baseName)
{
    return Exists(pardalin::detail::PathJoin(VSettingsStore::m_szAppConfigPath, baseName + L".ini"));
}

// The stored DWORD, or 0 when absent.
DWORD ReadOrZero(const VProfileKey& key, const wchar_t* name)
{
    DWORD value = 0;
    if (!key.ReadDword(name, &value))
        value = 0;
    return value;
}
} // namespace

VSettingsStore::VSettingsStore() = default;

VSettingsStore::~VSettingsStore() = default;

void VSettingsStore::SetAppName(const wchar_t* name)
{
    m_szAppName = name;
}

void VSettingsStore::SetAppConfigPath(const wchar_t* path)
{
    m_szAppConfigPath = path;
}

void VSettingsStore::SetMenuBarVersion(DWORD version)
{
    m_dwReleaseMenuBarVersion = version;
}

void VSettingsStore::SetToolBarVersion(DWORD version)
{
    m_dwReleaseToolBarVersion = version;
}

void VSettingsStore::SetMenuBarBaseVersion(DWORD version)
{
    m_dwBaseMenuBarVersion = version;
}

void VSettingsStore::SetToolBarBaseVersion(DWORD version)
{
    m_dwBaseToolBarVersion = version;
}

VUnicodeString VSettingsStore::GetIniFilename()
{
    return m_szAppName + INI_FILE_POSTFIX;
}

VUnicodeString VSettingsStore::GetDeprecatedIniFilename()
{
    return m_szAppName + INI_FILE_POSTFIX_DEPRECATED;
}

VUnicodeString VSettingsStore::GetXmlFilePath()
{
    return pardalin::detail::PathJoin(m_szAppConfigPath, m_szAppName + XML_FILENAME + L".xml");
}

bool VSettingsStore::HasRecentCustomizeConfig()
{
    return IniFileExists(GetIniFilename());
}

bool VSettingsStore::HasDeprecatedCustomizeConfig()
{
    return IniFileExists(GetDeprecatedIniFilename());
}

bool VSettingsStore::HasXmlCustomizeConfig()
{
    return Exists(GetXmlFilePath());
}

bool VSettingsStore::HasIncompatibleCustomizeConfig()
{
    return HasRecentCustomizeConfig() && m_bIsCurrentToolbarCustomized;
}

void VSettingsStore::StoreMenuBarVersion()
{
    ASSERT(m_pKey != nullptr);
    if (m_pKey)
        m_pKey->WriteDword(kMenuBarVersion, m_dwReleaseMenuBarVersion);
}

void VSettingsStore::StoreToolBarVersion()
{
    ASSERT(m_pKey != nullptr);
    if (m_pKey)
        m_pKey->WriteDword(kToolBarVersion, m_dwReleaseToolBarVersion);
}

bool VSettingsStore::IsToolBarCustomized()
{
    ASSERT(m_pKey != nullptr);
    return m_pKey && ReadOrZero(*m_pKey, kToolBarIsCustom) != 0;
}

void VSettingsStore::SetToolBarCustomized(bool customized)
{
    ASSERT(m_pKey != nullptr);
    if (m_pKey)
        m_pKey->WriteDword(kToolBarIsCustom, customized ? 1 : 0);
}

int VSettingsStore::FindToolBarsToLoad()
{
    return m_iToolBarsToLoad;
}

bool VSettingsStore::ReleaseVersionGreaterThanLoadedVersion()
{
    return m_dwReleaseMenuBarVersion > m_dwLoadedMenuBarVersion &&
           m_dwReleaseToolBarVersion > m_dwLoadedToolBarVersion;
}

bool VSettingsStore::LoadedVersionIsBaseVersion()
{
    return m_dwLoadedMenuBarVersion == m_dwBaseMenuBarVersion &&
           m_dwLoadedToolBarVersion == m_dwBaseToolBarVersion;
}

void VSettingsStore::CleanUp()
{
    delete m_pKey;
    m_pKey = nullptr;
}

BOOL VSettingsStore::CreateKey(LPCTSTR lpszPath)
{
    if (!m_strKeyName.IsEmpty())
        return FALSE;
    m_strKeyName = lpszPath ? lpszPath : L"";
    const int separator = m_strKeyName.ReverseFind(L'\\');
    if (separator >= 0)
        m_strKeyName = m_strKeyName.Mid(separator + 1);

    const VProfileStoreFactoryFunction factory = pardalin::detail::ProfileStoreFactory();
    VProfileStore store(factory ? factory() : nullptr);
    VSynchLock lock(LibraryLock());
    if (m_pKey == nullptr)
    {
        m_pKey = new VProfileKey(*store.GetRootKey(), GetIniFilename());
        m_dwLoadedMenuBarVersion = ReadOrZero(*m_pKey, kMenuBarVersion);
        m_dwLoadedToolBarVersion = ReadOrZero(*m_pKey, kToolBarVersion);
        if (m_dwLoadedToolBarVersion != m_dwReleaseToolBarVersion)
        {
            if (ReadOrZero(*m_pKey, kToolBarIsCustom) != 0)
            {
                m_bIsCurrentToolbarCustomized = true;
                m_pKey->WriteDword(kToolBarIsCustom, 0);
            }
        }
        else
        {
            m_iToolBarsToLoad |= 2;
        }
        if (m_dwLoadedMenuBarVersion == m_dwReleaseMenuBarVersion)
            m_iToolBarsToLoad |= 4;
    }
    return TRUE;
}

BOOL VSettingsStore::Open(LPCTSTR lpszPath)
{
    return CreateKey(lpszPath);
}

void VSettingsStore::Close()
{
    TRACE(L"Ignoring VSettingsStore::Close\n");
}

BOOL VSettingsStore::DeleteValue(LPCTSTR)
{
    return FALSE;
}

BOOL VSettingsStore::DeleteKey(LPCTSTR lpszPath, BOOL bAdmin)
{
    TRACE(L"Ignoring VSettingsStore::DeleteKey: %s, %d\n", lpszPath ? lpszPath : L"", bAdmin);
    (void)lpszPath;
    (void)bAdmin;
    return FALSE;
}

VUnicodeString VSettingsStore::ValueName(LPCTSTR name) const
{
    return m_strKeyName + L"-" + (name ? name : L"");
}

BOOL VSettingsStore::Write(LPCTSTR lpszValueName, CObject* pObj)
{
    ASSERT(pObj != nullptr);
    return pObj ? Write(lpszValueName, *pObj) : FALSE;
}

BOOL VSettingsStore::Write(LPCTSTR lpszValueName, CObject& obj)
{
    BYTE* data = nullptr;
    try
    {
        CMemFile file(kMemFileGrowth);
        {
            CArchive archive(&file, CArchive::store, kArchiveBufferSize);
            obj.Serialize(archive);
            archive.Flush();
            archive.Close();
        }
        const DWORD length = static_cast<DWORD>(file.GetLength());
        data = file.Detach();
        {
            VSynchLock lock(LibraryLock());
            if (m_pKey)
                m_pKey->WriteBinary(ValueName(lpszValueName), data, length);
        }
        free(data);
        return TRUE;
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        free(data);
        TRACE(L"Memory exception in CSettingsStore::Write()!\n");
        return FALSE;
    }
}

BOOL VSettingsStore::Write(LPCTSTR lpszValueName, BYTE* pData, UINT nBytes)
{
    VSynchLock lock(LibraryLock());
    if (m_pKey)
        m_pKey->WriteBinary(ValueName(lpszValueName), pData, nBytes);
    return TRUE;
}

BOOL VSettingsStore::Write(LPCTSTR lpszValueName, const CRect& rect)
{
    return Write(lpszValueName, VRect(rect).ToString().GetString());
}

BOOL VSettingsStore::Write(LPCTSTR lpszValueName, LPCTSTR lpszVal)
{
    VSynchLock lock(LibraryLock());
    if (m_pKey)
        m_pKey->WriteString(ValueName(lpszValueName), lpszVal ? lpszVal : L"");
    return TRUE;
}

BOOL VSettingsStore::Write(LPCTSTR lpszValueName, DWORD dwVal)
{
    VSynchLock lock(LibraryLock());
    if (m_pKey)
        m_pKey->WriteDword(ValueName(lpszValueName), dwVal);
    return TRUE;
}

BOOL VSettingsStore::Write(LPCTSTR lpszValueName, int nValue)
{
    return Write(lpszValueName, static_cast<DWORD>(nValue));
}

BOOL VSettingsStore::Read(LPCTSTR lpszValueName, CObject*& pObj)
{
    return pObj ? Read(lpszValueName, *pObj) : FALSE;
}

BOOL VSettingsStore::Read(LPCTSTR lpszValueName, CObject& obj)
{
    BYTE* data = nullptr;
    UINT size = 0;
    if (!Read(lpszValueName, &data, &size))
        return FALSE;
    BOOL loaded = FALSE;
    try
    {
        CMemFile file(data, size);
        CArchive archive(&file, CArchive::load, kArchiveBufferSize);
        obj.Serialize(archive);
        // Bytes the object did not read mean the value was saved by an object of another kind.
        loaded = archive.IsBufferEmpty() && file.GetPosition() == file.GetLength();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    delete[] data;
    return loaded;
}

BOOL VSettingsStore::Read(LPCTSTR lpszValueName, BYTE** ppData, UINT* pcbData)
{
    if (ppData == nullptr || pcbData == nullptr)
        return FALSE;
    VSynchLock lock(LibraryLock());
    if (m_pKey == nullptr)
        return FALSE;
    const VUnicodeString name = ValueName(lpszValueName);
    DWORD size = 0;
    if (!m_pKey->ReadBinary(name, nullptr, &size) || size == 0)
        return FALSE;
    *pcbData = size;
    *ppData = new BYTE[size];
    m_pKey->ReadBinary(name, *ppData, &size);
    return TRUE;
}

bool VSettingsStore::ReadText(LPCTSTR lpszValueName, VUnicodeString& text) const
{
    VSynchLock lock(LibraryLock());
    return m_pKey != nullptr && m_pKey->ReadString(ValueName(lpszValueName), &text);
}

BOOL VSettingsStore::Read(LPCTSTR lpszValueName, CRect& rect)
{
    VUnicodeString text;
    if (!ReadText(lpszValueName, text))
        return FALSE;
    try
    {
        rect = VRect(text).ToCRect();
        return TRUE;
    }
    catch (const VArray<VUnicodeString>::OutOfRange&)
    {
        // Fewer than four parts: not a rectangle's text form.
        return FALSE;
    }
}

BOOL VSettingsStore::Read(LPCTSTR lpszValueName, CString& strValue)
{
    VUnicodeString text;
    if (!ReadText(lpszValueName, text))
        return FALSE;
    strValue = text.GetString();
    return TRUE;
}

BOOL VSettingsStore::Read(LPCTSTR lpszValueName, DWORD& dwValue)
{
    VSynchLock lock(LibraryLock());
    return m_pKey && m_pKey->ReadDword(ValueName(lpszValueName), &dwValue);
}

BOOL VSettingsStore::Read(LPCTSTR lpszValueName, int& iVal)
{
    DWORD value = 0;
    VSynchLock lock(LibraryLock());
    if (m_pKey == nullptr || !m_pKey->ReadDword(ValueName(lpszValueName), &value))
        return FALSE;
    iVal = static_cast<int>(value);
    return TRUE;
}
