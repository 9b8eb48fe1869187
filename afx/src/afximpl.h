// Internals of the stand-in DLL shared between its sources; not part of the interface.
#pragma once

#include "afx.h"

namespace afximpl
{
// A heap copy (the C runtime's, as the application's strings are freed with free()); throws
// CMemoryException when there is no memory.
LPTSTR DuplicateString(LPCTSTR lpsz);

// The file name of a module without folder and extension ("app" for C:\\bin\\app.exe).
CString ModuleBaseName(HMODULE hModule);

// The caption of the framework's message boxes: the application's name or, before the application is
// named, the executable's.
CString AppCaption();

// A run-time class of one of the linked extension libraries, by exact name; null when none has it.
CRuntimeClass* FindLibraryClass(LPCSTR lpszClassName);

// String nID of the module's string table: its characters (not terminated) and their number. Null when the
// module has no such string or the entry is empty, as the string table cannot tell the two apart.
const WCHAR* FindStringImage(HINSTANCE hInstance, UINT nID, int* pnLength);

// The module whose string table has string nID, searched through the resource chain; null when none has it.
HINSTANCE FindStringResourceInstance(UINT nID);
} // namespace afximpl
