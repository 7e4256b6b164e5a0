// SPDX-License-Identifier: MIT
// One window with every small control wired together, so a person can try
// them: a numeric edit with its spin button and scroll bar, a combo of the
// slides in a folder driving a slide view, a list, a colour label with its
// picker driving a swatch, and a hyperlink.
#pragma once

#include "controls/CKivColorCtrl.h"
#include "controls/CKivComboBox.h"
#include "controls/CKivHyperCtrl.h"
#include "controls/CKivScrollEditCtrl.h"
#include "controls/CKivSpinEditCtrl.h"
#include "views/CKivSlideViewCtrl.h"

class ControlGallery : public CWnd {
public:
    enum Id : UINT {
        IdEdit = 100,
        IdSpin,
        IdScroll,
        IdCombo,
        IdList,
        IdSwatch,
        IdColorLabel,
        IdLink,
        IdView,
        IdCaption
    };

    // slideFolder: where the combo looks for *.sld.
    explicit ControlGallery(const CString& slideFolder, QWidget* parent = nullptr);

    CKivEdit& edit() { return m_edit; }
    CKivSpinEditCtrl& spin() { return m_spin; }
    CKivScrollEditCtrl& scroll() { return m_scroll; }
    CKivComboBox& combo() { return m_combo; }
    CKivListBox& list() { return m_list; }
    CKivColorCtrl& swatch() { return m_swatch; }
    CKivColorLabelCtrl& colorLabel() { return m_colorLabel; }
    CKivHyperCtrl& link() { return m_link; }
    CKivSlideViewCtrl& view() { return m_view; }

private:
    void showSlide();
    void label(const char* text, int x, int y);

    CString m_folder;
    CKivEdit m_edit;
    CKivSpinEditCtrl m_spin;
    CKivScrollEditCtrl m_scroll;
    CKivComboBox m_combo;
    CKivListBox m_list;
    CKivColorCtrl m_swatch;
    CKivColorLabelCtrl m_colorLabel;
    CKivHyperCtrl m_link;
    CKivSlideViewCtrl m_view;
};
