// SPDX-License-Identifier: MIT
// The full palette of the colour dialog: ACI colours 10 to 249 in two blocks
// of 5 rows × 24 columns, laid over the "Full Color Palette" group and of
// its size. Block 1, row r starts with colour 18 − 2r, block 2 with
// 11 + 2r; each cell to the right adds 10. A left click in a cell calls the
// picker with its colour.
#pragma once

#include "dialogs/KivDlg_export.h"
#include "platform/widgets/CWnd.h"

#include <functional>

class KIVDLG_EXPORT CKivAciPaletteCtrl : public CWnd {
public:
    static constexpr int kRows = 5;
    static constexpr int kColumns = 24;

    explicit CKivAciPaletteCtrl(QWidget* parent = nullptr);
    ~CKivAciPaletteCtrl() override;

    void SetPicker(std::function<void(int)> picker) { m_picker = std::move(picker); }
    // The colour of a cell: block 0 or 1, row 0–4, column 0–23.
    static int ColourAt(int block, int row, int column);
    // The cell's rectangle in a group of width × height, in the group's
    // coordinates.
    static CRect CellRect(int width, int height, int block, int row, int column);
    // The colour under point, −1 when there is no cell.
    int HitTest(CPoint point) const;

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    std::function<void(int)> m_picker;
};
