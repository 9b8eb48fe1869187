// Path helpers shared by the files, settings and folder-validation code. Not part of the exported interface.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

// `a` and `b` with exactly one backslash between them; an empty `b` gives `a` followed by a backslash.
VUnicodeString PathJoin(const wchar_t* a, const wchar_t* b);

// Whether the full form of `path` is a drive root ("C:" or "C:\"); for a root, driveExists tells whether the
// drive is there. A bare "C:" stands for the current folder of drive C and so is a root only when that
// folder is the root.
bool IsDriveRoot(const wchar_t* path, bool& driveExists);

// Whether `path` is "\\server\share" or "\\server\share\"; shareName receives the share without a
// trailing backslash.
bool IsUncShareRoot(const wchar_t* path, VUnicodeString& shareName);

// "C:\a\b" gives "C:\a" and "b"; "C:\b" gives "C:\" and "b"; "b" gives "" and "b".
void SplitDirectoryAndName(const wchar_t* path, VUnicodeString& directory, VUnicodeString& name);

// Removes every trailing backslash; a string of backslashes only becomes empty.
void TrimTrailingBackslashes(VUnicodeString& path);
