#include "net/VNotificationSink.h"

namespace
{
const wchar_t g_className[] = L"Notification VNotificationSink";

LRESULT CALLBACK SinkWindowProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* const sink = reinterpret_cast<VNotificationSink*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (message == WM_CLOSE)
    {
        // A cross-thread close: wParam names the window, lParam the event its closer waits on.
        const auto target = reinterpret_cast<HWND>(wParam);
        if (target && IsWindow(target))
        {
            SetWindowLongPtrW(target, GWLP_USERDATA, 0);
            DestroyWindow(target);
        }
        if (lParam)
            SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    if (message == WM_TIMER)
        return sink ? sink->OnTimer(wParam) : DefWindowProcW(hWnd, message, wParam, lParam);
    if (message >= WM_USER)
        return sink ? sink->OnNotify(message, wParam, lParam) : 0;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

// Registered while the library loads, so every thread finds the class. A class left by an earlier load of
// the library in this process serves as well.
bool RegisterSinkClass()
{
    WNDCLASSW windowClass = {};
    windowClass.style = CS_VREDRAW;
    windowClass.lpfnWndProc = &SinkWindowProcedure;
    windowClass.cbWndExtra = 4;
    windowClass.lpszClassName = g_className;
    return RegisterClassW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

const bool g_classRegistered = RegisterSinkClass();

// Closes a window that belongs to another thread: that thread's sink procedure destroys it and signals the
// event. A post that fails means the window or its thread is gone, and there is nothing to wait for.
void CloseOnOwnerThread(HWND window)
{
    const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!done)
        return;
    if (PostMessageW(window, WM_CLOSE, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(done)))
        WaitForSingleObject(done, INFINITE);
    CloseHandle(done);
}

bool OwnedByCallingThread(HWND window)
{
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}
} // namespace

VNotificationSink::VNotificationSink() : window(nullptr), threadId(0)
{
    (void)g_classRegistered;
}

VNotificationSink::~VNotificationSink()
{
    if (window)
        Destroy();
}

bool VNotificationSink::Create()
{
    return AttachToCurrentThread();
}

bool VNotificationSink::AttachToCurrentThread()
{
    if (window && OwnedByCallingThread(window))
        return true;
    const HWND created = CreateWindowExW(0, g_className, g_className, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                         CW_USEDEFAULT, 0, 0, GetParentWindow(), nullptr, nullptr, nullptr);
    if (!created)
        return false;
    SetLastError(0);
    SetWindowLongPtrW(created, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const HWND previous = window;
    window = created;
    threadId = GetCurrentThreadId();
    if (previous)
        CloseOnOwnerThread(previous);
    return true;
}

void VNotificationSink::Destroy()
{
    if (!window)
        return;
    if (OwnedByCallingThread(window))
    {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    else
        CloseOnOwnerThread(window);
    window = nullptr;
}

bool VNotificationSink::PostNotification(UINT message)
{
    return window && PostMessageW(window, message, 0, 0);
}

LRESULT VNotificationSink::OnNotify(UINT, WPARAM, LPARAM)
{
    return 0;
}

LRESULT VNotificationSink::OnTimer(UINT_PTR)
{
    return 0;
}

HWND VNotificationSink::GetParentWindow()
{
    return HWND_MESSAGE;
}
