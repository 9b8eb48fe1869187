// Settings stores: CSettingsStore (named values under a registry key) and CSettingsStoreSP (the factory
// through which the framework creates the store class the application registered).
//
//     CSettingsStoreSP::SetRuntimeClass(RUNTIME_CLASS(CMySettingsStore)); // once, at start-up
//     ...
//     CSettingsStoreSP factory;
//     CSettingsStore& store = factory.Create(FALSE, FALSE);  // deleted with the factory
//     if (store.CreateKey(L"Software\\Company\\App\\Window"))
//         store.Write(L"Placement", rcWindow);
#pragma once

#include "afx.h"
#include "atltypes.h"

/////////////////////////////////////////////////////////////////////////////
// CSettingsStore: values in the registry under HKEY_CURRENT_USER, or HKEY_LOCAL_MACHINE for an
// administrator store. DWORDs and ints are REG_DWORD, strings REG_SZ, bytes REG_BINARY; rectangles and
// objects are REG_BINARY blobs of their CArchive form. A read-only store opens keys for reading and
// refuses CreateKey, writes and deletions. The virtual functions are the points where a derived class
// keeps its values somewhere else; their order is part of the class's layout.

class AFX_API CSettingsStore : public CObject
{
    friend class CSettingsStoreSP;
    DECLARE_DYNCREATE(CSettingsStore)
public:
    // Construction
    CSettingsStore(BOOL bAdmin, BOOL bReadOnly);
    // Closes the open key.
    virtual ~CSettingsStore();

    // Operations on keys. A path is relative to the open key (the root until one is opened) and the key
    // it names becomes the open key; CreateKey creates missing keys, Open fails on them.
    virtual BOOL CreateKey(LPCTSTR lpszPath);
    virtual BOOL Open(LPCTSTR lpszPath);
    // Closes the open key: later paths are relative to the root again.
    virtual void Close();
    virtual BOOL DeleteValue(LPCTSTR lpszValue);
    // Deletes a key with everything below it, relative to HKEY_CURRENT_USER, or to HKEY_LOCAL_MACHINE
    // when bAdmin is TRUE, whatever key is open.
    virtual BOOL DeleteKey(LPCTSTR lpszPath, BOOL bAdmin = FALSE);

    // Values of the open key. Write(CObject*) stores the object with its class, so Read(CObject*&)
    // creates it again; Write(CObject&) stores only what Serialize writes, for Read(CObject&) into an
    // existing object. Every Write returns FALSE on a read-only store or an out-of-memory failure.
    virtual BOOL Write(LPCTSTR lpszValueName, CObject* pObj);
    virtual BOOL Write(LPCTSTR lpszValueName, CObject& obj);
    virtual BOOL Write(LPCTSTR lpszValueName, BYTE* pData, UINT nBytes);
    virtual BOOL Write(LPCTSTR lpszValueName, const CRect& rect);
    virtual BOOL Write(LPCTSTR lpszValueName, LPCTSTR lpszVal);
    virtual BOOL Write(LPCTSTR lpszValueName, DWORD dwVal);
    virtual BOOL Write(LPCTSTR lpszValueName, int nValue);
    // Every Read returns FALSE when the value is missing, of another type or (for objects) does not
    // load, and then leaves its output alone, except Read(BYTE**), which gives null and 0, and
    // Read(CObject&), whose Serialize may have read part of the value. Read(BYTE**) gives an array the
    // caller frees with delete[]; Read(CObject*&) a new object the caller deletes.
    virtual BOOL Read(LPCTSTR lpszValueName, CObject*& pObj);
    virtual BOOL Read(LPCTSTR lpszValueName, CObject& obj);
    virtual BOOL Read(LPCTSTR lpszValueName, BYTE** ppData, UINT* pcbData);
    virtual BOOL Read(LPCTSTR lpszValueName, CRect& rect);
    virtual BOOL Read(LPCTSTR lpszValueName, CString& strValue);
    virtual BOOL Read(LPCTSTR lpszValueName, DWORD& dwValue);
    virtual BOOL Read(LPCTSTR lpszValueName, int& iVal);

protected:
    // A read-write store under HKEY_CURRENT_USER, the form CSettingsStoreSP creates and then sets up.
    CSettingsStore();

    HKEY RootKey() const { return m_bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
    // The open key, or the root when none is open.
    HKEY CurrentKey() const { return m_hKey != nullptr ? m_hKey : RootKey(); }

    HKEY m_hKey; // the open key; null when none is
    BOOL m_bReadOnly;
    BOOL m_bAdmin;
    DWORD m_dwUserData; // the value the creating CSettingsStoreSP was given
};

/////////////////////////////////////////////////////////////////////////////
// CSettingsStoreSP: creates one store object of the class registered with SetRuntimeClass (a plain
// CSettingsStore when none is) and deletes it with itself.

class AFX_API CSettingsStoreSP
{
public:
    // Construction. dwUserData is handed to the store it creates.
    explicit CSettingsStoreSP(DWORD dwUserData = 0);
    ~CSettingsStoreSP();
    CSettingsStoreSP(const CSettingsStoreSP&) = delete;
    CSettingsStoreSP& operator=(const CSettingsStoreSP&) = delete;

    // The class every factory creates from now on: null for CSettingsStore itself. FALSE, changing
    // nothing, for a class that does not derive from CSettingsStore.
    static BOOL __stdcall SetRuntimeClass(CRuntimeClass* pRTI);

    // The store, created on the first call (later calls return the same one). Throws CMemoryException
    // when the registered class cannot create an object.
    CSettingsStore& Create(BOOL bAdmin, BOOL bReadOnly);

protected:
    CSettingsStore* m_pRegistry;
    DWORD m_dwUserData;

    static CRuntimeClass* m_pRTIDefault;
};
