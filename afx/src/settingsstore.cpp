// CSettingsStore (named values under a registry key) and CSettingsStoreSP (its factory).
#include "afxsettingsstore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace
{
struct FreeDeleter
{
    void operator()(BYTE* p) const { std::free(p); }
};

// Serialises into a memory blob and writes it through the store's binary Write, so a derived store that
// keeps bytes elsewhere keeps objects there too. Running out of memory gives FALSE.
template <typename Serialize>
BOOL WriteArchived(CSettingsStore& store, LPCTSTR lpszValueName, Serialize serialize)
{
    try
    {
        CMemFile file(1024);
        {
            CArchive ar(&file, CArchive::store, 4096);
            serialize(ar);
            ar.Close();
        }
        const UINT nLength = static_cast<UINT>(file.GetLength());
        const std::unique_ptr<BYTE, FreeDeleter> data(file.Detach());
        return data != nullptr && store.Write(lpszValueName, data.get(), nLength);
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        TRACE(L"Memory exception in CSettingsStore::Write()!\n");
        return FALSE;
    }
}

// Reads a blob through the store's binary Read and loads it; FALSE when the value is missing or any
// framework exception stops the load.
template <typename Load> BOOL ReadArchived(CSettingsStore& store, LPCTSTR lpszValueName, Load load)
{
    BYTE* pData = nullptr;
    UINT nSize = 0;
    if (!store.Read(lpszValueName, &pData, &nSize) || pData == nullptr)
    {
        return FALSE;
    }
    const std::unique_ptr<BYTE[]> data(pData);
    try
    {
        CMemFile file(data.get(), nSize);
        CArchive ar(&file, CArchive::load, 4096);
        load(ar);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        TRACE(L"CSettingsStore::Read(): the value does not load.\n");
        return FALSE;
    }
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CSettingsStore

IMPLEMENT_DYNCREATE(CSettingsStore, CObject)

CSettingsStore::CSettingsStore() : CSettingsStore(FALSE, FALSE) {}

CSettingsStore::CSettingsStore(BOOL bAdmin, BOOL bReadOnly)
    : m_hKey(nullptr), m_bReadOnly(bReadOnly), m_bAdmin(bAdmin), m_dwUserData(0)
{
}

CSettingsStore::~CSettingsStore()
{
    if (m_hKey != nullptr)
    {
        RegCloseKey(m_hKey);
    }
}

BOOL CSettingsStore::CreateKey(LPCTSTR lpszPath)
{
    if (m_bReadOnly || lpszPath == nullptr)
    {
        return FALSE;
    }
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(CurrentKey(), lpszPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &hKey, nullptr) != ERROR_SUCCESS)
    {
        return FALSE;
    }
    Close();
    m_hKey = hKey;
    return TRUE;
}

BOOL CSettingsStore::Open(LPCTSTR lpszPath)
{
    if (lpszPath == nullptr)
    {
        return FALSE;
    }
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(CurrentKey(), lpszPath, 0, m_bReadOnly ? KEY_READ : KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
    {
        return FALSE;
    }
    Close();
    m_hKey = hKey;
    return TRUE;
}

void CSettingsStore::Close()
{
    if (m_hKey != nullptr)
    {
        RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

BOOL CSettingsStore::DeleteValue(LPCTSTR lpszValue)
{
    return !m_bReadOnly && RegDeleteValueW(CurrentKey(), lpszValue) == ERROR_SUCCESS;
}

BOOL CSettingsStore::DeleteKey(LPCTSTR lpszPath, BOOL bAdmin)
{
    // An empty path would name the whole root.
    if (m_bReadOnly || lpszPath == nullptr || *lpszPath == 0)
    {
        return FALSE;
    }
    return RegDeleteTreeW(bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, lpszPath) == ERROR_SUCCESS;
}

BOOL CSettingsStore::Write(LPCTSTR lpszValueName, CObject* pObj)
{
    if (m_bReadOnly || pObj == nullptr)
    {
        return FALSE;
    }
    return WriteArchived(*this, lpszValueName, [pObj](CArchive& ar) { ar << pObj; });
}

BOOL CSettingsStore::Write(LPCTSTR lpszValueName, CObject& obj)
{
    if (m_bReadOnly)
    {
        return FALSE;
    }
    return WriteArchived(*this, lpszValueName, [&obj](CArchive& ar) { obj.Serialize(ar); });
}

BOOL CSettingsStore::Write(LPCTSTR lpszValueName, BYTE* pData, UINT nBytes)
{
    if (m_bReadOnly || (pData == nullptr && nBytes != 0))
    {
        return FALSE;
    }
    return RegSetValueExW(CurrentKey(), lpszValueName, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

BOOL CSettingsStore::Write(LPCTSTR lpszValueName, const CRect& rect)
{
    // The rectangle's archive form: its four coordinates as stored by CArchive.
    RECT value = rect;
    return Write(lpszValueName, reinterpret_cast<BYTE*>(&value), sizeof value);
}

BOOL CSettingsStore::Write(LPCTSTR lpszValueName, LPCTSTR lpszVal)
{
    if (m_bReadOnly || lpszVal == nullptr)
    {
        return FALSE;
    }
    const DWORD nBytes = (static_cast<DWORD>(lstrlenW(lpszVal)) + 1) * sizeof(WCHAR);
    return RegSetValueExW(CurrentKey(), lpszValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszVal),
                          nBytes) == ERROR_SUCCESS;
}

BOOL CSettingsStore::Write(LPCTSTR lpszValueName, DWORD dwVal)
{
    if (m_bReadOnly)
    {
        return FALSE;
    }
    return RegSetValueExW(CurrentKey(), lpszValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwVal),
                          sizeof dwVal) == ERROR_SUCCESS;
}

BOOL CSettingsStore::Write(LPCTSTR lpszValueName, int nValue)
{
    return Write(lpszValueName, static_cast<DWORD>(nValue));
}

BOOL CSettingsStore::Read(LPCTSTR lpszValueName, CObject*& pObj)
{
    CObject* pLoaded = nullptr;
    if (!ReadArchived(*this, lpszValueName, [&pLoaded](CArchive& ar) { ar >> pLoaded; }))
    {
        return FALSE;
    }
    pObj = pLoaded;
    return TRUE;
}

BOOL CSettingsStore::Read(LPCTSTR lpszValueName, CObject& obj)
{
    return ReadArchived(*this, lpszValueName, [&obj](CArchive& ar) { obj.Serialize(ar); });
}

BOOL CSettingsStore::Read(LPCTSTR lpszValueName, BYTE** ppData, UINT* pcbData)
{
    if (ppData == nullptr || pcbData == nullptr)
    {
        return FALSE;
    }
    *ppData = nullptr;
    *pcbData = 0;
    DWORD dwType = 0;
    DWORD nBytes = 0;
    if (RegQueryValueExW(CurrentKey(), lpszValueName, nullptr, &dwType, nullptr, &nBytes) != ERROR_SUCCESS ||
        dwType != REG_BINARY || nBytes == 0)
    {
        return FALSE;
    }
    std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[nBytes]);
    if (data == nullptr)
    {
        AfxThrowMemoryException();
    }
    if (RegQueryValueExW(CurrentKey(), lpszValueName, nullptr, &dwType, data.get(), &nBytes) !=
            ERROR_SUCCESS ||
        dwType != REG_BINARY)
    {
        return FALSE;
    }
    *ppData = data.release();
    *pcbData = nBytes;
    return TRUE;
}

BOOL CSettingsStore::Read(LPCTSTR lpszValueName, CRect& rect)
{
    BYTE* pData = nullptr;
    UINT nSize = 0;
    if (!Read(lpszValueName, &pData, &nSize))
    {
        return FALSE;
    }
    const std::unique_ptr<BYTE[]> data(pData);
    if (nSize < sizeof(RECT))
    {
        return FALSE;
    }
    RECT value;
    std::memcpy(&value, data.get(), sizeof value);
    rect = value;
    return TRUE;
}

BOOL CSettingsStore::Read(LPCTSTR lpszValueName, CString& strValue)
{
    DWORD dwType = 0;
    DWORD nBytes = 0;
    if (RegQueryValueExW(CurrentKey(), lpszValueName, nullptr, &dwType, nullptr, &nBytes) != ERROR_SUCCESS ||
        (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
    {
        return FALSE;
    }
    CString value;
    const int nChars = static_cast<int>(nBytes / sizeof(WCHAR));
    LPWSTR buffer = value.GetBuffer(nChars + 1);
    const LONG result = RegQueryValueExW(CurrentKey(), lpszValueName, nullptr, &dwType,
                                         reinterpret_cast<BYTE*>(buffer), &nBytes);
    // The stored bytes may or may not end with the terminator.
    buffer[std::min<DWORD>(nBytes / sizeof(WCHAR), static_cast<DWORD>(nChars))] = 0;
    value.ReleaseBuffer();
    if (result != ERROR_SUCCESS)
    {
        return FALSE;
    }
    strValue = value;
    return TRUE;
}

BOOL CSettingsStore::Read(LPCTSTR lpszValueName, DWORD& dwValue)
{
    DWORD dwType = 0;
    DWORD value = 0;
    DWORD nBytes = sizeof value;
    if (RegQueryValueExW(CurrentKey(), lpszValueName, nullptr, &dwType, reinterpret_cast<BYTE*>(&value),
                         &nBytes) != ERROR_SUCCESS ||
        dwType != REG_DWORD || nBytes != sizeof value)
    {
        return FALSE;
    }
    dwValue = value;
    return TRUE;
}

BOOL CSettingsStore::Read(LPCTSTR lpszValueName, int& iVal)
{
    DWORD value = 0;
    if (!Read(lpszValueName, value))
    {
        return FALSE;
    }
    iVal = static_cast<int>(value);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CSettingsStoreSP

CRuntimeClass* CSettingsStoreSP::m_pRTIDefault = nullptr;

CSettingsStoreSP::CSettingsStoreSP(DWORD dwUserData) : m_pRegistry(nullptr), m_dwUserData(dwUserData) {}

CSettingsStoreSP::~CSettingsStoreSP()
{
    delete m_pRegistry;
}

BOOL __stdcall CSettingsStoreSP::SetRuntimeClass(CRuntimeClass* pRTI)
{
    if (pRTI != nullptr && !pRTI->IsDerivedFrom(RUNTIME_CLASS(CSettingsStore)))
    {
        TRACE("CSettingsStoreSP: %hs is not a CSettingsStore.\n", pRTI->m_lpszClassName);
        return FALSE;
    }
    m_pRTIDefault = pRTI;
    return TRUE;
}

CSettingsStore& CSettingsStoreSP::Create(BOOL bAdmin, BOOL bReadOnly)
{
    if (m_pRegistry != nullptr)
    {
        return *m_pRegistry;
    }
    CSettingsStore* pStore;
    if (m_pRTIDefault == nullptr)
    {
        pStore = new (std::nothrow) CSettingsStore;
    }
    else
    {
        CObject* pObject = m_pRTIDefault->CreateObject();
        pStore = DYNAMIC_DOWNCAST(CSettingsStore, pObject);
        if (pStore == nullptr)
        {
            delete pObject;
        }
    }
    if (pStore == nullptr)
    {
        AfxThrowMemoryException();
    }
    pStore->m_bAdmin = bAdmin;
    pStore->m_bReadOnly = bReadOnly;
    pStore->m_dwUserData = m_dwUserData;
    m_pRegistry = pStore;
    return *pStore;
}
