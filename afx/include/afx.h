// Core of the MFC stand-in: CObject with run-time class information, the exception classes and the
// diagnostic macros.
#pragma once

// Lets the headers that make up this one check that they are not included on their own.
#define AFX_UMBRELLA_AFX_H

#include "afxver_.h"
#include "afxstr.h"
#include "afxstat_.h"

class CArchive;
class CDumpContext;
class CObject;
struct AFX_CLASSINIT;

/////////////////////////////////////////////////////////////////////////////
// Run-time class information

struct AFX_API CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                        // 0xFFFF for classes that cannot be serialised
    CObject*(PASCAL* m_pfnCreateObject)(); // null for classes that cannot be created by name
    // The base class is reached through a function, because a base class in another DLL has no address
    // until that DLL is loaded; m_pBaseClass holds the same answer once the class has been registered.
    CRuntimeClass*(PASCAL* m_pfnGetBaseClass)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass; // link in AFX_MODULE_STATE::m_classList

    // A new object of the class, or null when the class is abstract or its constructor failed with a
    // framework exception.
    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Lookup among the registered classes by exact (case-sensitive) name; null when there is none.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCWSTR lpszClassName);

    // The class in an archive: its schema (a WORD) and its name (a WORD length and narrow characters).
    // Load gives the registered class of that name, null when there is none or the name is malformed.
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class to the module state's class list; used by the IMPLEMENT_ macros at static initialisation.
AFX_API void AFXAPI AfxClassInit(CRuntimeClass* pNewClass);

struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass) { AfxClassInit(pNewClass); }
};

/////////////////////////////////////////////////////////////////////////////
// CObject: the root of the class hierarchy

class AFX_API AFX_NOVTABLE CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = 0;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    // Writes or reads the object's state; CObject has none.
    virtual void Serialize(CArchive& ar);
    // Checks the object's invariants in diagnostic builds (ASSERT_VALID).
    virtual void AssertValid() const;
    // Writes the object's state to a dump context in diagnostic builds; CObject writes nothing. The slot is
    // part of every derived class's virtual table, so classes derived in other modules line up with MFC's.
    virtual void Dump(CDumpContext& dc) const;

    static CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();

protected:
    CObject();
};

#define _RUNTIME_CLASS(class_name) (&class_name::class##class_name)
#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                                                                          \
protected:                                                                                                   \
    static CRuntimeClass* PASCAL _GetBaseClass();                                                            \
                                                                                                             \
public:                                                                                                      \
    static CRuntimeClass class##class_name;                                                                  \
    static CRuntimeClass* PASCAL GetThisClass();                                                             \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name)                                                                        \
    DECLARE_DYNAMIC(class_name)                                                                              \
    static CObject* PASCAL CreateObject();

// clang-format off
#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                 \
    CRuntimeClass* PASCAL class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); }             \
    CRuntimeClass class_name::class##class_name = {                                                          \
        #class_name, sizeof(class class_name), wSchema, pfnNew, &class_name::_GetBaseClass, nullptr, nullptr};\
    CRuntimeClass* PASCAL class_name::GetThisClass() { return _RUNTIME_CLASS(class_name); }                  \
    CRuntimeClass* class_name::GetRuntimeClass() const { return _RUNTIME_CLASS(class_name); }                \
    static const AFX_CLASSINIT _init_##class_name(_RUNTIME_CLASS(class_name));
// clang-format on

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                       \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                     \
    CObject* PASCAL class_name::CreateObject()                                                               \
    {                                                                                                        \
        return new class_name;                                                                               \
    }                                                                                                        \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// Serialisable classes: creatable by name and stored with a schema number. A class whose schema has
// VERSIONABLE_SCHEMA loads archives of any schema; its Serialize asks CArchive::GetObjectSchema which one.
#define VERSIONABLE_SCHEMA (0x80000000)

// The friend loads a pointer of the class itself (`ar >> pShape`), checking the class of what it loads.
#define DECLARE_SERIAL(class_name)                                                                           \
    DECLARE_DYNCREATE(class_name)                                                                            \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                               \
    CObject* PASCAL class_name::CreateObject()                                                               \
    {                                                                                                        \
        return new class_name;                                                                               \
    }                                                                                                        \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)                   \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb)                                              \
    {                                                                                                        \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                            \
        return ar;                                                                                           \
    }

// The object itself when it is of the class (or derived from it), otherwise null; null stays null.
AFX_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object)                                                                 \
    (static_cast<class_name*>(::AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))

/////////////////////////////////////////////////////////////////////////////
// Diagnostics

// Reports a failed assertion on the debug output; TRUE when a debugger is attached and should break.
AFX_API BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
AFX_API void AFXAPI AfxAssertValidObject(const CObject* pObject, LPCSTR lpszFileName, int nLine);
AFX_API CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject);

// Formats like CString::Format (narrow or wide format text) and writes the result to the debug output.
template <typename Char, typename... Args> inline void AfxTrace(const Char* lpszFormat, const Args&... args);

#if AFX_DIAGNOSTICS
#define ASSERT(f) ((void)((f) || !::AfxAssertFailedLine(__FILE__, __LINE__) || (::DebugBreak(), 0)))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(pOb) (::AfxAssertValidObject(pOb, __FILE__, __LINE__))
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define DEBUG_ONLY(f) (f)
#define TRACE(...) ::AfxTrace(__VA_ARGS__)
#define STATIC_DOWNCAST(class_name, object)                                                                  \
    (static_cast<class_name*>(::AfxStaticDownCast(RUNTIME_CLASS(class_name), object)))
