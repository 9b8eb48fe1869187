// DialogAnswerer: plays the user of a system dialog (message box, file chooser, folder browser) that the
// test's own thread is about to run modally. A hook on that thread catches the moment the dialog's top-level
// window is shown (its text is set and its owner disabled by then), notes what it shows, and runs the test's
// answer, which works the controls and posts the closing command; the dialog's own loop then carries it out.
// Nothing is polled.
//
//     DialogAnswerer answer(DialogAnswerer::Press(IDNO));
//     EXPECT_EQ(IDNO, AfxMessageBox(L"Overwrite the file?", MB_YESNO));
//     EXPECT_EQ(L"Overwrite the file?", answer.Text());
//
//     DialogAnswerer chooser([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
//     EXPECT_EQ(IDCANCEL, RunTheFileDialog());
//     EXPECT_EQ(L"Select File", chooser.Caption());
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

    // An answer that clicks the button nButton, as a user's click would (a box without it is closed).
    static std::function<void(HWND)> Press(int nButton)
    {
        return [nButton](HWND dialog)
        {
            HWND hButton = GetDlgItem(dialog, nButton);
            if (hButton != nullptr)
                PostMessageW(hButton, BM_CLICK, 0, 0);
            else
                PostMessageW(dialog, WM_CLOSE, 0, 0); // never leave the test waiting for a box
        };
    }

    // How many dialogs were answered (the answer runs for each one shown while the object lives); what
    // the last one showed.
    int Count() const { return m_nCount; }
    const std::wstring& Caption() const { return m_strCaption; }
    HWND Owner() const { return m_hOwner; }
    // A message box's text and icon.
    const std::wstring& Text() const { return m_strText; }
    HICON Icon() const { return m_hIcon; }

    // The window's text.
    static std::wstring TextOf(HWND window)
    {
        wchar_t text[1024] = {};
        GetWindowTextW(window, text, 1024);
        return text;
    }

private:
    // The ids of a message box's text and icon.
    static constexpr int kBoxText = 0xFFFF;
    static constexpr int kBoxIcon = 0x0440;

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
                HWND dialog = pMessage->hwnd;
                ++pAnswerer->m_nCount;
                pAnswerer->m_strCaption = TextOf(dialog);
                pAnswerer->m_hOwner = GetWindow(dialog, GW_OWNER);
                pAnswerer->m_strText = TextOf(GetDlgItem(dialog, kBoxText));
                pAnswerer->m_hIcon =
                    reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, kBoxIcon, STM_GETICON, 0, 0));
                pAnswerer->m_answer(dialog);
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
    std::wstring m_strText;
    HICON m_hIcon = nullptr;
};
