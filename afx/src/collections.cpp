// Run-time classes of the non-template arrays; their operations are CArray's.
#include "afxcoll.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
CPtrArray::CPtrArray() = default;
CPtrArray::~CPtrArray() = default;

IMPLEMENT_DYNAMIC(CObArray, CObject)
CObArray::CObArray() = default;
CObArray::~CObArray() = default;

IMPLEMENT_DYNAMIC(CStringArray, CObject)
CStringArray::CStringArray() = default;
CStringArray::~CStringArray() = default;

IMPLEMENT_DYNAMIC(CByteArray, CObject)
CByteArray::CByteArray() = default;
CByteArray::~CByteArray() = default;

IMPLEMENT_DYNAMIC(CWordArray, CObject)
CWordArray::CWordArray() = default;
CWordArray::~CWordArray() = default;

IMPLEMENT_DYNAMIC(CDWordArray, CObject)
CDWordArray::CDWordArray() = default;
CDWordArray::~CDWordArray() = default;

IMPLEMENT_DYNAMIC(CUIntArray, CObject)
CUIntArray::CUIntArray() = default;
CUIntArray::~CUIntArray() = default;
