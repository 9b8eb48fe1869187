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
class BoxWatcher
{
public:
    explicit BoxWatcher(int nButton, std::vector<HWND> watched = {})
        : m_dwThreadId(GetCurrentThreadId()), m_thread([this, nButton, watched] { Watch(nButton, watched); })
    {
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
        return m_seen;
    }

private:
    struct Search
    {
        DWORD dwThreadId;
        HWND hBox;
    };

    static BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam)
    {
        auto* pSearch = reinterpret_cast<Search*>(lParam);
        wchar_t szClass[16] = {};
        GetClassNameW(hWnd, szClass, 16);
        if (GetWindowThreadProcessId(hWnd, nullptr) == pSearch->dwThreadId &&
            wcscmp(szClass, L"#32770") == 0 && IsWindowVisible(hWnd))
        {
            pSearch->hBox = hWnd;
            return FALSE;
        }
        return TRUE;
    }

    static std::wstring TextOf(HWND hWnd)
    {
        wchar_t szText[512] = {};
        GetWindowTextW(hWnd, szText, 512);
        return szText;
    }

    void Watch(int nButton, const std::vector<HWND>& watched)
    {
        Search search = {m_dwThreadId, nullptr};
        for (int i = 0; i < 1000 && search.hBox == nullptr; ++i)
        {
            Sleep(20);
            EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
        }
        if (search.hBox == nullptr)
        {
            return;
        }
        HWND hBox = search.hBox;
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

    DWORD m_dwThreadId;
    SeenBox m_seen;
    std::thread m_thread;
};
