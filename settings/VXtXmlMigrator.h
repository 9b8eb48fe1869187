/// \class VXtXmlMigrator
/// Carries a user's menu and toolbar customisation over from the XML file that earlier releases wrote
/// (VSettingsStore::GetXmlFilePath). The constructor reads the file once, through the
/// platform's XML DOM (COM must be initialised on the calling thread), and rebuilds from it:
/// - the main menu (the command bar of Type 0) into the host's empty menu, its popups as new sub-menus
///   filled by the command bars whose BarID names them, except that popups captioned Themes and Window
///   attach the host's own menus (which then belong to the main menu: the host detaches its objects);
/// - the buttons of the host's toolbar (the command bar of Class CXTPToolBar): the bar is emptied, then each
///   visible control with a command id becomes a user button, with its image from imageMap or, without one,
///   its caption as text.
///
/// A file that cannot be read or parsed leaves the menu and the toolbar untouched and Loaded() false.
///
/// \code{.cpp}
/// CMenu menu;
/// menu.CreateMenu();
/// VMap<unsigned int, int> images;
/// images[ID_FILE_OPEN] = 0;
/// VXtXmlMigrator migrator(VSettingsStore::GetXmlFilePath(), &menu, &toolBar, &themes, &window, images);
/// if (migrator.Loaded())
///     menuBar.CreateFromMenu(migrator.GetMenu()->GetSafeHmenu());
/// \endcode
#pragma once

#include <afxtoolbar.h>

#include "core/PardalinApi.h"
#include "core/VMap.h"
#include "core/VUnicodeString.h"

struct IXMLDOMNamedNodeMap;
struct IXMLDOMNode;

class PARDALIN_API VXtXmlMigrator
{
public:
    // Construction

    /// Reads `xmlPath` and rebuilds `menu` (an empty menu the caller made) and the buttons of `toolBar`
    /// (null: the toolbar is left alone) from it; `themesMenu` and `windowMenu` are the host's menus that
    /// the popups captioned Themes and Window attach. `imageMap` maps a command id to the image index its
    /// toolbar button gets. Failures after the file is parsed are traced and end the processing early.
    /// Throws _com_error (E_OUTOFMEMORY) when the path cannot be handed to the parser.
    VXtXmlMigrator(VUnicodeString xmlPath, CMenu* menu, CMFCToolBar* toolBar, CMenu* themesMenu,
                   CMenu* windowMenu, VMap<unsigned int, int> imageMap);
    /// Copies refer to the same menus and toolbar; each holds its own objects for the sub-menus it made,
    /// and neither destroys a menu.
    VXtXmlMigrator(const VXtXmlMigrator& other);
    /// Lets go of this object's sub-menu objects, then refers to the other's menus and toolbar as the copy
    /// constructor does.
    VXtXmlMigrator& operator=(const VXtXmlMigrator& other);
    /// Lets go of the sub-menus' objects; the menus themselves stay with the menu they were appended to.
    ~VXtXmlMigrator();

    // Attributes

    /// The file was loaded and parsed, and its command bars processed as far as they could be.
    bool Loaded() const;
    /// The menu given to the constructor, whether or not anything was added to it.
    CMenu* GetMenu() const;

private:
    void ProcessCommandBar(IXMLDOMNamedNodeMap* attributes);
    void ProcessNodeControls(IXMLDOMNode* element);
    void ProcessControl(IXMLDOMNamedNodeMap* attributes);
    // The attribute's text; false (and value unchanged) when the element has no such attribute.
    bool GetAttributeValue(IXMLDOMNamedNodeMap* attributes, const wchar_t* name, VUnicodeString& value);
    // Traces a failed result with its text; whether hr succeeded.
    bool CheckResult(HRESULT hr, const wchar_t* text);
    void CopyFrom(const VXtXmlMigrator& other);
    void ReleasePopupMenus();

    bool m_bLoaded;
    bool m_bToolBar;
    VMap<VUnicodeString, CMenu*> m_popupMenus;
    CMenu* m_pMenu;
    CMenu* m_pCurrentMenu;
    CMFCToolBar* m_pToolBar;
    CMenu* m_pThemesMenu;
    CMenu* m_pWindowMenu;
    VMap<unsigned int, int> m_imageMap;
};
