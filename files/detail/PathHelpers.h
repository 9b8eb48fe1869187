// Path helpers shared by the files, settings and folder-validation code. Not part of the exported interface.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"

namespace pardalin::detail
{
// `a` and `b` with exactly one backslash between them; an empty `b` gives `a` followed by a backslash.
VUnicodeString PathJoin(const wchar_t* a, const wchar_t* b);

// Whether the full form of `path` is a drive root ("C:" or "C:\"); for a root, driveExists tells whether the
// drive is there. A bare "C:" stands for the current folder of drive C and so is a root only when that
// folder is the root.
bool IsDriveRoot(const wchar_t* path, bool& driveExists);

// Whether `path` is "\\server\share" or "\\server\share\"; shareName receives the share without a
// trailing backslash.
bool IsUncShareRoot(const wchar_t* path, VUnicodeString& shareName);

// How SplitPath treats a path's end and its root.
enum class SplitForm
{
    // Folder and file name: a trailing separator leaves an empty name and a drive root keeps its backslash
    // ("C:\a\" gives "C:\a" and ""; "C:\b" gives "C:\" and "b").
    Directory,
    // Parent and last component: trailing separators are skipped, a drive root has no backslash and a root
    // has no parent ("C:\a\" gives "C:" and "a"; "C:\" gives "" and "").
    Parent,
};

// Splits `path` at its last separator ("\" or "/"); a drive prefix ("C:") stays with the parent.
void SplitPath(const wchar_t* path, VUnicodeString& parent, VUnicodeString& leaf, SplitForm form);

// Walks up from `folder` (as split by SplitForm::Directory) to the first path for which exists() holds and
// leaves it in `folder`; `missing` receives the components passed over, each followed by a backslash. False
// when nothing on the way exists.
bool WalkUpToExisting(VUnicodeString& folder, VUnicodeString& missing, bool (*exists)(const wchar_t* path));

// Removes every trailing backslash; a string of backslashes only becomes empty.
void TrimTrailingBackslashes(VUnicodeString& path);
} // namespace pardalin::detail
