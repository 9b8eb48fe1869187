/// \file
/// Stateless helpers for presenting text: a path shortened to fit a window, a number with three decimals,
/// mnemonic ampersands doubled or removed, a submenu found by its text, a combo box filled and selected.
///
/// \code{.cpp}
/// m_path.SetWindowText(AbbreviatePathname(&m_path, strFile)); // C:\Users\...\report.txt
/// menu.AppendMenu(MF_STRING, ID_OPEN_RECENT, EscapeAmpersand(L"Tom & Jerry.txt"));
/// CMenu* pView = FindMenu(GetMenu(), L"&View");
/// VPopulateComboBox(&m_encoding, encodings, L"UTF-8");
/// \endcode
#pragma once

#include <afxwin.h>

#include "core/PardalinApi.h"
#include "core/VStringArray.h"
#include "core/VUnicodeString.h"

/// The path shortened until it fits the window's client width, measured in the window's own font
/// (WM_GETFONT). Directories are dropped from the middle and replaced by "...": `C:\a\b\c\file.txt`
/// becomes `C:\a\...\c\file.txt`, then `C:\a\...\file.txt`, `C:\...\file.txt`, `...\file.txt` and at
/// last `file.txt`, which is returned even when it does not fit either. A UNC path keeps its server part
/// (`\\server\share\...\file.txt`). A path that fits comes back unchanged; one written with "/" comes back
/// with "/".
PARDALIN_API CString AbbreviatePathname(CWnd* wnd, const wchar_t* path);
/// The path shortened to fit the width of rect (right - left), measured in the window's font.
PARDALIN_API CString AbbreviatePathname(CWnd* wnd, const CRect& rect, const wchar_t* path);

/// The value formatted as `"%.3f"` in the thread's current locale: 2.5 gives "2.500", -0.0004 gives
/// "-0.000".
PARDALIN_API VUnicodeString DoubleToString(double value);

/// Every "&" doubled, so that the text shows literally where "&" marks a mnemonic (menus, control texts).
PARDALIN_API VUnicodeString EscapeAmpersand(const wchar_t* text);
/// The first "&" removed (only that one: "a&&b" gives "a&b").
PARDALIN_API VUnicodeString RemoveAmpersand(const wchar_t* text);

/// The first submenu, depth-first, whose item text equals text without regard to case (mnemonic ampersands
/// count as characters); null when there is none. Items without a submenu are not compared.
PARDALIN_API CMenu* FindMenu(CMenu* menu, const wchar_t* text);

/// Adds the items in order, then selects the first item that begins with selected (without regard to case),
/// or the first item when none does. An empty list selects nothing.
PARDALIN_API void VPopulateComboBox(CComboBox* combo, const VStringArray& items,
                                    const VUnicodeString& selected);

/// Whether the host's mode number is a read-only mode (1 or 2). The host defines the numbers; the library
/// does not call it.
PARDALIN_API bool VIsReadOnly(int mode);
/// Whether the host's mode number is a read-only mode (1 or 2) or a template mode (3 or 4).
PARDALIN_API bool VIsReadOnlyOrTemplate(int mode);