#else
// The condition is not evaluated, but what it names counts as used, so that a variable that only an
// assertion reads draws no warning.
#define ASSERT(f) ((void)sizeof(!(f)))
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)0)
#define ASSERT_KINDOF(class_name, object) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
#define TRACE(...) ((void)0)
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
#endif
#define TRACE0(sz) TRACE(_T("%s"), _T(sz))
#define TRACE1(sz, p1) TRACE(_T(sz), p1)
#define TRACE2(sz, p1, p2) TRACE(_T(sz), p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(_T(sz), p1, p2, p3)

// Generated code traces with a category and a level before the format: TRACE(traceAppMsg, 0, "..."). Every
// category and level is written.
struct CTraceCategory
{
    LPCSTR m_pszName;
};
inline constexpr CTraceCategory traceAppMsg{"traceAppMsg"};
template <typename Char, typename... Args>
inline void AfxTrace(const CTraceCategory& category, UINT nLevel, const Char* lpszFormat,
                     const Args&... args);

// Allocations are not tracked by file and line: `#define new DEBUG_NEW` in generated code keeps plain new.
#define DEBUG_NEW new

/////////////////////////////////////////////////////////////////////////////
// Exceptions. Thrown as pointers and disposed of by the catcher with Delete():
//     catch (CException* e) { ...; e->Delete(); }

class AFX_API AFX_NOVTABLE CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException() = 0;

    // Frees a heap exception; exceptions made with bAutoDelete FALSE (the framework's preallocated ones)
    // survive it.
    void Delete();

    // Copies the description into lpszError (truncated to nMaxError characters with the terminator);
    // FALSE when there is no description or no room.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;

    BOOL m_bAutoDelete;
};

// An exception with a fixed description.
class AFX_API AFX_NOVTABLE CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    // Without a description GetErrorMessage gives FALSE and an empty text.
    CSimpleException();
    explicit CSimpleException(BOOL bAutoDelete);

protected:
    CSimpleException(BOOL bAutoDelete, LPCTSTR lpszMessage);
    ~CSimpleException() override;

private:
    LPCTSTR m_lpszMessage;
};

class AFX_API CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
    ~CMemoryException() override;
};

class AFX_API CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException();
    explicit CNotSupportedException(BOOL bAutoDelete);
    ~CNotSupportedException() override;
};

class AFX_API CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException();
    explicit CInvalidArgException(BOOL bAutoDelete);
    ~CInvalidArgException() override;
};

// A system resource (such as a synchronisation object) could not be created.
class AFX_API CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException();
    explicit CResourceException(BOOL bAutoDelete);
    ~CResourceException() override;
};

// Stops an operation the user has already been told about.
class AFX_API CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException();
    explicit CUserException(BOOL bAutoDelete);
    ~CUserException() override;
};

class AFX_API CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr);
    ~CFileException() override;

    // The cause that describes a Win32 error code; genericException for codes without a closer one.
    static int PASCAL OsErrorToException(LONG lOsError);
    // Throws the CFileException for a Win32 error code; an error code of 0 is no error and throws nothing.
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);

    // The description of the cause with the file name inserted.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class AFX_API CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);
    ~CArchiveException() override;

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

// The memory, not-supported, invalid-argument and resource exceptions are preallocated (allocation may be
// what failed); the others are made on the heap.
AFX_NORETURN AFX_API void AFXAPI AfxThrowMemoryException();
AFX_NORETURN AFX_API void AFXAPI AfxThrowNotSupportedException();
AFX_NORETURN AFX_API void AFXAPI AfxThrowInvalidArgException();
AFX_NORETURN AFX_API void AFXAPI AfxThrowResourceException();
AFX_NORETURN AFX_API void AFXAPI AfxThrowUserException();
AFX_NORETURN AFX_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                                       LPCTSTR lpszFileName = nullptr);
AFX_NORETURN AFX_API void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);

// MFC's exception macros on top of C++ exceptions. As with MFC, an exception caught by CATCH or CATCH_ALL
// is deleted at END_CATCH unless the handler passes it on with THROW_LAST.
struct AFX_EXCEPTION_LINK
{
    AFX_EXCEPTION_LINK() = default;
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;
    ~AFX_EXCEPTION_LINK()
    {
        if (m_pException != nullptr)
        {
            m_pException->Delete();
        }
    }
    CException* m_pException = nullptr;
};

#define TRY                                                                                                  \
    {                                                                                                        \
        AFX_EXCEPTION_LINK _afxExceptionLink;                                                                \
        try                                                                                                  \
        {
#define CATCH(class_name, e)                                                                                 \
    }                                                                                                        \
    catch (class_name * e)                                                                                   \
    {                                                                                                        \
        _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH                                                                                            \
    }                                                                                                        \
    }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
// Ends a TRY block that has no handler of its own: framework exceptions stop here and are deleted.
#define END_TRY                                                                                              \
    }                                                                                                        \
    catch (CException * e)                                                                                   \
    {                                                                                                        \
        e->Delete();                                                                                         \
    }                                                                                                        \
    }
#define THROW(e) throw e
#define THROW_LAST() (_afxExceptionLink.m_pException = nullptr, throw)

/////////////////////////////////////////////////////////////////////////////

template <typename Char, typename... Args> inline void AfxTrace(const Char* lpszFormat, const Args&... args)
{
    try
    {
        CStringT<Char> text;
        text.Format(lpszFormat, args...);
        if constexpr (sizeof(Char) == sizeof(wchar_t))
        {
            ::OutputDebugStringW(text);
        }
        else
        {
            ::OutputDebugStringA(text);
        }
    }
    catch (CException* e)
    {
        // A trace line that cannot be formatted must not change what the program does.
        e->Delete();
    }
}

template <typename Char, typename... Args>
inline void AfxTrace(const CTraceCategory&, UINT, const Char* lpszFormat, const Args&... args)
{
    AfxTrace(lpszFormat, args...);
}

#include "afxfile_.h"
#include "afxarc_.h"
