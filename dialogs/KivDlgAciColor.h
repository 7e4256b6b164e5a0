// SPDX-License-Identifier: MIT
// "Select Color": an AutoCAD Color Index colour picked from the standard
// colours 1–9, the gray shades 250–255, BYLAYER and BYBLOCK (when allowed)
// and the full palette 10–249, or typed as a name or number; in English or
// Korean.
#pragma once

#include "controls/CKivColorCtrl.h"
#include "controls/CKivDialog.h"
#include "dialogs/CKivAciPaletteCtrl.h"
#include "dialogs/KivDlg_export.h"
#include "platform/widgets/CEdit.h"

class KIVDLG_EXPORT CKivAciColorDlg : public CKivDialog {
public:
    // language 0: Korean captions and names; any other value: English.
    CKivAciColorDlg(QWidget* parent, int colour, int allowLogical, int language);
    ~CKivAciColorDlg() override;

    BOOL OnInitDialog() override;
    // Takes the edit's colour; a colour that is no ACI number (below 0,
    // above 256) or a logical one that is not allowed is refused with a
    // message and the dialog stays open.
    void OnOK() override;

    // Shows c in the current swatch and its name in the edit.
    void SelectColor(int c);
    int GetColor() const { return m_nColor; }
    CEdit* GetEdit() { return &m_edit; }
    CKivColorCtrl* GetCurrentSwatch() { return &m_current; }
    // Standard swatch k (1–9) or gray swatch j (1–6).
    CKivColorCtrl* GetStandardSwatch(int k) { return k >= 1 && k <= 9 ? &m_standard[k - 1] : nullptr; }
    CKivColorCtrl* GetGraySwatch(int j) { return j >= 1 && j <= 6 ? &m_gray[j - 1] : nullptr; }
    CKivAciPaletteCtrl* GetPalette() { return &m_palette; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_nColor;
    int m_bAllowLogical;
    int m_nEnglish; // 1 English, 0 Korean: KivAciColor's flag
    CKivColorCtrl m_standard[9];
    CKivColorCtrl m_gray[6];
    CKivColorCtrl m_current;
    CEdit m_edit;
    CKivAciPaletteCtrl m_palette;
};

// Opens with *color; on OK *color = the colour chosen and the result is 1,
// else 0 and *color stays. BYLAYER (256) and BYBLOCK (0) can be chosen only
// when allowLogical is 1. 0 at once for a null color.
KIVDLG_EXPORT int KivDlgAciColor(HWND owner, int* color, int allowLogical, int language);
