// SPDX-License-Identifier: MIT
// A scroll bar that drives a linked CKivEdit: lines add a step, pages
// `page` steps, the thumb sets the value; the bar follows the edit.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivEdit.h"
#include "platform/widgets/CScrollBar.h"

class KIVCTRL_EXPORT CKivScrollEditCtrl : public CScrollBar {
public:
    explicit CKivScrollEditCtrl(QWidget* parent = nullptr);
    void SetLink(CKivEdit* edit, int page);
    void SetPage(int page) { m_nPage = page; }
    void DoScroll(UINT code, UINT pos);
    // Moves the bar to the edit's value when the two differ.
    void DoChange();

protected:
    void OnScroll(UINT code, UINT pos) override;

private:
    CKivEdit* m_pEdit = nullptr;
    int m_nPage = 10;
};
