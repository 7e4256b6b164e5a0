// SPDX-License-Identifier: MIT
// A colour swatch: the client area filled with a colour and outlined.
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivStatic.h"

class KIVCTRL_EXPORT CKivColorCtrl : public CKivStatic {
public:
    explicit CKivColorCtrl(QWidget* parent = nullptr);
    void SetColor(COLORREF colour);
    void SetBackColor(COLORREF colour);
    void SetLineColor(COLORREF colour);
    // The RGB of an AutoCAD Color Index number.
    void SetAciColor(int aci);
    COLORREF GetColor() const { return m_crColor; }

protected:
    void OnPaint() override;

private:
    void repaintNow();
    COLORREF m_crColor = 0;
    COLORREF m_crBack = 0;
    COLORREF m_crLine = 0;
};

// A swatch and the name of an AutoCAD colour side by side; a double click
// asks the host's picker for another colour and tells the parent.
class KIVCTRL_EXPORT CKivColorLabelCtrl : public CKivStatic {
public:
    static constexpr UINT kSwatchId = 20000;
    static constexpr UINT kLabelId = 30000;
    // picker(window, &colour, mode, language) gives 1 when a colour was picked.
    using ColorPicker = int (*)(HWND window, int* colour, int mode, int language);

    explicit CKivColorLabelCtrl(QWidget* parent = nullptr);
    BOOL Create(DWORD style, const CRect& rect, QWidget* parent, UINT id) override;
    using CStatic::Create;

    // Clamped to 0–256.
    void SetColor(int aci);
    void SetColor(const char* name, int language);
    int GetColor() const { return m_nColor; }
    CString GetColor(int language) const;
    void SetLanguage(int language);
    void SetPickerMode(int mode) { m_nPickerMode = mode; }
    void SetColorPicker(ColorPicker picker) { m_pfnPicker = picker; }
    CKivColorCtrl* GetSwatch() const { return m_pSwatch; }
    CKivStatic* GetLabel() const { return m_pLabel; }

protected:
    void MakeControl();
    void OnLButtonDblClk(UINT flags, CPoint point) override;

private:
    CKivColorCtrl* m_pSwatch = nullptr; // children: Qt deletes them with this
    CKivStatic* m_pLabel = nullptr;
    int m_nPickerMode = 1;
    int m_nLanguage = 0;
    int m_nColor = 0;
    ColorPicker m_pfnPicker = nullptr;
};
