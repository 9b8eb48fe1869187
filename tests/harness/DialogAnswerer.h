// DialogAnswerer: plays the user of a system dialog (file chooser, folder browser) that the test's own
// thread is about to run modally. A hook on that thread catches the moment the dialog's top-level window
// is shown, notes its caption and owner, and runs the test's answer, which works the controls and posts
// the closing command; the dialog's own loop then carries it out. Nothing is polled.
//
//     DialogAnswerer answer([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
//     EXPECT_EQ(IDCANCEL, RunTheDialog());
//     EXPECT_EQ(L"Select File", answer.Caption());
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class DialogAnswerer
{
public:
    explicit DialogAnswerer(std::function<void(HWND dialog)> answer)
        : m_answer(std::move(answer)),
          m_hHook(SetWindowsHookExW(WH_CALLWNDPROCRET, &OnMessageHandled, nullptr, GetCurrentThreadId()))
    {
        t_pAnswerer = this;
    }
    ~DialogAnswerer()
    {
        UnhookWindowsHookEx(m_hHook);
        t_pAnswerer = nullptr;
    }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // How many dialogs were answered (the answer runs for each one shown while the object lives).
    int Count() const { return m_nCount; }
    const std::wstring& Caption() const { return m_strCaption; }
    HWND Owner() const { return m_hOwner; }

    // The window's text.
    static std::wstring TextOf(HWND window)
    {
        wchar_t text[1024] = {};
        GetWindowTextW(window, text, 1024);
        return text;
    }

private:
    static LRESULT CALLBACK OnMessageHandled(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMessage = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        DialogAnswerer* pAnswerer = t_pAnswerer;
        if (nCode == HC_ACTION && pAnswerer != nullptr && pMessage->message == WM_SHOWWINDOW &&
            pMessage->wParam != FALSE && !(GetWindowLongW(pMessage->hwnd, GWL_STYLE) & WS_CHILD))
        {
            wchar_t szClass[16] = {};
            GetClassNameW(pMessage->hwnd, szClass, 16);
            if (wcscmp(szClass, L"#32770") == 0)
            {
                ++pAnswerer->m_nCount;
                pAnswerer->m_strCaption = TextOf(pMessage->hwnd);
                pAnswerer->m_hOwner = GetWindow(pMessage->hwnd, GW_OWNER);
                pAnswerer->m_answer(pMessage->hwnd);
            }
        }
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    static inline thread_local DialogAnswerer* t_pAnswerer = nullptr;

    std::function<void(HWND)> m_answer;
    HHOOK m_hHook;
    int m_nCount = 0;
    std::wstring m_strCaption;
    HWND m_hOwner = nullptr;
};
