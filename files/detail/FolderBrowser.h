// The system's folder browser, started at a given folder.
#pragma once

#include "core/VUnicodeString.h"

#include <windows.h>

namespace pardalin::detail
{
// Shows the browser over owner, opened at folder when it names one. True when the user chose a folder:
// folder then holds its path, or is empty (after a message box) when the choice has no file-system path.
bool BrowseForFolder(HWND owner, const wchar_t* title, VUnicodeString& folder);
} // namespace pardalin::detail
