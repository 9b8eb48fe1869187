// The text and menu helpers: path abbreviation through its whole sequence, measured in the window's own
// font (much wider than the system's), with long and narrow extremes; numbers; ampersands; the submenu
// search.
#include "frame/TextHelpers.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A static control in a large font, whose widths the tests measure as they expect the helper to.
struct FontedStatic
{
    CFont font;
    CWnd host;
    CStatic label;
    bool bMade;

    FontedStatic()
    {
        font.CreateFont(-28, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
        bMade = host.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 900, 99), nullptr, 0) &&
                label.Create(L"", WS_VISIBLE, CRect(0, 0, 100, 40), &host, 1);
        label.SetFont(&font);
    }
    ~FontedStatic() { host.DestroyWindow(); }
    int Width(const std::wstring& text)
    {
        CClientDC dc(&label);
        dc.SelectObject(&font);
        return dc.GetTextExtent(text.c_str(), static_cast<int>(text.size())).cx;
    }
    std::wstring Abbreviate(int width, const std::wstring& path)
    {
        return AbbreviatePathname(&label, CRect(10, 0, 10 + width, 20), path.c_str()).GetString();
    }
};
} // namespace

// Each form of a path is what a width of exactly its own size gives, and one pixel less gives the next.
// Directory names longer than "..." make every form narrower than the one before.
TEST(FrameTextHelpers, AbbreviationShortensStepByStepInTheWindowsFont)
{
    FontedStatic w;
    ASSERT_TRUE(w.bMade);
    const std::vector<std::vector<std::wstring>> sequences = {
        {L"C:\\aa\\bbbbbb\\cccccc\\dddddd\\f.txt", L"C:\\aa\\...\\cccccc\\dddddd\\f.txt",
         L"C:\\aa\\...\\dddddd\\f.txt", L"C:\\aa\\...\\f.txt", L"C:\\...\\f.txt", L"...\\f.txt", L"f.txt"},
        {L"\\\\server\\share\\directory\\f.txt", L"\\\\server\\share\\...\\f.txt",
         L"\\\\server\\\\...\\f.txt", L"...\\f.txt", L"f.txt"},
        {L"C:/aa/bbbbbb/cccccc/f.txt", L"C:/aa/.../cccccc/f.txt", L"C:/aa/.../f.txt", L"C:/.../f.txt",
         L".../f.txt", L"f.txt"},
        {L"\\root\\xxxxxx\\yyyyyy\\name", L"\\root\\...\\yyyyyy\\name", L"\\root\\...\\name", L"\\...\\name",
         L"...\\name", L"name"},
    };
    for (const auto& sequence : sequences)
    {
        for (size_t i = 0; i < sequence.size(); ++i)
        {
            SCOPED_TRACE(sequence[i]);
            EXPECT_EQ(w.Abbreviate(w.Width(sequence[i]), sequence[0]), sequence[i]);
            EXPECT_EQ(w.Abbreviate(w.Width(sequence[i]) - 1, sequence[0]),
                      sequence[std::min(i + 1, sequence.size() - 1)]);
        }
    }
    // Without a rectangle the window's client width counts.
    w.label.SetWindowPos(nullptr, 0, 0, w.Width(sequences[0][2]), 40, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(AbbreviatePathname(&w.label, sequences[0][0].c_str()), sequences[0][2].c_str());
}

// Paths of 32,000 characters and windows too narrow for anything give the shortest form.
TEST(FrameTextHelpers, AbbreviationOfExtremesEndsWithTheFileName)
{
    FontedStatic w;
    ASSERT_TRUE(w.bMade);
    std::wstring deep = L"C:";
    while (deep.size() < 32000 - 9)
        deep += L"\\abcd";
    deep += L"\\file.txt";
    const std::wstring lastDir = L"C:\\abcd\\...\\abcd\\file.txt";
    EXPECT_EQ(w.Abbreviate(w.Width(lastDir), deep), lastDir);
    EXPECT_EQ(w.Abbreviate(w.Width(lastDir) - 1, deep), L"C:\\abcd\\...\\file.txt");
    const std::wstring longName(32000, L'n');
    EXPECT_EQ(w.Abbreviate(200, L"C:\\dir\\" + longName), longName);
    for (int width : {0, 1, -40})
    {
        EXPECT_EQ(w.Abbreviate(width, L"\\\\srv\\share\\a\\b\\report.pdf"), L"report.pdf");
        EXPECT_EQ(w.Abbreviate(width, L"C:/x/y/"), L"");
    }
    EXPECT_TRUE(AbbreviatePathname(&w.label, CRect(0, 0, 100, 10), nullptr).IsEmpty());
}

TEST(FrameTextHelpers, NumbersAndAmpersands)
{
    EXPECT_EQ(DoubleToString(2.5), L"2.500");
    EXPECT_EQ(DoubleToString(-0.0004), L"-0.000");
    EXPECT_EQ(DoubleToString(1e300).GetLength(), 255); // 305 characters, cut off at the buffer's end
    const wchar_t* cases[][3] = {{L"Plain", L"Plain", L"Plain"},
                                 {L"&", L"&&", L""},
                                 {L"&File", L"&&File", L"File"},
                                 {L"Tom & Jerry && Co&", L"Tom && Jerry &&&& Co&&", L"Tom  Jerry && Co&"}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(EscapeAmpersand(c[0]), c[1]);
        EXPECT_EQ(RemoveAmpersand(c[0]), c[2]);
    }
}

// File > Recent > &Deep is found two levels down, without regard to case but with its ampersand; command
// items of the same text are passed over.
TEST(FrameTextHelpers, FindMenuSearchesSubmenusDepthFirst)
{
    CMenu root, file, recent, deep;
    ASSERT_TRUE(root.CreateMenu() && file.CreatePopupMenu() && recent.CreatePopupMenu() &&
                deep.CreatePopupMenu());
    const HMENU hDeep = deep.GetSafeHmenu(), hRecent = recent.GetSafeHmenu();
    recent.AppendMenu(MF_STRING, 11, L"&Deep");
    recent.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(deep.Detach()), L"&Deep");
    file.AppendMenu(MF_STRING, 12, L"&Open");
    file.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(recent.Detach()), L"Recent");
    root.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file.Detach()), L"&File");
    const std::pair<const wchar_t*, HMENU> cases[] = {
        {L"&deep", hDeep}, {L"RECENT", hRecent}, {L"Deep", nullptr}, {L"&Open", nullptr}};
    for (const auto& c : cases)
    {
        CMenu* found = FindMenu(&root, c.first);
        EXPECT_EQ(found ? found->GetSafeHmenu() : nullptr, c.second) << c.first;
    }
    CMenu empty;
    empty.CreatePopupMenu();
    EXPECT_EQ(FindMenu(&empty, L"&File"), nullptr);
}
