// SPDX-License-Identifier: MIT
// The image browser's grid: a thumbnail list whose cells are
// CKivLeadThumbCtrl, drawing from the list's own thumbnail cache once a
// cache folder is set, and the image files of a folder as its items.
#pragma once

#include "controls/CKivThumbListCtrl.h"
#include "imaging/KivLead_export.h"
#include "imaging/thumbcache/KivLeadThumbMgr.h"

class CKivLeadThumbCtrl;

class KIVLEAD_EXPORT CKivLeadThumbListCtrl : public CKivThumbListCtrl {
public:
    // The file types the browser lists, as a file dialog filter.
    static const char* const kImageFilter;
    static constexpr int kImageWidth = 120; // pixels of a cell's image
    static constexpr int kImageHeight = 90;

    explicit CKivLeadThumbListCtrl(QWidget* parent = nullptr);
    ~CKivLeadThumbListCtrl() override;

    int SetThumbPath(const char* folder) { return m_thumbMgr.SetThumbPath(folder); }
    KivLeadThumbMgr& GetThumbMgr() { return m_thumbMgr; }

    int MakeThumb(int cols, int rows) override;
    void ViewThumb(int first) override;
    CKivLeadThumbCtrl* GetCell(int index) const;

    // The files of folder whose extensions are in the filter, in name order.
    static void GetImageList(const char* folder, CStringArray* out);
    // Adds every file GetImageList gives as an item; how many.
    int AddDirectory(const char* folder);

private:
    KivLeadThumbMgr m_thumbMgr;
};
