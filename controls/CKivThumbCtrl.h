// SPDX-License-Identifier: MIT
// The cell of a thumbnail browser: a copy of one item, an image child window,
// an optional caption label under it and a tooltip, a raised frame, the
// selection shown by inverting. Clicks go to the parent as WM_COMMAND with
// code 0 and the mouse key flags in lParam. What the image child is and how
// a cell is filled are left to MakeControl and UpdateControl.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivStatic.h"
#include "controls/KivThumbList.h"
#include "platform/widgets/CToolTipCtrl.h"

class CDC;

// Opens a file in a large viewer: owner, file type (1 slide, 2 DWG, 3 DXF),
// file, support folder.
using KivThumbViewer = int (*)(HWND owner, int fileType, const char* file, const char* supportPath);

class KIVCTRL_EXPORT CKivThumbCtrl : public CKivStatic {
public:
    static constexpr UINT kToolId = 4024;
    static constexpr UINT kLabelId = 3024;
    static constexpr UINT kImageId = 2024;
    static constexpr UINT kLargeViewCommand = 32800;
    // Mouse key flags of a click (wParam of the mouse messages).
    static constexpr UINT kShiftKey = 0x0004;
    static constexpr UINT kControlKey = 0x0008;

    explicit CKivThumbCtrl(int labelState, QWidget* parent = nullptr);
    ~CKivThumbCtrl() override;

    // Creates the window and its tooltip (one tool, empty text).
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;
    using CKivStatic::Create;
    // Destroys the image child and the label, then hides the cell; the
    // owner deletes the object.
    virtual void DestroyWindow();

    void SetFile(const char* file, const char* label, const char* data);
    // Copies the item; null empties the copy.
    void SetData(const KivThumbItem* item);
    // Placement of the image child; -1 in any value makes it automatic.
    void SetImageSize(int x, int y, int width, int height);
    void SetInvert(int invert, int redraw) override;
    // Sets the caption by mode (0 text or the file, 1 unchanged, 2 data,
    // 3 or negative the path, 4 the title, 5 the name) and shows it in the
    // label and tooltip; mode 1 adds " : label" when the item has one.
    virtual void SetLabel(int mode, const char* text);
    virtual void MakeControl() = 0;
    // Fills the cell from its item; 0 when it has none (the cell hides).
    virtual int UpdateControl(int labelMode) = 0;

    const char* GetFile() const { return m_item.file; }
    const char* GetDesc() const { return m_item.label; }
    const char* GetLabel() const { return m_strCaption.c_str(); }
    // The label's whole text (the label shows it shortened when narrow).
    const char* GetShownLabel() const { return m_strShown.c_str(); }
    const KivThumbItem& GetItem() const { return m_item; }
    BOOL IsBound(CPoint point) const;
    CKivStatic* GetImageCtrl() const { return m_pImageCtrl; }
    CKivStatic* GetLabelCtrl() const { return m_pLabelCtrl; }
    CString GetToolTipText() const { return m_toolTip.GetText(const_cast<CKivThumbCtrl*>(this), kToolId); }

    void SetMargin(int margin) { m_nMargin = margin; }
    void SetLabelHeight(int height) { m_nLabelHeight = height; }
    void SetLabelState(int state) { m_nLabelState = state; }
    void SetLargeView(int largeView) { m_bLargeView = largeView; }
    void SetFocus(int focus) { m_bFocus = focus; }
    void SetContextMenu(int contextMenu) { m_bContextMenu = contextMenu; }
    void SetViewer(KivThumbViewer viewer) { m_pViewer = viewer; }

    // Where a cell of cx × cy puts its image child and its label.
    static void CalcLayout(int cx, int cy, int margin, int labelHeight, int labelState, const int imageRect[4],
        CRect* image, CRect* label);
    // One bevel (mode 1 raised: white top and left, dark grey bottom and
    // right; sunken otherwise), or depth of them, each one pixel inside.
    static void ShadeBox(CDC* dc, CRect rect, int mode);
    static void ShadeBox(CDC* dc, CRect rect, int mode, int depth);

protected:
    // The shared half of UpdateControl: hides a cell without an item and
    // shows one with it, inverted when selected; false when there is none.
    bool ShowForItem();
    void MakeLabel();
    void DeleteThumb();
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The context menu at screen point (from the keyboard: beside the
    // cell's corner); the default has none.
    virtual void OnContextMenu(CPoint screen);
    void showLabelText();

    CKivStatic* m_pImageCtrl = nullptr;
    CKivStatic* m_pLabelCtrl = nullptr;
    CToolTipCtrl m_toolTip;
    int m_imageRect[4] = {0, 0, 0, 0};
    CString m_strCaption;
    CString m_strShown; // the label's whole text
    KivThumbItem m_item;
    int m_nMargin = 3;
    int m_nLabelHeight = 20;
    int m_nLabelState = 1;
    int m_bLargeView = 0;
    int m_bFocus = 0;
    int m_bBevel = 1;
    int m_bContextMenu = 1;
    KivThumbViewer m_pViewer = nullptr;
};
