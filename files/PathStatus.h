/// \file
/// VPathStatus, VSplitLocalExistingDirectory, VIsPathWritable, VExtractLocalDirectory: questions about local
/// paths that the host asks before it uses them. None shows a message: each answers with a bool and, where a
/// system call failed, leaves its error as the thread's last error.
///
/// \code{.cpp}
/// VFindData data;
/// if (VPathStatus(path, data, true)) // an existing folder
///     ...
/// VUnicodeString existing, missing;
/// if (VSplitLocalExistingDirectory(L"C:\\logs\\2024\\May", existing, missing) && VIsPathWritable(existing))
///     ... create the folders named by missing under existing ...
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "files/VFindData.h"

/// What `path` names: true when it exists, with `data` filled. A drive root or a share root
/// (`\\server\share`) is reported as a folder without asking the file system (for a drive root the answer
/// is whether the drive exists); anything else is looked up, and `data` is left untouched when it is not
/// found. A name with a colon anywhere but after a drive letter (a stream suffix on a relative name) is
/// refused. With `directoryOnly` a found file fills `data` but answers false.
PARDALIN_API bool VPathStatus(const wchar_t* path, VFindData& data, bool directoryOnly);

/// Splits `path` into its deepest existing folder and the components below it that do not exist yet, each
/// followed by a backslash: `C:\a\b\c` with only `C:\a` present gives `C:\a` and `b\c\`. False when no
/// folder of the path exists.
PARDALIN_API bool VSplitLocalExistingDirectory(const wchar_t* path, VUnicodeString& existing,
                                               VUnicodeString& missing);

/// Whether the deepest existing folder of `path` may be written to by this process: whether it opens for
/// reading and writing.
PARDALIN_API bool VIsPathWritable(const wchar_t* path);

/// Splits `path` into folder and file name. An existing folder (or a drive root) gives the folder and an
/// empty name. For a path that does not exist yet, true only when its folder exists. An empty or null path
/// fails with ERROR_INVALID_NAME.
PARDALIN_API bool VExtractLocalDirectory(const wchar_t* path, VUnicodeString& directory,
                                         VUnicodeString& fileName);
