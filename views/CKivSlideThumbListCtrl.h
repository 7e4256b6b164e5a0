// SPDX-License-Identifier: MIT
// The browser of slides, slide-library members and drawings: a thumbnail
// list whose cells are CKivThumbFileCtrl with labels, each handed the
// viewer callback and the support folder. A page's slides come from one
// shelf, so a slide library is read once per page however many of its
// members the page shows.
#pragma once

#include "core/KivCtrl_export.h"

#include "cad/KivSlideShelf.h"
#include "controls/CKivThumbListCtrl.h"

class CKivThumbFileCtrl;

class KIVCTRL_EXPORT CKivSlideThumbListCtrl : public CKivThumbListCtrl {
public:
    // fixedSize 1: cells of imageWidth × imageHeight fill the window,
    // however large; 0: the grid MakeThumb is given stretches over it.
    explicit CKivSlideThumbListCtrl(int fixedSize = 0, QWidget* parent = nullptr);
    ~CKivSlideThumbListCtrl() override;

    void SetSupportPath(const char* path) { m_strSupportPath = path ? path : ""; }
    const char* GetSupportPath() const { return m_strSupportPath.c_str(); }
    // Colours of every cell's view from the next MakeThumb on.
    void SetViewColors(COLORREF back, COLORREF imageBack)
    {
        m_crBack = back;
        m_crImageBack = imageBack;
    }

    // Adds what a path holds that the cells draw: a slide or a drawing
    // itself, every member of a slide library (as library(slide)), and
    // these, in name order, for the files of a folder; each item's data
    // is the name a caption in label style 2 shows. Gives how many were
    // added; unreadable files and libraries add nothing.
    int AddDrawings(const char* path);

    int MakeThumb(int cols, int rows) override;
    void ViewThumb(int first) override;

    CKivThumbFileCtrl* GetCell(int index) const;
    const KivSlideShelf& GetShelf() const { return m_shelf; }

private:
    int addFolder(const char* path);

    CString m_strSupportPath;
    KivSlideShelf m_shelf;
    COLORREF m_crBack = 0;
    COLORREF m_crImageBack = 0;
};
