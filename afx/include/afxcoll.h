// The framework's non-template arrays. Each is a CArray of its element type with a run-time class of its own.
#pragma once

#include "afx.h"
#include "afxtempl.h"

class AFX_API CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray();
    ~CPtrArray() override;
};

class AFX_API CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_DYNAMIC(CObArray)
public:
    CObArray();
    ~CObArray() override;
};

class AFX_API CStringArray : public CArray<CString, const CString&>
{
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray();
    ~CStringArray() override;
};

class AFX_API CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_DYNAMIC(CByteArray)
public:
    CByteArray();
    ~CByteArray() override;
};

class AFX_API CWordArray : public CArray<WORD, WORD>
{
    DECLARE_DYNAMIC(CWordArray)
public:
    CWordArray();
    ~CWordArray() override;
};

class AFX_API CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_DYNAMIC(CDWordArray)
public:
    CDWordArray();
    ~CDWordArray() override;
};

class AFX_API CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
public:
    CUIntArray();
    ~CUIntArray() override;
};
