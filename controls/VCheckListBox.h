/// \class VCheckListBox
/// An owner-drawn list for dialogs whose rows show a text and a check box in each of several columns. By
/// default the boxes of a row behave like radio buttons; the list can also be read-only. It takes the place
/// and size of a placeholder control of the dialog, sizes its rows from the dialog's font, scrolls by rows
/// and reports each click that toggles a box through a plain callback.
///
/// \code{.cpp}
/// BOOL CRightsDialog::OnInitDialog()
/// {
///     CDialog::OnInitDialog();
///     m_rights.Create(WS_VISIBLE | WS_TABSTOP, this, IDC_RIGHTS, &OnRightsChanged);
///     CRect heading;
///     GetDlgItem(IDC_READ_HEADING)->GetWindowRect(&heading);
///     m_rights.AddCheckColumn(heading.left); // screen coordinates, as GetWindowRect gives them
///     m_rights.AddItem(L"Everyone");
///     m_rights.SetCheckState(0, 0, 1);
///     return TRUE;
/// }
/// \endcode
#pragma once

#include <afxwin.h>

#include "core/PardalinApi.h"
#include "core/VArray.h"

class PARDALIN_API VCheckListBox : public CWnd
{
public:
    /// One row: its text and one state per column (0 unchecked, any other value checked).
    struct Item
    {
        CString m_strText;    ///< The text drawn at the row's left.
        VArray<int> m_states; ///< One state per check column, in the order the columns were added.
    };

    // Construction
    /// No window yet: Create makes it. Radio style, not read-only, no rows or columns.
    VCheckListBox();
    ~VCheckListBox() override;

    // Attributes
    /// The state of a box (0 unchecked, anything else checked). Indexes out of range throw the OutOfRange of
    /// the array concerned (rows or columns); nothing changes.
    int GetCheckState(int item, int column) const;
    /// A box's side in pixels: the row height less 2.
    int GetCheckWidth() const;
    /// The number of rows.
    int GetCount() const;
    /// The number of check columns.
    int GetCheckColumnCount() const;
    /// Read-only: clicks change nothing, and the list is drawn in the button-face colour with inactive boxes.
    /// Neither this nor SetRadioStyle redraws: set them before the list is shown.
    void SetReadOnly(bool bReadOnly);
    /// Radio style (the default): checking a box of a row clears the row's other boxes.
    void SetRadioStyle(bool bRadio);

    // Operations
    /// Adds a column whose boxes start at screen x coordinate x; the window must exist. Rows that exist
    /// already get an unchecked box in it.
    void AddCheckColumn(int x);
    /// Appends a row with every box unchecked and returns its index; the scroll bar appears once the rows
    /// outnumber what the list shows.
    int AddItem(wchar_t const* text);
    /// Stores the state (in radio style a checked state clears the row's other boxes) and repaints the row
    /// when it is in view. Indexes out of range throw as for GetCheckState. The callback is not called.
    void SetCheckState(int item, int column, int state);

    // Overridables
    /// Replaces the parent's control nID (its place and size; the placeholder is destroyed) with the list,
    /// which takes the same id. WS_CHILD, WS_CLIPSIBLINGS and WS_VSCROLL are added to dwStyle. pfnChanged,
    /// when given, is called after each toggle made with the mouse. FALSE when there is no such control or
    /// the window cannot be made.
    virtual BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT nID, void (*pfnChanged)());

protected:
    /// Fills with the window colour, or the button-face colour when read-only.
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    /// Draws the rows in view, each with its text and its boxes, in the parent's font.
    afx_msg void OnPaint();
    /// Sets the row height from the parent's font (16 pixels at least) and shortens the window to a whole
    /// number of rows.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    /// Toggles the box under the point, unless read-only, and then calls the callback.
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    /// Scrolls by a row, by a page (the rows in view less one) or to the thumb's row.
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

private:
    // The row under a point of the client area, or -1.
    int HitTestItem(CPoint const& point);
    // The first column whose box in row item holds the point, or -1.
    int HitTestColumn(int item, CPoint const& point);
    // The client rectangle of row item, full width.
    CRect RowRect(int item) const;
    HFONT ParentFont() const;

    void (*m_pfnChanged)();
    VArray<Item> m_items;
    VArray<int> m_columns; // left edge of each column's boxes, in client coordinates
    int m_nRowHeight;
    int m_nVisibleRows;
    int m_nTopIndex;
    bool m_bReadOnly;
    bool m_bRadioStyle;
};
