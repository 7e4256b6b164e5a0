// SPDX-License-Identifier: MIT
// The header of a report list: one item per column with its text, width and
// format (alignment, and an image of the header's image list when HDF_IMAGE
// is set). It is a view of the list's Qt header, not a window of its own.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

class CImageList;
class QTreeWidget;

namespace vandrel::win32 {
constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_IMAGE = 0x0800;
constexpr int HDF_BITMAP_ON_RIGHT = 0x1000;
constexpr int HDF_STRING = 0x4000;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_IMAGE = 0x0020;
} // namespace vandrel::win32

struct HDITEM {
    UINT mask;
    int cxy;
    CString text;
    int fmt;
    int iImage;
};

class KIVGUI_EXPORT CHeaderCtrl {
public:
    explicit CHeaderCtrl(QTreeWidget* list = nullptr) : m_list(list) { }

    int GetItemCount() const;
    // The fields named in item->mask; FALSE for an index out of range.
    BOOL GetItem(int index, HDITEM* item) const;
    BOOL SetItem(int index, const HDITEM* item);
    // The list stays the caller's; gives the one set before.
    CImageList* SetImageList(CImageList* images);
    CImageList* GetImageList() const { return m_images; }
    // The image a heading shows, -1 for none.
    int GetItemImage(int index) const;

private:
    void show(int index) const;

    QTreeWidget* m_list;
    CImageList* m_images = nullptr;
};
