// SPDX-License-Identifier: MIT
#include "dialogs/CKivAciPaletteCtrl.h"

#include "core/KivAciColor.h"

#include <QPainter>

CKivAciPaletteCtrl::CKivAciPaletteCtrl(QWidget* parent) : CWnd(parent)
{
    // Only the cells are painted: the group's frame and title show through.
    setAutoFillBackground(false);
}

CKivAciPaletteCtrl::~CKivAciPaletteCtrl() = default;

int CKivAciPaletteCtrl::ColourAt(int block, int row, int column)
{
    return (block == 0 ? 18 - 2 * row : 11 + 2 * row) + 10 * column;
}

// half = (group height − 35) / 2; the blocks start 20 and half + 25 pixels
// below the group's top, 10 pixels in from its sides, with 1 pixel between
// cells.
CRect CKivAciPaletteCtrl::CellRect(int width, int height, int block, int row, int column)
{
    const int half = (height - 35) / 2;
    const int left = 10, right = width - 10;
    const int top = block == 0 ? 20 : half + 25;
    const int cellWidth = (right - left - (kColumns - 1)) / kColumns;
    const int cellHeight = (half - (kRows - 1)) / kRows;
    const int x = left + column * (cellWidth + 1);
    const int y = top + row * (cellHeight + 1);
    return CRect(x, y, x + cellWidth, y + cellHeight);
}

int CKivAciPaletteCtrl::HitTest(CPoint point) const
{
    for (int block = 0; block < 2; ++block)
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column)
                if (const CRect r = CellRect(width(), height(), block, row, column);
                    point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
                    return ColourAt(block, row, column);
    return -1;
}

void CKivAciPaletteCtrl::OnPaint()
{
    QPainter painter(this);
    for (int block = 0; block < 2; ++block)
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column) {
                const CRect r = CellRect(width(), height(), block, row, column);
                const unsigned long rgb = KivAciColor::GetRGB(ColourAt(block, row, column));
                painter.fillRect(QRect(r.left, r.top, r.Width(), r.Height()),
                    QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
            }
}

void CKivAciPaletteCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    const int colour = HitTest(point);
    if (colour >= 0 && m_picker)
        m_picker(colour);
    else
        CWnd::OnLButtonDown(flags, point);
}
