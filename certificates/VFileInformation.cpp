#include "certificates/VFileInformation.h"

VFileInformation::VFileInformation(const wchar_t* path) : m_information{}, m_bFailed(true)
{
    const HANDLE file =
        CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    m_bFailed = !GetFileInformationByHandle(file, &m_information);
    CloseHandle(file);
}
