// ProfileFileLock: the lock every reader and writer of one profile file holds, across processes; and the
// reading and whole-file replacement of such a file.
//
//     pardalin::detail::ProfileFileLock lock(path);
//     std::string bytes;
//     if (lock.Held() && pardalin::detail::ReadProfileFile(path, bytes))
//         pardalin::detail::ReplaceProfileFile(path, Changed(bytes));
//
// The lock is a named mutex whose name comes from the file's full path, upper-cased, so every process that
// names the file, however it spells the path, meets the same lock. A holder that died leaves the mutex
// abandoned; the next one takes it over as it is, because the file on disk only ever changes by one rename
// and so is whole whatever point its writer reached.
//
// A write goes to "<file>.tmp" beside the file, is flushed to disk and then renamed over the file in one
// step. A writer killed before the rename leaves the old file in place and the temporary file behind; readers
// never open it, and the next writer of the file overwrites it.
#pragma once

#include "core/detail/OwnedHandle.h"

#include <string>

namespace pardalin::detail
{
class ProfileFileLock
{
public:
    // Construction
    // Waits for the lock of the file at `path`.
    explicit ProfileFileLock(const std::wstring& path);
    ~ProfileFileLock();
    ProfileFileLock(const ProfileFileLock&) = delete;
    ProfileFileLock& operator=(const ProfileFileLock&) = delete;

    // Attributes
    // False only when the system could not make the mutex or wait on it.
    bool Held() const { return held; }
    // Whether the previous holder ended without letting go.
    bool TookOverAbandoned() const { return abandoned; }

    // The mutex's name for a file.
    static std::wstring NameFor(const std::wstring& path);

private:
    OwnedHandle mutex;
    bool held = false;
    bool abandoned = false;
};

// The whole file; an absent file reads as empty. False when the file is there but cannot be read, so a
// writer does not replace values it never saw.
bool ReadProfileFile(const std::wstring& path, std::string& bytes);
// Writes `bytes` to the temporary file, flushes it and renames it over `path`, creating the folder when it
// is missing. On failure the old file is untouched and the temporary file is removed.
bool ReplaceProfileFile(const std::wstring& path, const std::string& bytes);
// Removes the file and any temporary file a killed writer left; false when there was no file.
bool DeleteProfileFile(const std::wstring& path);
std::wstring TemporaryPathOf(const std::wstring& path);
} // namespace pardalin::detail
