// VXtXmlMigrator against files written the way the earlier releases wrote them, and against files that are
// damaged or hostile: the menu items and toolbar buttons are read back from the real menu and toolbar.
#include "settings/VXtXmlMigrator.h"

#include "harness/ScratchFolder.h"

#include <afxole.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace
{
// The menu's items as "text#id" (a separator as "-", a popup as "text>" followed by its items in braces).
std::wstring Describe(HMENU menu)
{
    std::wstring result;
    for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i)
    {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        if (!result.empty())
            result += L" | ";
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
            result += L"-";
        else if (HMENU sub = GetSubMenu(menu, i))
            result += std::wstring(text) + L">{" + Describe(sub) + L"}";
        else
            result += std::wstring(text) + L"#" + std::to_wstring(GetMenuItemID(menu, i));
    }
    return result;
}

// The toolbar's buttons as "id:image" or "id:'text'" (user buttons only; "-" for a separator).
std::wstring Describe(const CMFCToolBar& bar)
{
    std::wstring result;
    for (int i = 0; i < bar.GetCount(); ++i)
    {
        const CMFCToolBarButton* button = bar.GetButton(i);
        if (!result.empty())
            result += L" ";
        if (button->IsSeparator())
            result += L"-";
        else
            result += std::to_wstring(button->m_nID) + (button->m_bText
                                                            ? L":'" + std::wstring(button->m_strText) + L"'"
                                                            : L":" + std::to_wstring(button->GetImage()));
    }
    return result;
}

// A toolbar on a hidden window, and the host's menus.
struct SettingsMigrator : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(
            m_owner.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 600, 60), nullptr, 0));
        ASSERT_TRUE(m_toolBar.Create(&m_owner));
        m_toolBar.InsertButton(CMFCToolBarButton(999, 0, nullptr, TRUE));
        ASSERT_TRUE(m_menu.CreateMenu() && m_themes.CreatePopupMenu() && m_window.CreatePopupMenu());
        m_themes.AppendMenu(MF_STRING, 500, L"Classic");
        m_window.AppendMenu(MF_STRING, 600, L"Cascade");
        m_images[100] = 0;
        m_images[101] = 1;
    }
    void TearDown() override
    {
        // The host's menus belong to the main menu once attached.
        if (m_menu.GetSafeHmenu() && Describe(m_menu.GetSafeHmenu()).find(L"Classic") != std::wstring::npos)
            m_themes.Detach();
        if (m_menu.GetSafeHmenu() && Describe(m_menu.GetSafeHmenu()).find(L"Cascade") != std::wstring::npos)
            m_window.Detach();
    }
    VXtXmlMigrator Migrate(const std::string& content)
    {
        const std::wstring path = m_folder.Path(L"AppMenuToolbar.xml");
        std::ofstream(path.c_str(), std::ios::binary) << content;
        return VXtXmlMigrator(path.c_str(), &m_menu, &m_toolBar, &m_themes, &m_window, m_images);
    }

    testkit::TempFolder m_folder;
    CWnd m_owner;
    CMFCToolBar m_toolBar;
    CMenu m_menu, m_themes, m_window;
    VMap<unsigned int, int> m_images;
};

const char kCustomisation[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<Settings CompactMode="1"><CommandBars>
  <CommandBar Type="0" BarID="59392" Title="Menu Bar"><Controls>
    <Control Type="2" Caption="&amp;File" CommandBarId="1"/>
    <Control Type="2" Caption="&amp;Edit" CustomCaption="&amp;Change" CommandBarId="2"/>
    <Control Type="2" Caption="T&amp;hemes" CommandBarId="3"/><Control Type="2" Caption="&amp;Window" CommandBarId="4"/>
    <Control Type="1" Id="110" Caption="&amp;Help" BeginGroup="1"/>
  </Controls></CommandBar>
  <CommandBar Type="2" BarID="1"><Controls>
    <Control Type="1" Id="100" Caption="&amp;Open..."/>
    <Control Type="1" Id="101" Caption="&amp;Save" CustomCaption="Save &amp;All"/>
    <Control Type="1" Id="102" Caption="E&amp;xit" BeginGroup="1"/>
  </Controls></CommandBar>
  <CommandBar Type="2" BarID="2"><Controls>
    <Control Type="1" Id="103" Caption="&amp;Find"/><Control Type="2" Caption="&amp;Advanced" CommandBarId="5"/>
  </Controls></CommandBar>
  <CommandBar Type="2" BarID="5"><Controls><Control Type="1" Id="104" Caption="&amp;Upper case"/></Controls></CommandBar>
  <CommandBar Type="2" BarID="6"><Controls><Control Type="1" Id="105" Caption="Orphan"/></Controls></CommandBar>
  <CommandBar Class="CXTPToolBar" BarID="59393" Title="Standard"><Controls>
    <Control Type="1" Id="100" Caption="&amp;Open"/><Control Type="1" Id="101" Caption="&amp;Save"/>
    <Control Type="1" Id="103" Caption="Find" BeginGroup="1"/><Control Type="1" Id="106" Caption="Print" HideFlags="1"/>
    <Control Type="1" Caption="No command"/><Control Type="1" Id="107x" Caption="Trailing"/>
  </Controls></CommandBar>
</CommandBars></Settings>
)";

