// The framework's exception classes and the AfxThrow functions.
#include "afx.h"

#include <algorithm>
#include <climits>
#include <new>

// The descriptions are built in until the stand-in carries its own string table; they are looked up
// nowhere else.
namespace
{
BOOL CopyMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != nullptr)
    {
        *pnHelpContext = 0;
    }
    if (lpszError == nullptr || nMaxError == 0)
    {
        return FALSE;
    }
    if (lpszText == nullptr)
    {
        *lpszError = 0;
        return FALSE;
    }
    lstrcpynW(lpszError, lpszText, static_cast<int>(std::min<UINT>(nMaxError, INT_MAX)));
    return TRUE;
}

// Inserts the file name for %1, or a phrase standing for it when there is none.
BOOL CopyFileMessage(LPCTSTR lpszTemplate, const CString& strFileName, LPTSTR lpszError, UINT nMaxError,
                     PUINT pnHelpContext)
{
    CString text(lpszTemplate);
    text.Replace(L"%1", strFileName.IsEmpty() ? L"an unnamed file" : strFileName.GetString());
    return CopyMessage(text, lpszError, nMaxError, pnHelpContext);
}

template <typename Exception, typename... Args> [[noreturn]] void ThrowNew(Args... args)
{
    Exception* e = new (std::nothrow) Exception(args...);
    if (e == nullptr)
    {
        AfxThrowMemoryException();
    }
    throw e;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CException

IMPLEMENT_DYNAMIC(CException, CObject)

CException::CException() : m_bAutoDelete(TRUE) {}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete > 0)
    {
        delete this;
    }
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
    {
        *pnHelpContext = 0;
    }
    if (lpszError != nullptr && nMaxError != 0)
    {
        *lpszError = 0;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Exceptions with a fixed description

IMPLEMENT_DYNAMIC(CSimpleException, CException)

CSimpleException::CSimpleException() : CSimpleException(TRUE, nullptr) {}

CSimpleException::CSimpleException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, nullptr) {}

CSimpleException::CSimpleException(BOOL bAutoDelete, LPCTSTR lpszMessage)
    : CException(bAutoDelete), m_lpszMessage(lpszMessage)
{
}

CSimpleException::~CSimpleException() = default;

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(m_lpszMessage, lpszError, nMaxError, pnHelpContext);
}

IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
CMemoryException::CMemoryException() : CMemoryException(TRUE) {}
CMemoryException::CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, L"Out of memory.") {}
CMemoryException::~CMemoryException() = default;

IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
CNotSupportedException::CNotSupportedException() : CNotSupportedException(TRUE) {}
CNotSupportedException::CNotSupportedException(BOOL bAutoDelete)
    : CSimpleException(bAutoDelete, L"An unsupported operation was attempted.")
{
}
CNotSupportedException::~CNotSupportedException() = default;

IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
CInvalidArgException::CInvalidArgException() : CInvalidArgException(TRUE) {}
CInvalidArgException::CInvalidArgException(BOOL bAutoDelete)
    : CSimpleException(bAutoDelete, L"Encountered an improper argument.")
{
}
CInvalidArgException::~CInvalidArgException() = default;

IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
CResourceException::CResourceException() : CResourceException(TRUE) {}
CResourceException::CResourceException(BOOL bAutoDelete)
    : CSimpleException(bAutoDelete, L"A required resource was unavailable.")
{
}
CResourceException::~CResourceException() = default;

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
CUserException::CUserException() : CUserException(TRUE) {}
CUserException::CUserException(BOOL bAutoDelete)
    : CSimpleException(bAutoDelete, L"An unknown error has occurred.")
{
}
CUserException::~CUserException() = default;

/////////////////////////////////////////////////////////////////////////////
// CFileException

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

