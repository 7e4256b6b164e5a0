// SPDX-License-Identifier: MIT
// An up-down control that steps a linked CKivEdit: up adds a step.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivEdit.h"
#include "platform/widgets/CSpinButtonCtrl.h"

class KIVCTRL_EXPORT CKivSpinEditCtrl : public CSpinButtonCtrl {
public:
    explicit CKivSpinEditCtrl(QWidget* parent = nullptr);
    void SetLink(CKivEdit* edit) { m_pEdit = edit; }
    CKivEdit* GetLink() const { return m_pEdit; }

protected:
    LRESULT OnDeltaPos(NMUPDOWN* notification) override;

private:
    CKivEdit* m_pEdit = nullptr;
};
