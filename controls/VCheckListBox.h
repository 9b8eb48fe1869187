// VCheckListBox: an owner-drawn list for dialogs whose rows show a text and a check box in each of several
// columns. By default the boxes of a row behave like radio buttons; the list can also be read-only. It takes
// the place and size of a placeholder control of the dialog, sizes its rows from the dialog's font, scrolls
// by rows and reports each click that toggles a box through a plain callback.
//
//     BOOL CRightsDialog::OnInitDialog()
//     {
//         CDialog::OnInitDialog();
//         m_rights.Create(WS_VISIBLE | WS_TABSTOP, this, IDC_RIGHTS, &OnRightsChanged);
//         CRect heading;
//         GetDlgItem(IDC_READ_HEADING)->GetWindowRect(&heading);
//         m_rights.AddCheckColumn(heading.left); // screen coordinates, as GetWindowRect gives them
//         m_rights.AddItem(L"Everyone");
//         m_rights.SetCheckState(0, 0, 1);
//         return TRUE;
//     }
#pragma once

#include <afxwin.h>

#include "core/PardalinApi.h"
#include "core/VArray.h"

class PARDALIN_API VCheckListBox : public CWnd
{
public:
    // One row: its text and one state per column (0 unchecked, any other value checked).
    struct Item
    {
        CString m_strText;
        VArray<int> m_states;
    };

    // Construction
    // No window yet: Create makes it.
    VCheckListBox();
    ~VCheckListBox() override;

    // Attributes
    // States out of range throw the OutOfRange of the array concerned (rows or columns); nothing changes.
    int GetCheckState(int item, int column) const;
    // A box's side in pixels: the row height less 2.
    int GetCheckWidth() const;
    int GetCount() const;
    int GetCheckColumnCount() const;
    // Neither redraws: set them before the list is shown.
    void SetReadOnly(bool bReadOnly);
    // Radio style (the default): checking a box of a row clears the row's other boxes.
    void SetRadioStyle(bool bRadio);

    // Operations
    // A column whose boxes start at screen x coordinate x. Rows that exist already get an unchecked box in
    // it.
    void AddCheckColumn(int x);
    // Appends a row with every box unchecked and returns its index; the scroll bar appears once the rows
    // outnumber what the list shows.
    int AddItem(wchar_t const* text);
    // Stores the state (in radio style a checked state clears the row's other boxes) and repaints the row
    // when it is in view.
    void SetCheckState(int item, int column, int state);

    // Overridables
    // Replaces the parent's control nID (its place and size) with the list. pfnChanged, when given, is
    // called after each toggle made with the mouse. FALSE when there is no such control or the window
    // cannot be made.
    virtual BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT nID, void (*pfnChanged)());

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
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
