// TempFolder, CurrentFolder: scratch folders and the current folder for tests of every program, on the
// system's calls alone (the stand-in's tests do not link the library).
//
//     testkit::TempFolder folder;
//     WriteSomething(folder.Path(L"settings.ini"));
//     testkit::CurrentFolder here(folder.Get());
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

namespace testkit
{
// A fresh folder under the system's temporary folder, removed with everything in it when the object goes.
class TempFolder
{
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        wchar_t temporary[MAX_PATH + 1];
        GetTempPathW(MAX_PATH, temporary);
        do
        {
            m_path = std::wstring(temporary) + L"pardalin-test-" + std::to_wstring(GetCurrentProcessId()) +
                     L"-" + std::to_wstring(++counter);
        } while (!CreateDirectoryW(m_path.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    }
    ~TempFolder() { RemoveTree(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Get() const { return m_path; }
    std::wstring Path(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    static void RemoveTree(const std::wstring& path)
    {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
        {
            const std::wstring name = found.cFileName;
            const std::wstring child = path + L"\\" + name;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(child.c_str());
        }
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        RemoveDirectoryW(path.c_str());
    }

    std::wstring m_path;
};

// Runs with the current folder set to `path`, and puts the old one back.
class CurrentFolder
{
public:
    explicit CurrentFolder(const std::wstring& path)
    {
        GetCurrentDirectoryW(MAX_PATH, m_previous);
        SetCurrentDirectoryW(path.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryW(m_previous); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    wchar_t m_previous[MAX_PATH + 1];
};

inline bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
} // namespace testkit
