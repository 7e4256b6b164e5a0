// SPDX-License-Identifier: MIT
// What the four image edit dialogs share: their template's edit boxes and
// sliders made real, and the preview: an edit control in frame 1065 holding
// a copy of the caller's image, which the dialog adjusts and never the
// caller's. Edit/slider pairs keep each other in step: the edit box shows
// the slider's position divided by the pair's scale, and a typed value sets
// the position to value × scale, truncated.
#pragma once

#include "controls/CKivDialog.h"
#include "imaging/editor/CKivLeadEditCtrl.h"

#include <vector>

class CEdit;
class CSliderCtrl;
class CButton;

class KIVLEAD_EXPORT CKivDlgEditBase : public CKivDialog {
public:
    CKivDlgEditBase(UINT templateId, CLeadBitmap* image, QWidget* parent);
    ~CKivDlgEditBase() override;

    BOOL OnInitDialog() override;
    CKivLeadEditCtrl* GetPreview() const { return m_preview; }
    CEdit* GetEdit(UINT id) const;
    CSliderCtrl* GetSlider(UINT id) const;
    CButton* GetButton(UINT id) const;

protected:
    // Makes an edit/slider pair of the template; decimals for the edit box.
    void AddPair(UINT editId, UINT sliderId, int minimum, int maximum, int tick, int scale, int decimals, int start);
    // The value typed in pair i × its scale, truncated.
    int PairValue(int i) const;
    int PairPosition(int i) const;
    // Every change of a pair comes here once both are in step.
    virtual void OnPairChanged() { }
    void RedrawPreview();

private:
    struct Pair {
        CEdit* edit;
        CSliderCtrl* slider;
        int scale;
        int decimals;
        int minimum;
    };
    CWnd* place(UINT id, CWnd* control, DWORD style);

    CLeadBitmap* m_image;
    CKivLeadEditCtrl* m_preview = nullptr;
    std::vector<Pair> m_pairs;
};
