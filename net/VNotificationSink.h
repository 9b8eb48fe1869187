/// \class VNotificationSink
/// A hidden message-only window on its owner's thread that turns posted messages into virtual calls there.
/// Work from other threads is posted to the window and runs on the owner thread, which must pump messages.
/// The socket and the message-based deferred-procedure dispatcher are built on it.
///
/// \code{.cpp}
/// class CProgress : private VNotificationSink
/// {
///     LRESULT OnNotify(UINT message, WPARAM, LPARAM) override; // on the creating thread
/// };
/// progress.Create();                          // the window now lives on this thread
/// progress.PostNotification(WM_USER + 1);     // from any thread: OnNotify(WM_USER + 1, 0, 0) later
/// \endcode
///
/// Messages from WM_USER up reach OnNotify, WM_TIMER reaches OnTimer; WM_CLOSE closes the window named by its
/// wParam and signals the event in its lParam, which is how a window is closed from another thread.
#pragma once

#include "core/PardalinApi.h"

class PARDALIN_API VNotificationSink
{
public:
    // Construction
    VNotificationSink();
    VNotificationSink(const VNotificationSink&) = delete;
    VNotificationSink& operator=(const VNotificationSink&) = delete;
    /// Destroys the window if there is one; from another thread this waits until the owner has closed it.
    virtual ~VNotificationSink();

    // Attributes
    /// The window messages are posted to; null before Create and after Destroy.
    HWND GetNotificationWindow() const { return window; }
    /// The thread the window was last made on (where OnNotify runs); 0 before the first Create.
    DWORD GetOwnerThreadId() const { return threadId; }

    // Operations
    /// Makes the window on the calling thread, as AttachToCurrentThread does.
    virtual bool Create();
    /// Gives the sink a window on the calling thread. A window of this thread is kept; one of another thread
    /// is replaced, the old one closed on its own thread (the call waits for that). False, with nothing
    /// changed, when no window can be made.
    virtual bool AttachToCurrentThread();
    /// Destroys the window, on its own thread: from another thread the call waits until the owner has closed
    /// it. Messages still posted to it are dropped. Nothing happens without a window.
    virtual void Destroy();
    /// PostMessageW(window, message, 0, 0); false when there is no window or the post fails. Any thread.
    bool PostNotification(UINT message);

    // Overridables
    /// A message from WM_USER up reached the window, on the owner thread; what this returns is the
    /// message's result. The base returns 0.
    virtual LRESULT OnNotify(UINT message, WPARAM wParam, LPARAM lParam);
    /// A timer set on the window (SetTimer with GetNotificationWindow) fired, on the owner thread. The base
    /// returns 0.
    virtual LRESULT OnTimer(UINT_PTR timerId);
    /// The parent given to the window: HWND_MESSAGE, so the window is message-only.
    virtual HWND GetParentWindow();

private:
    HWND window;
    DWORD threadId;
};
