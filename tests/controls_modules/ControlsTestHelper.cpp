// A second process for the controls tests.
//   ControlsTestHelper hold READY RELEASE   opens the clipboard, signals the event READY and keeps the
//                                           clipboard open until the event RELEASE is signalled
//   ControlsTestHelper                      signals the event named by kOpenedEvent: the program was opened
//                                           by the shell, as a link opens it
#include "ControlsTestHelper.h"

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc == 1)
    {
        HANDLE opened = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, kOpenedEvent);
        if (!opened)
            return 1;
        ::SetEvent(opened);
        ::CloseHandle(opened);
        return 0;
    }
    if (argc != 4 || std::wcscmp(argv[1], L"hold") != 0)
        return 2;
    HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE release = ::OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
    if (!ready || !release || !::OpenClipboard(nullptr))
        return 3;
    ::SetEvent(ready);
    // A test that never releases (it failed) must not leave the clipboard taken for the next one.
    const DWORD wait = ::WaitForSingleObject(release, 60000);
    ::CloseClipboard();
    return wait == WAIT_OBJECT_0 ? 0 : 4;
}
