// SPDX-License-Identifier: MIT
// The image view with editing: over fifty commands on its image, each with a
// one-step undo and redo snapshot and the modified flag, crop by dragging a
// rectangle, pan by dragging, and the lifted selection the selection control
// works with. Handlers are public; the host calls them from its menu. The
// snapshots share the image's pixels (KivLeadEditor).
#pragma once

#include "imaging/toolkit/KivLeadEditor.h"
#include "imaging/widgets/CKivLeadViewCtrl.h"

#include <QRegion>

#include <memory>

class KIVLEAD_EXPORT CKivLeadEditCtrl : public CKivLeadViewCtrl {
public:
    static constexpr int kToolNone = 0;
    static constexpr int kToolPan = 1;
    static constexpr int kToolCrop = 2;

    explicit CKivLeadEditCtrl(QWidget* parent = nullptr);
    ~CKivLeadEditCtrl() override;

    virtual void OnEditUndo();
    void OnEditRedo();
    void DeleteUndo();
    void DeleteRedo();
    void DeleteSelect();
    const CLeadBitmap* GetUndoBitmap() const { return m_editor.GetUndo(); }
    const CLeadBitmap* GetRedoBitmap() const { return m_editor.GetRedo(); }

    int IsModified() const { return m_editor.IsModified(); }
    void SetModifiedFlag(int modified) { m_editor.SetModifiedFlag(modified); }
    // Any change: the flag becomes 1; kind (0-3) is a hint for the host.
    virtual void OnChanged(unsigned kind);

    // Saves in the format of the file that has the name, else by its
    // extension (PNG when neither tells), with the image's bits and quality
    // 2; clears the modified flag. The save's status.
    int Save(const char* file);
    int CreateRegionBitmaps(HWND window, int init);
    void SetDlgIcon(HICON icon);

    void SetToolMode(int mode) { m_nToolMode = mode; }
    int GetToolMode() const { return m_nToolMode; }
    COLORREF GetFillColor() const { return m_crFill; }
    void SetFillColor(COLORREF colour) { m_crFill = colour; }
    COLORREF GetDrawColor() const { return m_crDraw; }
    void SetDrawColor(COLORREF colour) { m_crDraw = colour; }
    // The selection rectangle (origin in display pixels, size in image pixels).
    void SetSelectRect(int x, int y, int width, int height);
    CLeadBitmap* GetSelectBitmap() { return &m_bmpSelect; }
    CLeadBitmap* GetSelectCopy() { return &m_bmpSelectCopy; }
    const QRegion& GetSelectRegion() const { return m_rgnSelect; }

    // Value setters: each a full command.
    void SetBrightness(int value);
    void SetContrast(int value);
    void SetGamma(int value);
    void SetLevel(int brightness, int contrast, int gamma);
    void SetColor(int hue, int saturation, int lightness);
    void SetRotate(int angle, int resize);
    void SetAutoLevels();
    int AutoLevels();
    void ColorSeparation(int kind);
    void CombineBitmap(CLeadBitmap* source, int mode);
    // Two corners in window coordinates, in any order.
    void CropBitmap(int x1, int y1, int x2, int y2);

    // Runs a command of the table with values through the edit protocol,
    // as the handlers do once they have their values; the status.
    int RunCommand(const char* name, std::initializer_list<int> values = {});

    void OnEditCopy();
    void OnEditPaste();
    void OnImageFlip();
    void OnImageReverse();
    void OnImageFlipReverse();
    void OnImageRotate90clockwise();
    void OnImageRotate180clockwise();
    void OnImageRotate270clockwise();
    void OnImageRotate();
    void OnImageRotateAnyangle();
    void OnImageShear();
    void OnImageResize();
    void OnImageResample();
    void OnImageEffectsPosterize();
    void OnImageEffectsMosaic();
    void OnImageEffectsAverage();
    void OnImageEffectsMedian();
    void OnImageEffectsSharpen();
    void OnImageEffectsAddnoise();
    void OnImageEffectsEmboss();
    void OnImageEffectsOilify();
    void OnImageEffectsEdgeenhance();
    void OnImageSpatialfiltersGradient();
    void OnImageSpatialfiltersLaplacian();
    void OnImageSpatialfiltersSobel();
    void OnImageSpatialfiltersPrewitt();
    void OnImageSpatialfiltersShiftanddifference();
    void OnImageSpatialfiltersLinesegment();
    void OnColorHalftone();
    void OnColorGrayscale8();
    void OnColorGrayscale12();
    void OnColorGrayscale16();
    void OnColorColorresolution();
    void OnColorWindowlevel();
    void OnColorInvert();
    void OnColorHistogramequalize();
    void OnColorStretchintensity();
    void OnColorHue();
    void OnColorSaturation();
    void OnColorHistocontrast();
    void OnColorBrightness();
    void OnColorContrast();
    void OnColorGammacorrect();
    void OnColorIntensitydetect();
    void OnColorSolarize();
    void OnColorUniquecolors();
    void OnColorColor();
    void OnColorLevel();
    void OnColorAutoLevels();
    void OnColorFill();
    void OnImageEffectsUnderlay();

protected:
    virtual void BeginProcessing();
    virtual void EndProcessing(int status);

    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    int runCommand(const KivLeadCommand& command, const int* values);
    // Asks for the command's values in the dialog its table entry describes
    // and runs it with them.
    void ask(const char* name);
    void spatial(int filter);

    KivLeadEditor m_editor;
    CLeadBitmap m_bmpSelect;
    CLeadBitmap m_bmpSelectCopy;
    QRegion m_rgnSelect;
    int m_bDrag = 0;
    CPoint m_ptAnchor;
    CPoint m_ptLast;
    int m_nSelX = -1, m_nSelY = -1, m_nSelWidth = -1, m_nSelHeight = -1;
    COLORREF m_crDraw = 0xFFFFFF;
    COLORREF m_crFill = 0;
    int m_nToolMode = kToolNone;
    bool m_rubber = false; // a crop rectangle is being dragged
};
