/// \file
/// VStaticURL, a static text that works as a hyperlink, and the two helpers it is built on:
/// OpenURLWithoutConfig opens a URL with the shell; CopyTextToClipboard puts a text on the clipboard through
/// OLE, which the host initialises on its thread (AfxOleInit).
///
/// \code{.cpp}
/// OpenURLWithoutConfig(L"https://example.org/help");
/// if (!CopyTextToClipboard(address))
///     MessageBeep(MB_ICONEXCLAMATION);
/// \endcode

/// \class VStaticURL
/// A static text that works as a hyperlink. Its text is blue on a transparent background, the mouse shows a
/// cursor from the resources over it, a click opens the URL with the shell, and its context menu offers
/// "&Open" and "Copy Shor&tcut" (the URL as Unicode text on the clipboard). The visible text is the
/// template's own; the URL is given separately.
///
/// \code{.cpp}
/// VStaticURL m_link(L"https://example.org/help", IDC_HAND_CURSOR);
/// DDX_Control(pDX, IDC_HELP_LINK, m_link); // or m_link.SubclassDlgItem(IDC_HELP_LINK, this)
/// \endcode
#pragma once

#include <afxwin.h>

#include "core/PardalinApi.h"

class PARDALIN_API VStaticURL : public CStatic
{
public:
    // Construction
    /// A link to url (copied). The cursor is loaded, from the resource chain, when a window is subclassed.
    VStaticURL(wchar_t const* url, int cursorID);
    /// The URL is the string resource urlStringID, looked up through the resource chain; empty when there is
    /// no such string.
    VStaticURL(UINT urlStringID, int cursorID);
    /// The cursor is a shared resource and is not destroyed.
    ~VStaticURL() override;

protected:
    // Overridables
    /// Makes the static report clicks (SS_NOTIFY) and loads the cursor.
    void PreSubclassWindow() override;

    /// Blue text, transparent background (a null brush).
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    /// The link's cursor over the client area, when it could be loaded; elsewhere the static's own handling.
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    /// Opens the URL (a click, or "&Open" in the context menu); beeps when the shell cannot.
    afx_msg void OnClicked();
    /// Shows the context menu at the mouse cursor: "&Open" (the default) and "Copy Shor&tcut".
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    /// "Copy Shor&tcut": puts the URL on the clipboard (see CopyTextToClipboard).
    afx_msg void OnURLContextCopy();
    DECLARE_MESSAGE_MAP()

private:
    HCURSOR m_hCursor;
    CString m_strURL;
    int m_nCursorID;
};

/// Opens url with the shell ("open", shown normally); beeps (MB_ICONEXCLAMATION) when the shell cannot.
PARDALIN_API void OpenURLWithoutConfig(wchar_t const* url);

/// Puts text on the clipboard as CF_UNICODETEXT, replacing what it held. False for a null text, when memory
/// cannot be had, or when the clipboard cannot be taken (OLE not initialised on the thread, or another
/// program holds it open); the clipboard is then left as it was.
PARDALIN_API bool CopyTextToClipboard(wchar_t const* text);