CFileException::~CFileException() = default;

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_NO_MORE_FILES:
    case ERROR_DISK_CHANGE:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_WRONG_DISK:
    case ERROR_DUP_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NET_NAME:
    case ERROR_SHARING_PAUSED:
    case ERROR_ALREADY_ASSIGNED:
    case ERROR_BUFFER_OVERFLOW:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_LEVEL:
    case ERROR_NO_VOLUME_LABEL:
    case ERROR_DIR_NOT_ROOT:
    case ERROR_LABEL_TOO_LONG:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_META_EXPANSION_TOO_LONG:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_SHARING_BUFFER_EXCEEDED:
    case ERROR_TOO_MANY_NAMES:
    case ERROR_NO_MORE_SEARCH_HANDLES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_ACCESS:
    case ERROR_WRITE_PROTECT:
    case ERROR_WRITE_FAULT:
    case ERROR_NETWORK_BUSY:
    case ERROR_BAD_NET_RESP:
    case ERROR_NETNAME_DELETED:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_REQ_NOT_ACCEP:
    case ERROR_FILE_EXISTS:
    case ERROR_CANNOT_MAKE:
    case ERROR_INVALID_PASSWORD:
    case ERROR_BUSY:
    case ERROR_ALREADY_EXISTS:
    case ERROR_SWAPERROR:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_BAD_FORMAT:
    case ERROR_NOT_DOS_DISK:
    case ERROR_BAD_REM_ADAP:
    case ERROR_BAD_DEV_TYPE:
    case ERROR_INVALID_TARGET_HANDLE:
    case ERROR_INVALID_ORDINAL:
    case ERROR_INVALID_EXE_SIGNATURE:
    case ERROR_BAD_EXE_FORMAT:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_DIR_NOT_EMPTY:
        return removeCurrentDir;
    case ERROR_NO_SPOOL_SPACE:
        return directoryFull;
    case ERROR_BAD_LENGTH:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_CRC:
    case ERROR_ADAP_HDW_ERR:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NET_WRITE_FAULT:
    case ERROR_INVALID_CATEGORY:
    case ERROR_OPERATION_ABORTED:
    case ERROR_IO_INCOMPLETE:
    case ERROR_IO_PENDING:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
    {
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
    }
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    LPCTSTR lpszTemplate;
    switch (m_cause)
    {
    case none:
        lpszTemplate = L"No error occurred.";
        break;
    case fileNotFound:
        lpszTemplate = L"%1 was not found.";
        break;
    case badPath:
        lpszTemplate = L"%1 contains an incorrect path.";
        break;
    case tooManyOpenFiles:
        lpszTemplate = L"%1 could not be opened because there are too many open files.";
        break;
    case accessDenied:
        lpszTemplate = L"Access to %1 was denied.";
        break;
    case invalidFile:
        lpszTemplate = L"An incorrect file handle was associated with %1.";
        break;
    case removeCurrentDir:
        lpszTemplate = L"%1 could not be removed because it is the current directory.";
        break;
    case directoryFull:
        lpszTemplate = L"%1 could not be created because the directory is full.";
        break;
    case badSeek:
        lpszTemplate = L"Seek failed on %1.";
        break;
    case hardIO:
        lpszTemplate = L"A hardware I/O error was reported while accessing %1.";
        break;
    case sharingViolation:
        lpszTemplate = L"A sharing violation occurred while accessing %1.";
        break;
    case lockViolation:
        lpszTemplate = L"A locking violation occurred while accessing %1.";
        break;
    case diskFull:
        lpszTemplate = L"Disk full while accessing %1.";
        break;
    case endOfFile:
        lpszTemplate = L"An attempt was made to access %1 past its end.";
        break;
    default:
        lpszTemplate = L"An unexpected error occurred while accessing %1.";
        break;
    }
    return CopyFileMessage(lpszTemplate, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

/////////////////////////////////////////////////////////////////////////////
// CArchiveException

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

CArchiveException::~CArchiveException() = default;

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    LPCTSTR lpszTemplate;
    switch (m_cause)
    {
    case none:
        lpszTemplate = L"No error occurred.";
        break;
    case readOnly:
        lpszTemplate = L"An attempt was made to write to %1 while it was being read.";
        break;
    case endOfFile:
        lpszTemplate = L"An attempt was made to read %1 past its end.";
        break;
    case writeOnly:
        lpszTemplate = L"An attempt was made to read from %1 while it was being written.";
        break;
    case badIndex:
    case badClass:
        lpszTemplate = L"%1 has an incorrect format.";
        break;
    case badSchema:
        lpszTemplate = L"%1 contains an object of an unexpected version.";
        break;
    case bufferFull:
        lpszTemplate = L"The buffer for %1 is full.";
        break;
    default:
        lpszTemplate = L"An unexpected error occurred while reading or writing %1.";
        break;
    }
    return CopyFileMessage(lpszTemplate, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

/////////////////////////////////////////////////////////////////////////////
// Throwing

void AFXAPI AfxThrowMemoryException()
{
    static CMemoryException preallocated(FALSE);
    throw &preallocated;
}

void AFXAPI AfxThrowNotSupportedException()
{
    static CNotSupportedException preallocated(FALSE);
    throw &preallocated;
}

void AFXAPI AfxThrowInvalidArgException()
{
    static CInvalidArgException preallocated(FALSE);
    throw &preallocated;
}

void AFXAPI AfxThrowResourceException()
{
    static CResourceException preallocated(FALSE);
    throw &preallocated;
}

void AFXAPI AfxThrowUserException()
{
    ThrowNew<CUserException>();
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    ThrowNew<CFileException>(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    ThrowNew<CArchiveException>(cause, lpszArchiveName);
}
