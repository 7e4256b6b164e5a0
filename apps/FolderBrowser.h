// SPDX-License-Identifier: MIT
// The studio's "Browse folder" window: a thumbnail grid of the slides, the
// members of the slide libraries and the drawings of one folder, with the
// browser's keys, wheel and selection, a sort order, a status line, and the
// large viewer on a double click.
#pragma once

#include "views/CKivSlideThumbListCtrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

class FolderBrowser : public CWnd {
public:
    static constexpr UINT IdBrowser = 1006;
    static constexpr int kCellWidth = 170;
    static constexpr int kCellHeight = 140;

    explicit FolderBrowser(QWidget* parent = nullptr);

    // Shows the folder's drawings from the first; gives how many there are.
    int Open(const CString& folder);
    CKivSlideThumbListCtrl& browser() { return m_browser; }
    QComboBox& sortKey() { return m_sortKey; }
    QCheckBox& descending() { return m_descending; }
    QString status() const { return m_status.text(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void resort();
    void showStatus();

    CString m_folder;
    QComboBox m_sortKey {this};
    QCheckBox m_descending {"Descending", this};
    QLabel m_status {this};
    CKivSlideThumbListCtrl m_browser {1, this};
};
