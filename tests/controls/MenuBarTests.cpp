// The menu bar and the toolbar images on real windows: keys posted through the thread's message loop, popups
// seen by their owner frame as it receives them, and pixels read back from the screen.
#include "controls/VMFCMenuBar.h"
#include "controls/VToolBarImages.h"

#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using controlstest::CountPixels;

namespace
{
constexpr UINT kHelpCommand = 300;
constexpr UINT kOpenCommand = 301;

// A frame that records the popups opened for it (and closes each at once) and the commands it receives.
class CRecordingFrame : public CFrameWnd
{
public:
    std::vector<HMENU> m_popups;
    std::vector<UINT> m_commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP)
        {
            m_popups.push_back(reinterpret_cast<HMENU>(wParam));
            ::EndMenu();
        }
        else if (message == WM_COMMAND && lParam == 0)
        {
            m_commands.push_back(LOWORD(wParam));
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// A frame with a menu bar of "&File", "&Edit", "R&&D" (popups) and "&Help" (a command).
template <class Bar> struct MenuBarHost
{
    CRecordingFrame* frame = new CRecordingFrame;
    Bar bar;
    CMenu menu;
    HMENU popups[3] = {};

    MenuBarHost()
    {
        menu.CreateMenu();
        const wchar_t* const names[] = {L"&File", L"&Edit", L"R&&D"};
        for (int i = 0; i < 3; ++i)
        {
            popups[i] = ::CreatePopupMenu();
            ::AppendMenuW(popups[i], MF_STRING, kOpenCommand, L"&Open");
            menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popups[i]), names[i]);
        }
        menu.AppendMenu(MF_STRING, kHelpCommand, L"&Help");
        frame->Create(nullptr, L"Menu bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 250));
        bar.Create(frame);
        bar.CreateFromMenu(menu.GetSafeHmenu());
        bar.MoveWindow(CRect(CPoint(0, 0), bar.CalcFixedLayout(TRUE, TRUE)));
        frame->SetForegroundWindow();
    }
    ~MenuBarHost()
    {
        bar.DestroyWindow();
        frame->DestroyWindow();
    }
    // Posts the messages and runs them through the thread's loop, as the framework's own loop does.
    void Run(const std::vector<MSG>& messages)
    {
        for (const MSG& msg : messages)
            ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!AfxGetThread()->PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
};

struct KeyCase
{
    const char* name;
    bool bKeyboardMode; // F10 first, then the arrows
    int nRights;
    WPARAM chTyped;
    int nPopup; // the popup that opens, -1 for none
    UINT nCommand;
};

// bAmpersandMnemonic: the bar takes "&" for the mnemonic of "R&&D".
template <class Bar> void RunKeyCase(const KeyCase& c, bool bAmpersandMnemonic)
{
    SCOPED_TRACE(c.name);
    MenuBarHost<Bar> host;
    std::vector<MSG> keys;
    if (c.bKeyboardMode)
        keys.push_back({host.frame->m_hWnd, WM_SYSKEYDOWN, VK_F10, 0, 0, {}});
    for (int i = 0; i < c.nRights; ++i)
        keys.push_back({host.bar.m_hWnd, WM_KEYDOWN, VK_RIGHT, 0, 0, {}});
    if (c.bKeyboardMode)
        keys.push_back({host.bar.m_hWnd, WM_CHAR, c.chTyped, 0, 0, {}});
    else
        keys.push_back({host.frame->m_hWnd, WM_SYSCHAR, c.chTyped, 0, 0, {}});
    host.Run(keys);
    const bool bMnemonic = bAmpersandMnemonic && c.chTyped == L'&';
    const int nPopup = bMnemonic ? 2 : c.nPopup;
    const UINT nCommand = bMnemonic ? 0 : c.nCommand;
    if (nPopup < 0)
        EXPECT_TRUE(host.frame->m_popups.empty());
    else
        EXPECT_EQ(host.frame->m_popups, std::vector<HMENU>{host.popups[nPopup]});
    EXPECT_EQ(host.frame->m_commands, nCommand ? std::vector<UINT>{nCommand} : std::vector<UINT>{});
}
} // namespace

// "&" opens the highlighted button's popup, or runs its command, where the framework's bar would take the
// "&" of "R&&D" for a mnemonic. Other characters pick their button in both.
TEST(ControlsMenuBarFocus, AmpersandRunsTheHighlightedButton)
{
    const KeyCase cases[] = {
        {"F10 highlights File; & opens it", true, 0, L'&', 0, 0},
        {"Right moves to Edit; & opens it", true, 1, L'&', 1, 0},
        {"Help highlighted: & runs its command", true, 3, L'&', -1, kHelpCommand},
        {"e opens Edit by its mnemonic", true, 0, L'e', 1, 0},
        {"Alt+h runs Help", false, 0, L'h', -1, kHelpCommand},
        {"Alt+& in the frame", false, 0, L'&', -1, 0},
    };
    for (const KeyCase& c : cases)
        RunKeyCase<VMFCMenuBar>(c, false);
    // The framework's own bar: "&" is the mnemonic of "R&&D", wherever the highlight is.
    for (const KeyCase& c : cases)
        RunKeyCase<CMFCMenuBar>(c, true);

    // Without a highlight "&" is handled and does nothing.
    MenuBarHost<VMFCMenuBar> host;
    host.Run({{host.bar.m_hWnd, WM_CHAR, L'&', 0, 0, {}}});
    EXPECT_TRUE(host.frame->m_popups.empty() && host.frame->m_commands.empty());
    EXPECT_TRUE(host.bar.TranslateChar(L'&'));
    EXPECT_FALSE(host.bar.TranslateChar(L'z'));
}

// A click on a popup's button opens the popup; on a command's button it sends the command.
TEST(ControlsMenuBarFocus, ClicksOpenPopupsAndSendCommands)
{
    MenuBarHost<VMFCMenuBar> host;
    const auto click = [&host](int iButton)
    {
        CRect rect;
        host.bar.GetItemRect(iButton, &rect);
        const LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        host.Run({{host.bar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at, 0, {}},
                  {host.bar.m_hWnd, WM_LBUTTONUP, 0, at, 0, {}}});
    };
    ASSERT_EQ(host.bar.GetCount(), 4);
    click(2);
    click(3);
    EXPECT_EQ(host.frame->m_popups, std::vector<HMENU>{host.popups[2]});
    EXPECT_EQ(host.frame->m_commands, std::vector<UINT>{kHelpCommand});
}

// VToolBarImages fades what it draws as inactive, half way into the background; the framework's images
// draw it as it is. The transparent colour keeps the background in both.
TEST(ControlsMenuBar, ToolBarImagesFadeInactiveImages)
{
    // Two 4 by 4 images: red with a magenta (transparent) corner, and blue.
    CBitmap source;
    std::vector<DWORD> pixels(8 * 4, 0x00FF0000);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            pixels[y * 8 + x] = 0x000000FF;
    pixels[0] = 0x00FF00FF;
    ASSERT_TRUE(source.CreateBitmap(8, 4, 1, 32, pixels.data()));

    CMFCToolBarImages plain;
    VToolBarImages faded;
    for (CMFCToolBarImages* images : {&plain, static_cast<CMFCToolBarImages*>(&faded)})
    {
        images->SetImageSize(CSize(4, 4));
        images->SetTransparentColor(RGB(255, 0, 255));
        ASSERT_EQ(images->AddImage(source), 0);
        ASSERT_EQ(images->GetCount(), 2);
    }

    CDC dc;
    CBitmap target;
    CClientDC screen(nullptr);
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen) && target.CreateCompatibleBitmap(&screen, 8, 4));
    dc.SelectObject(&target);
    struct
    {
        CMFCToolBarImages* images;
        int nImage;
        BOOL bInactive;
        COLORREF inside;
    } cases[] = {
        {&plain, 0, TRUE, RGB(255, 0, 0)},     {&plain, 1, FALSE, RGB(0, 0, 255)},
        {&faded, 0, FALSE, RGB(255, 0, 0)},    {&faded, 0, TRUE, RGB(255, 127, 127)},
        {&faded, 1, TRUE, RGB(127, 127, 255)},
    };
    for (const auto& c : cases)
    {
        dc.FillSolidRect(0, 0, 8, 4, RGB(255, 255, 255));
        ASSERT_TRUE(c.images->Draw(&dc, 2, 0, c.nImage, FALSE, FALSE, FALSE, FALSE, c.bInactive));
        EXPECT_EQ(dc.GetPixel(3, 1), c.inside);
        // The corner of the first image is transparent; the second has none.
        EXPECT_EQ(dc.GetPixel(2, 0), c.nImage == 0 ? RGB(255, 255, 255) : c.inside);
        EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 255, 255));
    }
    EXPECT_FALSE(faded.Draw(&dc, 0, 0, 2));
}
