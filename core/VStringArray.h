// VStringArray: the array of wide strings that the library's interface passes around.
#pragma once

#include "core/VArray.h"
#include "core/VUnicodeString.h"

typedef VArray<VUnicodeString> VStringArray;
