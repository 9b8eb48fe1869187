// The application's profile: an INI file, or a registry key after SetRegistryKey.
#include "afxwin.h"
#include "afximpl.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace
{
// Closes a registry key on every way out.
class RegKey
{
public:
    explicit RegKey(HKEY hKey) : m_hKey(hKey) {}
    ~RegKey()
    {
        if (m_hKey != nullptr)
        {
            RegCloseKey(m_hKey);
        }
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey;
};

bool UsesRegistry(const CWinApp* pApp)
{
    return pApp->m_pszRegistryKey != nullptr;
}

// The INI file, or null (with a trace) when the application has none yet: a null file name would make the
// system use WIN.INI.
LPCTSTR IniFile(const CWinApp* pApp)
{
    if (pApp->m_pszProfileName == nullptr)
    {
        TRACE(L"CWinApp profile: no profile name (AfxWinInit has not run); nothing is read or written.\n");
    }
    return pApp->m_pszProfileName;
}

CString AppKeyPath(const CWinApp* pApp)
{
    CString strPath(L"Software\\");
    strPath += pApp->m_pszRegistryKey;
    strPath += L"\\";
    strPath += pApp->m_pszProfileName;
    return strPath;
}

// Opens an existing section's key without creating anything (reading a profile leaves no trace); null
// when there is none.
HKEY OpenExistingSection(const CWinApp* pApp, LPCTSTR lpszSection, REGSAM samDesired = KEY_READ)
{
    HKEY hKey = nullptr;
    CString strPath = AppKeyPath(pApp) + L"\\" + lpszSection;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, strPath, 0, samDesired, &hKey) != ERROR_SUCCESS)
    {
        return nullptr;
    }
    return hKey;
}

// Reads a registry value of one of the accepted types into data; false when it is missing or of another
// type.
bool QueryValue(HKEY hKey, LPCTSTR lpszEntry, std::initializer_list<DWORD> types, std::vector<BYTE>& data)
{
    for (int nAttempt = 0; nAttempt < 4; ++nAttempt)
    {
        DWORD dwType = REG_NONE;
        DWORD dwSize = 0;
        if (RegQueryValueExW(hKey, lpszEntry, nullptr, &dwType, nullptr, &dwSize) != ERROR_SUCCESS)
        {
            return false;
        }
        bool accepted = false;
        for (DWORD dwAccepted : types)
        {
            accepted = accepted || dwType == dwAccepted;
        }
        if (!accepted)
        {
            return false;
        }
        data.resize(dwSize);
        LONG lResult = RegQueryValueExW(hKey, lpszEntry, nullptr, &dwType, data.data(), &dwSize);
        if (lResult == ERROR_SUCCESS)
        {
            data.resize(dwSize);
            return true;
        }
        if (lResult != ERROR_MORE_DATA)
        {
            return false;
        }
        // Written to in between: ask for the new size.
    }
    return false;
}

// The INI form of binary data: two letters per byte, 'A' plus the low nibble, then 'A' plus the high one.
CString EncodeBinary(const BYTE* pData, UINT nBytes)
{
    CString strText;
    LPTSTR pszText = strText.GetBuffer(static_cast<int>(nBytes * 2));
    for (UINT i = 0; i < nBytes; ++i)
    {
        pszText[i * 2] = static_cast<TCHAR>(L'A' + (pData[i] & 0x0F));
        pszText[i * 2 + 1] = static_cast<TCHAR>(L'A' + ((pData[i] >> 4) & 0x0F));
    }
    strText.ReleaseBufferSetLength(static_cast<int>(nBytes * 2));
    return strText;
}

