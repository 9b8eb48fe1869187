// Build switches shared by every header of the MFC stand-in.
#pragma once

#ifndef AFX_UMBRELLA_AFX_H
#error This header is part of <afx.h>; include that instead.
#endif

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

// Diagnostics (ASSERT, TRACE, ASSERT_VALID) follow the build: on unless NDEBUG, as the C assert does, and
// always on when _DEBUG asks for them. The DLL exports the diagnostic entry points in every build, so a
// debug host can run on a release stand-in.
#if defined(_DEBUG) || !defined(NDEBUG)
#define AFX_DIAGNOSTICS 1
#else
#define AFX_DIAGNOSTICS 0
#endif

#ifndef PASCAL
#define PASCAL __stdcall
#endif

// MFC's marker for classes that are only ever used as bases; the compiler needs nothing from it here.
#define AFX_NOVTABLE

// Functions that never return (the AfxThrow family).
#define AFX_NORETURN [[noreturn]]