TEST_F(SettingsMigrator, RebuildsMenuAndToolbar)
{
    const VXtXmlMigrator migrator = Migrate(kCustomisation);
    ASSERT_TRUE(migrator.Loaded());
    EXPECT_EQ(migrator.GetMenu(), &m_menu);
    EXPECT_EQ(Describe(m_menu.GetSafeHmenu()),
              L"&File>{&Open...#100 | Save &All#101 | - | E&xit#102} | "
              L"&Change>{&Find#103 | &Advanced>{&Upper case#104}} | T&hemes>{Classic#500} | "
              L"&Window>{Cascade#600} | - | &Help#110");
    EXPECT_EQ(GetSubMenu(m_menu.GetSafeHmenu(), 2), m_themes.GetSafeHmenu());
    EXPECT_EQ(GetSubMenu(m_menu.GetSafeHmenu(), 3), m_window.GetSafeHmenu());
    // The toolbar was emptied first; the hidden button and the one without a command are left out.
    EXPECT_EQ(Describe(m_toolBar), L"100:0 101:1 - 103:'Find' 107:'Trailing'");
}

TEST_F(SettingsMigrator, CopiesShareMenusAndFreeSafely)
{
    {
        VXtXmlMigrator migrator = Migrate(kCustomisation);
        VXtXmlMigrator copy(migrator);
        VXtXmlMigrator assigned = Migrate("<CommandBars/>");
        assigned = copy;
        assigned = assigned;
        EXPECT_TRUE(copy.Loaded() && assigned.Loaded());
        EXPECT_EQ(assigned.GetMenu(), &m_menu);
    }
    // Every copy let go of its objects without destroying the sub-menus, which the main menu still holds.
    const HMENU file = GetSubMenu(m_menu.GetSafeHmenu(), 0);
    ASSERT_TRUE(IsMenu(file));
    EXPECT_EQ(GetMenuItemCount(file), 4);
}
// A hostile file: its name, its content, and what migrating it must give.
struct HostileFile
{
    const char* name;
    std::string content;
    bool loaded;
    std::wstring menu;
};

std::string MenuBar(const std::string& controls)
{
    return "<CommandBars><CommandBar Type=\"0\">" + controls + "</CommandBar></CommandBars>";
}

const char kGoodControl[] = "<Control Id=\"7\" Caption=\"Seven\"/>";

// Each file ends in time with its result, and a file that does not load leaves the menu and the toolbar
// as they were (no file here names the toolbar: it keeps the button it had).
void ExpectMigration(SettingsMigrator& host, const std::vector<HostileFile>& files)
{
    for (const HostileFile& file : files)
    {
        SCOPED_TRACE(file.name);
        while (host.m_menu.GetMenuItemCount() > 0)
            host.m_menu.DeleteMenu(0, MF_BYPOSITION);
        const VXtXmlMigrator migrator = host.Migrate(file.content);
        EXPECT_EQ(migrator.Loaded(), file.loaded);
        EXPECT_EQ(Describe(host.m_menu.GetSafeHmenu()), file.menu);
        EXPECT_EQ(Describe(host.m_toolBar), L"999:0");
    }
}

// Files that are damaged, deep, large or hostile, made at run time.
TEST_F(SettingsMigrator, SurvivesHostileFiles)
{
    std::string nested = "<CommandBars><CommandBar Type=\"0\">";
    for (int i = 0; i < 10000; ++i)
        nested += "<Control Id=\"1\" Caption=\"x\">";
    for (int i = 0; i < 10000; ++i)
        nested += "</Control>";
    nested += "</CommandBar></CommandBars>";
    const std::string good = kGoodControl;
    ExpectMigration(
        *this,
        {
            // The parser refuses nesting this deep rather than recursing into it.
            {"nesting 10,000 deep", nested, false, L""},
            // Beyond the parser's limit for one value: refused whole.
            {"an attribute of 10 MB",
             MenuBar("<Control Id=\"7\" Caption=\"" + std::string(10 << 20, 'A') + "\"/>"), false, L""},
            {"missing attributes",
             "<CommandBars><CommandBar><Control Id=\"1\" Caption=\"Lost\"/></CommandBar>"
             "<CommandBar Type=\"0\"><Control Caption=\"No id\"/><Control Type=\"2\" Caption=\"No bar\"/>"
             "<Control Type=\"2\" Caption=\"Bad bar\" CommandBarId=\"x\"/><Control Id=\"\" "
             "Caption=\"Empty\"/>"
             "<Control Id=\"99999999999\" Caption=\"Overflow\"/><Control Id=\"8\"/>" +
                 good + "</CommandBar></CommandBars>",
             true, L"#8 | Seven#7"},
            {"a duplicated attribute", MenuBar("<Control Id=\"7\" Id=\"8\" Caption=\"Twice\"/>"), false, L""},
            {"not XML at all", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR binary", 24), false, L""},
            // A document type that cannot be read is not applied; the document itself is whole.
            {"a DTD that does not exist",
             "<?xml version=\"1.0\"?><!DOCTYPE CommandBars SYSTEM \"no-such-file.dtd\">" + MenuBar(good),
             true, L"Seven#7"},
            {"a half written file", std::string(kCustomisation).substr(0, sizeof(kCustomisation) / 2), false,
             L""},
            {"commands the host does not have", MenuBar("<Control Id=\"54321\" Caption=\"Gone\"/>"), true,
             L"Gone#54321"},
            {"an empty menu", "<CommandBars><CommandBar Type=\"0\"/></CommandBars>", true, L""},
        });
    const VXtXmlMigrator missing(m_folder.Path(L"missing.xml").c_str(), &m_menu, &m_toolBar, nullptr, nullptr,
                                 m_images);
    EXPECT_FALSE(missing.Loaded());
}

} // namespace