bool DecodeBinary(const CString& strText, std::vector<BYTE>& data)
{
    int nLength = strText.GetLength();
    if (nLength % 2 != 0)
    {
        return false;
    }
    data.resize(static_cast<size_t>(nLength / 2));
    for (int i = 0; i < nLength; i += 2)
    {
        int nLow = strText[i] - L'A';
        int nHigh = strText[i + 1] - L'A';
        if (nLow < 0 || nLow > 15 || nHigh < 0 || nHigh > 15)
        {
            return false;
        }
        data[static_cast<size_t>(i / 2)] = static_cast<BYTE>((nHigh << 4) | nLow);
    }
    return true;
}
} // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    if (lpszRegistryKey == nullptr || *lpszRegistryKey == 0)
    {
        TRACE(L"CWinApp::SetRegistryKey: no key name; the profile stays where it was.\n");
        return;
    }
    LPTSTR lpszKey = afximpl::DuplicateString(lpszRegistryKey);
    LPTSTR lpszProfile = afximpl::DuplicateString(
        m_pszAppName != nullptr ? CString(m_pszAppName) : afximpl::ModuleBaseName(m_hInstance));
    free(const_cast<LPTSTR>(m_pszRegistryKey));
    free(const_cast<LPTSTR>(m_pszProfileName));
    m_pszRegistryKey = lpszKey;
    m_pszProfileName = lpszProfile;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    if (!strKey.LoadString(nIDRegistryKey))
    {
        TRACE(L"CWinApp::SetRegistryKey: there is no string %u for the key name.\n", nIDRegistryKey);
        return;
    }
    SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!UsesRegistry(this) || m_pszProfileName == nullptr)
    {
        return nullptr;
    }
    HKEY hKey = nullptr;
    LONG lResult = RegCreateKeyExW(HKEY_CURRENT_USER, AppKeyPath(this), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr);
    if (lResult != ERROR_SUCCESS)
    {
        TRACE(L"CWinApp: cannot open the application's registry key (error %ld).\n", lResult);
        return nullptr;
    }
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    if (lpszSection == nullptr)
    {
        return nullptr;
    }
    RegKey hAppKey(GetAppRegistryKey());
    if (hAppKey == nullptr)
    {
        return nullptr;
    }
    HKEY hKey = nullptr;
    LONG lResult = RegCreateKeyExW(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr);
    if (lResult != ERROR_SUCCESS)
    {
        TRACE(L"CWinApp: cannot open the profile section %s (error %ld).\n", lpszSection, lResult);
        return nullptr;
    }
    return hKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (lpszSection == nullptr || lpszEntry == nullptr)
    {
        return static_cast<UINT>(nDefault);
    }
    if (UsesRegistry(this))
    {
        RegKey hKey(OpenExistingSection(this, lpszSection));
        std::vector<BYTE> data;
        if (hKey == nullptr || !QueryValue(hKey, lpszEntry, {REG_DWORD}, data) ||
            data.size() != sizeof(DWORD))
        {
            return static_cast<UINT>(nDefault);
        }
        DWORD dwValue = 0;
        memcpy(&dwValue, data.data(), sizeof dwValue);
        return dwValue;
    }
    LPCTSTR lpszFile = IniFile(this);
    if (lpszFile == nullptr)
    {
        return static_cast<UINT>(nDefault);
    }
    return GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, lpszFile);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString strDefault(lpszDefault);
    if (lpszSection == nullptr || lpszEntry == nullptr)
    {
        return strDefault;
    }
    if (UsesRegistry(this))
    {
        RegKey hKey(OpenExistingSection(this, lpszSection));
        std::vector<BYTE> data;
        if (hKey == nullptr || !QueryValue(hKey, lpszEntry, {REG_SZ, REG_EXPAND_SZ}, data))
        {
            return strDefault;
        }
        // The stored text need not be terminated.
        CString strValue(reinterpret_cast<const wchar_t*>(data.data()), static_cast<int>(data.size() / 2));
        int nEnd = strValue.Find(L'\0');
        if (nEnd >= 0)
        {
            strValue.Truncate(nEnd);
        }
        return strValue;
    }
    LPCTSTR lpszFile = IniFile(this);
    if (lpszFile == nullptr)
    {
        return strDefault;
    }
    CString strValue;
    for (DWORD nSize = 256;; nSize *= 2)
    {
        DWORD nLength = GetPrivateProfileStringW(
            lpszSection, lpszEntry, strDefault, strValue.GetBuffer(static_cast<int>(nSize)), nSize, lpszFile);
        // A value that filled the buffer may have been cut short.
        if (nLength + 1 < nSize || nSize >= (1u << 24))
        {
            strValue.ReleaseBuffer(static_cast<int>(nLength < nSize ? nLength : nSize - 1));
            return strValue;
        }
        strValue.ReleaseBuffer(0);
    }
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (ppData == nullptr || pBytes == nullptr)
    {
        return FALSE;
    }
    *ppData = nullptr;
    *pBytes = 0;
    if (lpszSection == nullptr || lpszEntry == nullptr)
    {
        return FALSE;
    }
    std::vector<BYTE> data;
    if (UsesRegistry(this))
    {
        RegKey hKey(OpenExistingSection(this, lpszSection));
        if (hKey == nullptr || !QueryValue(hKey, lpszEntry, {REG_BINARY}, data))
        {
            return FALSE;
        }
    }
    else
    {
        // An empty INI value reads as missing: the file cannot tell no bytes from no entry.
        CString strText = GetProfileString(lpszSection, lpszEntry, nullptr);
        if (strText.IsEmpty())
        {
            return FALSE;
        }
        if (!DecodeBinary(strText, data))
        {
            TRACE(L"CWinApp::GetProfileBinary: [%s] %s is not binary data.\n", lpszSection, lpszEntry);
            return FALSE;
        }
    }
    *ppData = new BYTE[data.size() > 0 ? data.size() : 1];
    if (!data.empty())
    {
        memcpy(*ppData, data.data(), data.size());
    }
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (lpszSection == nullptr || lpszEntry == nullptr)
    {
        return FALSE;
    }
    if (UsesRegistry(this))
    {
        RegKey hKey(GetSectionKey(lpszSection));
        DWORD dwValue = static_cast<DWORD>(nValue);
        return hKey != nullptr &&
               RegSetValueExW(hKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<BYTE*>(&dwValue),
                              sizeof dwValue) == ERROR_SUCCESS;
    }
    CString strValue;
    strValue.Format(L"%d", nValue);
    LPCTSTR lpszFile = IniFile(this);
    return lpszFile != nullptr && WritePrivateProfileStringW(lpszSection, lpszEntry, strValue, lpszFile);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (lpszSection == nullptr)
    {
        return FALSE;
    }
    if (UsesRegistry(this))
    {
        if (lpszEntry == nullptr)
        {
            RegKey hAppKey(GetAppRegistryKey());
            if (hAppKey == nullptr)
            {
                return FALSE;
            }
            // The section's own subkeys go with it.
            LONG lResult = RegDeleteTreeW(hAppKey, lpszSection);
            return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
        }
        if (lpszValue == nullptr)
        {
            RegKey hKey(OpenExistingSection(this, lpszSection, KEY_READ | KEY_SET_VALUE));
            if (hKey == nullptr)
            {
                return TRUE; // no section, so no entry either
            }
            LONG lResult = RegDeleteValueW(hKey, lpszEntry);
            return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
        }
        RegKey hKey(GetSectionKey(lpszSection));
        DWORD dwSize = static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(WCHAR));
        return hKey != nullptr &&
               RegSetValueExW(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue), dwSize) ==
                   ERROR_SUCCESS;
    }
    LPCTSTR lpszFile = IniFile(this);
    return lpszFile != nullptr && WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, lpszFile);
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (lpszSection == nullptr || lpszEntry == nullptr || (pData == nullptr && nBytes != 0))
    {
        return FALSE;
    }
    if (UsesRegistry(this))
    {
        RegKey hKey(GetSectionKey(lpszSection));
        return hKey != nullptr &&
               RegSetValueExW(hKey, lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
    }
    if (nBytes > static_cast<UINT>(INT_MAX / 2 - 64))
    {
        return FALSE;
    }
    return WriteProfileString(lpszSection, lpszEntry, EncodeBinary(pData, nBytes));
}
