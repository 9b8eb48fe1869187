// VNotificationSink: a hidden message-only window on its owner's thread that turns posted messages into
// virtual calls there. Work from other threads is posted to the window and runs on the owner thread, which
// must pump messages. The socket and the message-based deferred-procedure dispatcher are built on it.
//
//     class CProgress : private VNotificationSink
//     {
//         LRESULT OnNotify(UINT message, WPARAM, LPARAM) override; // on the creating thread
//     };
//     progress.Create();                          // the window now lives on this thread
//     progress.PostNotification(WM_USER + 1);     // from any thread: OnNotify(WM_USER + 1, 0, 0) later
//
// Messages from WM_USER up reach OnNotify, WM_TIMER reaches OnTimer; WM_CLOSE closes the window named by its
// wParam and signals the event in its lParam, which is how a window is closed from another thread.
#pragma once

#include "core/PardalinApi.h"

class PARDALIN_API VNotificationSink
{
public:
    // Construction
    VNotificationSink();
    VNotificationSink(const VNotificationSink&) = delete;
    VNotificationSink& operator=(const VNotificationSink&) = delete;
    // Destroys the window if there is one; from another thread this waits until the owner has closed it.
    virtual ~VNotificationSink();

    // Attributes
    HWND GetNotificationWindow() const { return window; }
    DWORD GetOwnerThreadId() const { return threadId; }

    // Operations
    // AttachToCurrentThread.
    virtual bool Create();
    // Gives the sink a window on the calling thread. A window of this thread is kept; one of another thread
    // is replaced, the old one closed on its own thread (the call waits for that). False, with nothing
    // changed, when no window can be made.
    virtual bool AttachToCurrentThread();
    virtual void Destroy();
    // PostMessageW(window, message, 0, 0); false when there is no window or the post fails.
    bool PostNotification(UINT message);

    // Overridables
    virtual LRESULT OnNotify(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnTimer(UINT_PTR timerId);
    // The parent given to the window: HWND_MESSAGE, so the window is message-only.
    virtual HWND GetParentWindow();

private:
    HWND window;
    DWORD threadId;
};
