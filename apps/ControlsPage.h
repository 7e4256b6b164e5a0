// SPDX-License-Identifier: MIT
// The report list and the directory tree as a person uses them: a list of a
// few hundred drawings with number, date and text columns sorted by a click
// on a heading, and below it the folders of this machine beside the files of
// the folder picked, with a split bar between the two.
#pragma once

#include "controls/CKivDirTreeCtrl.h"
#include "controls/CKivListCtrl.h"
#include "controls/CKivSplitCtrl.h"

#include <vector>

class ControlsPage : public CWnd {
public:
    // A report list that sorts itself by the kind of the column clicked.
    class SortingList : public CKivListCtrl {
    public:
        void SetKinds(std::vector<unsigned short> kinds) { m_kinds = std::move(kinds); }

    protected:
        BOOL OnColumnClick(NMLISTVIEW* notification) override;

    private:
        std::vector<unsigned short> m_kinds;
    };

    enum Id : UINT { IdReport = 200, IdTree, IdSplit, IdFiles };
    // The most files listed for one folder: a folder of 100,000 stays quick.
    static constexpr int kMaxFiles = 5000;

    // startFolder: opened in the tree at first (the home folder when empty).
    explicit ControlsPage(const CString& startFolder = {}, QWidget* parent = nullptr);

    SortingList& report() { return m_report; }
    CKivDirTreeCtrl& tree() { return m_tree; }
    SortingList& files() { return m_files; }
    CKivSplitCtrl& split() { return m_split; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    void fillReport();
    void showFiles(const CString& folder);
    static void stretchLastColumn(CKivListCtrl& list);

    SortingList m_report;
    CKivDirTreeCtrl m_tree;
    CKivSplitCtrl m_split;
    SortingList m_files;
};
