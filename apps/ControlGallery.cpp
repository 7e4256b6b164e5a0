// SPDX-License-Identifier: MIT
#include "ControlGallery.h"

#include "core/CKivStringArray.h"
#include "core/KivAciColor.h"

#include <QInputDialog>

namespace {

// The colour label's picker: asks for an index 0–256.
int pickAciColor(HWND window, int* colour, int, int)
{
    bool ok = false;
    const int picked = QInputDialog::getInt(window, "AutoCAD colour", "Colour index (0–256):", *colour, 0, 256, 1, &ok);
    if (!ok)
        return 0;
    *colour = picked;
    return 1;
}

} // namespace

ControlGallery::ControlGallery(const CString& slideFolder, QWidget* parent) : CWnd(parent), m_folder(slideFolder)
{
    setWindowTitle("Vandrel controls");
    resize(640, 400);

    label("Value (0–100, step 1)", 16, 16);
    m_edit.Create(WS_VISIBLE, CRect(16, 36, 96, 60), this, IdEdit);
    m_spin.Create(WS_VISIBLE, CRect(98, 36, 116, 60), this, IdSpin);
    m_scroll.Create(WS_VISIBLE | SBS_HORZ, CRect(16, 66, 196, 84), this, IdScroll);
    m_edit.Setup(0, 100, 25, 1);
    m_spin.SetLink(&m_edit);
    m_scroll.SetLink(&m_edit, 10);

    label("Slides", 16, 100);
    m_combo.Create(WS_VISIBLE, CRect(16, 120, 196, 146), this, IdCombo);
    m_combo.AddFiles(m_folder.c_str(), "*.sld", 0, 1);

    label("Strings", 16, 160);
    m_list.Create(WS_VISIBLE, CRect(16, 180, 196, 270), this, IdList);
    CKivStringArray names;
    for (const char* n : {"Wheel", "door", "Bolt", "axle"})
        names.Add(n);
    names.Sort(1);
    names.ShowList(&m_list, 1);

    label("AutoCAD colour (double-click)", 16, 284);
    m_colorLabel.Create(WS_VISIBLE, CRect(16, 304, 196, 328), this, IdColorLabel);
    m_colorLabel.SetLanguage(1);
    m_colorLabel.SetColor(1);
    m_colorLabel.SetColorPicker(&pickAciColor);
    m_swatch.CWnd::Create(WS_VISIBLE, CRect(204, 304, 236, 328), this, IdSwatch);
    m_swatch.SetAciColor(1);

    m_link.Create("https://example.org/vandrel", WS_VISIBLE, CRect(16, 350, 300, 370), this, IdLink);

    m_view.CWnd::Create(WS_VISIBLE, CRect(250, 16, 624, 290), this, IdView);
    m_view.SetBackColor(RGB(0, 0, 0), 0);
    showSlide();

    // The controls are wired by their notifications, as any Qt host can.
    connect(&m_edit, &CWnd::notified, this, [this](unsigned code) {
        if (code == EN_CHANGE)
            m_scroll.DoChange();
    });
    connect(&m_combo, &CWnd::notified, this, [this](unsigned code) {
        if (code == CBN_SELCHANGE)
            showSlide();
    });
    connect(&m_colorLabel, &CWnd::notified, this, [this] { m_swatch.SetAciColor(m_colorLabel.GetColor()); });
    // A double click on the view swaps its colours.
    connect(&m_view, &CWnd::notified, this, [this] { m_view.SetInvert(!m_view.GetInvert(), 1); });
}

void ControlGallery::label(const char* text, int x, int y)
{
    auto* caption = new CStatic;
    caption->Create(text, WS_VISIBLE, CRect(x, y, x + 220, y + 18), this, IdCaption);
}

void ControlGallery::showSlide()
{
    const int sel = m_combo.GetCurSel();
    if (sel < 0)
        return;
    CString folder = m_folder;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    m_view.SetFile((folder + m_combo.GetLBText(sel)).c_str(), 1);
}
