/// \file
/// VStringArray: the array of wide strings that the library's interface passes around.
///
/// \code{.cpp}
/// VStringArray names;
/// names.Add(L"alpha");
/// names.Add(L"beta");
/// for (int i = 0; i < names.GetCount(); ++i) ... names[i] ...
/// \endcode
#pragma once

#include "core/VArray.h"
#include "core/VUnicodeString.h"

/// An array of VUnicodeString, with VArray's members and rules.
typedef VArray<VUnicodeString> VStringArray;
