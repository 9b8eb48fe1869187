// Reads a real message box the way a user sees it: a watcher thread waits for the box that the test's thread
// is about to show, records its caption, text, owner and icon, and presses a button with a real click
// message.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

// What a real message box showed, read from another thread while the box was up.
struct SeenBox
{
    bool bFound = false;
    std::wstring strCaption;
    std::wstring strText;
    HWND hOwner = nullptr;
    HICON hIcon = nullptr;
    std::vector<bool> windowsEnabled;
};

// Waits (on its own thread) for the message box that the calling thread is about to show, reads it, then
// presses nButton with a real click message. Windows in watched are checked for being enabled meanwhile.
// A hook on the calling thread tells the watcher the moment a dialog box is about to be shown (its text is
// set and its owner disabled by then); nothing is polled.
class BoxWatcher
{
public:
    explicit BoxWatcher(int nButton, std::vector<HWND> watched = {})
        : m_hShown(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          m_hHook(SetWindowsHookExW(WH_CALLWNDPROCRET, &OnMessageHandled, nullptr, GetCurrentThreadId())),
          m_thread([this, nButton, watched] { Watch(nButton, watched); })
    {
        t_pWatcher = this;
    }
    ~BoxWatcher() { Seen(); }
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    const SeenBox& Seen()
    {
        if (m_thread.joinable())
        {
            m_thread.join();
        }
        if (m_hHook != nullptr)
        {
            UnhookWindowsHookEx(m_hHook);
            m_hHook = nullptr;
        }
        if (t_pWatcher == this)
        {
            t_pWatcher = nullptr;
        }
        if (m_hShown != nullptr)
        {
            CloseHandle(m_hShown);
            m_hShown = nullptr;
        }
        return m_seen;
    }

private:
    // Runs on the thread that shows the box, after each message a window procedure handled.
    static LRESULT CALLBACK OnMessageHandled(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMessage = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        BoxWatcher* pWatcher = t_pWatcher;
        if (nCode == HC_ACTION && pWatcher != nullptr && pMessage->message == WM_SHOWWINDOW &&
            pMessage->wParam != FALSE && pWatcher->m_hBox == nullptr)
        {
            wchar_t szClass[16] = {};
            GetClassNameW(pMessage->hwnd, szClass, 16);
            if (wcscmp(szClass, L"#32770") == 0)
            {
                pWatcher->m_hBox = pMessage->hwnd;
                SetEvent(pWatcher->m_hShown);
            }
        }
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    static std::wstring TextOf(HWND hWnd)
    {
        wchar_t szText[512] = {};
        GetWindowTextW(hWnd, szText, 512);
        return szText;
    }

    void Watch(int nButton, const std::vector<HWND>& watched)
    {
        // A box that never comes leaves bFound false; the test that expected it fails on that.
        if (WaitForSingleObject(m_hShown, 20000) != WAIT_OBJECT_0)
        {
            return;
        }
        HWND hBox = m_hBox;
        m_seen.bFound = true;
        m_seen.strCaption = TextOf(hBox);
        m_seen.strText = TextOf(GetDlgItem(hBox, 0xFFFF));
        m_seen.hOwner = GetWindow(hBox, GW_OWNER);
        m_seen.hIcon = reinterpret_cast<HICON>(SendDlgItemMessageW(hBox, 0x0440, STM_GETICON, 0, 0));
        for (HWND hWnd : watched)
        {
            m_seen.windowsEnabled.push_back(IsWindowEnabled(hWnd) != FALSE);
        }
        HWND hButton = GetDlgItem(hBox, nButton);
        if (hButton != nullptr)
        {
            SendMessageW(hButton, BM_CLICK, 0, 0);
        }
        else
        {
            PostMessageW(hBox, WM_CLOSE, 0, 0); // never leave the test waiting for a box
        }
    }

    static inline thread_local BoxWatcher* t_pWatcher = nullptr;

    HANDLE m_hShown;
    HHOOK m_hHook;
    HWND m_hBox = nullptr;
    SeenBox m_seen;
    std::thread m_thread;
};
