// Build switches shared by every header of the MFC stand-in.
#pragma once

#ifndef _UNICODE
#error The stand-in supports Unicode builds only; define UNICODE and _UNICODE.
#endif

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <winsock2.h>
#include <windows.h>
#include <tchar.h>

// Classes and functions of the stand-in DLL itself.
#ifdef AFX_BUILD
#define AFX_API __declspec(dllexport)
#else
#define AFX_API __declspec(dllimport)
#endif

// MFC's macro for classes of an extension DLL: exported while _AFXEXT is defined, imported otherwise.
#ifdef _AFXEXT
#define AFX_EXT_CLASS __declspec(dllexport)
#else
#define AFX_EXT_CLASS __declspec(dllimport)
#endif
#define AFX_EXT_API AFX_EXT_CLASS
#define AFX_EXT_DATA AFX_EXT_CLASS

#define AFXAPI __stdcall
#define AFX_CDECL __cdecl
