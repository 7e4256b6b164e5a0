// SPDX-License-Identifier: MIT
#include "imaging/editor/CKivLeadEditCtrl.h"

#include "core/KivUtil.h"
#include "imaging/editor/KivDlgEditColor.h"
#include "imaging/editor/KivDlgEditFlip.h"
#include "imaging/editor/KivDlgEditLevel.h"
#include "imaging/editor/KivDlgEditRotate.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/KivLeadDlg.h"
#include "platform/io/FileSystem.h"
#include "platform/services/MessageBox.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <vector>

CKivLeadEditCtrl::CKivLeadEditCtrl(QWidget* parent) : CKivLeadViewCtrl(parent), m_editor(m_pBitmap)
{
    m_bEditable = 1;
    m_bStoreOffset = 1;
    setMouseTracking(true);
}

CKivLeadEditCtrl::~CKivLeadEditCtrl()
{
    DeleteSelect();
    DeleteUndo();
    DeleteRedo();
}

void CKivLeadEditCtrl::BeginProcessing()
{
    BeginWaitCursor();
    m_editor.BeginProcessing();
}

void CKivLeadEditCtrl::EndProcessing(int status)
{
    EndWaitCursor();
    m_editor.EndProcessing();
    if (status != KIVLEAD_SUCCESS)
        DisplayError(status);
    RedrawWindow();
}

void CKivLeadEditCtrl::OnEditUndo()
{
    if (!m_editor.GetUndo())
        return;
    BeginWaitCursor();
    m_editor.Undo();
    OnChanged(3);
    EndWaitCursor();
    RedrawWindow();
}

void CKivLeadEditCtrl::OnEditRedo()
{
    if (!m_editor.GetRedo())
        return;
    BeginWaitCursor();
    m_editor.Redo();
    OnChanged(3);
    EndWaitCursor();
    RedrawWindow();
}

void CKivLeadEditCtrl::DeleteUndo()
{
    m_editor.DeleteUndo();
}

void CKivLeadEditCtrl::DeleteRedo()
{
    m_editor.DeleteRedo();
}

void CKivLeadEditCtrl::DeleteSelect()
{
    KivLeadFreeBitmap(&m_bmpSelect);
    KivLeadFreeBitmap(&m_bmpSelectCopy);
}

void CKivLeadEditCtrl::OnChanged(unsigned)
{
    m_editor.SetModifiedFlag(1);
    ImageChanged();
}

int CKivLeadEditCtrl::Save(const char* file)
{
    if (!file || !m_pBitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    KivLeadFileInfo info;
    const bool known = KivLeadGetFileInfo(file, &info) == KIVLEAD_SUCCESS;
    int format = known ? info.format : KivLeadFormatFromName(file);
    if (format == KIVLEAD_FORMAT_UNKNOWN)
        format = KIVLEAD_FORMAT_PNG;
    // The control shows the first page of the file it loaded: saved back
    // into that file, only that page is replaced and the others stay.
    const bool ownPage = known && info.pages > 1 && SameFile(file, GetFileName());
    const int status = ownPage ? KivLeadSaveFile(file, m_pBitmap, format, 0, 2, 1, KIVLEAD_SAVE_REPLACE)
                               : KivLeadSaveFile(file, m_pBitmap, format, 0, 2);
    // Changes that did not reach the file are still changes.
    if (status == KIVLEAD_SUCCESS)
        m_editor.SetModifiedFlag(0);
    return status;
}

void CKivLeadEditCtrl::SetSelectRect(int x, int y, int width, int height)
{
    m_nSelX = x;
    m_nSelY = y;
    m_nSelWidth = width;
    m_nSelHeight = height;
}

int CKivLeadEditCtrl::CreateRegionBitmaps(HWND, int init)
{
    const QPoint origin(m_nSelX, m_nSelY);
    m_rgnSelect = m_pBitmap->Region().translated(-origin);
    m_pBitmap->FreeRegion();
    KivLeadFreeBitmap(&m_bmpSelect);
    if (m_nSelX >= 0 && m_nSelY >= 0 && m_nSelWidth > 0 && m_nSelHeight > 0) {
        // What is lifted at other zooms than 100 is ours to choose: the part
        // of the rectangle that lies on the image.
        const int w = std::min(m_nSelWidth * m_nZoom / 100, m_pBitmap->Width() - m_nSelX);
        const int h = std::min(m_nSelHeight * m_nZoom / 100, m_pBitmap->Height() - m_nSelY);
        if (w > 0 && h > 0)
            KivLeadCopyBitmapRect(&m_bmpSelect, m_pBitmap, m_nSelX, m_nSelY, w, h);
        if (init == 1)
            KivLeadCopyBitmap(&m_bmpSelectCopy, &m_bmpSelect);
    }
    m_pBitmap->SetRegion(m_rgnSelect.translated(origin));
    return 1;
}

void CKivLeadEditCtrl::SetDlgIcon(HICON icon)
{
    KivUtil::SetDlgIcon(icon);
}

int CKivLeadEditCtrl::runCommand(const KivLeadCommand& command, const int* values)
{
    KivLeadCommandContext context;
    context.image = m_pBitmap;
    context.fill = m_crFill;
    if (command.flags & KivLeadCommand::kNoSnapshot)
        return command.apply(context, values);
    BeginProcessing();
    const int status = command.apply(context, values);
    if (!(command.flags & KivLeadCommand::kKeepsModified))
        OnChanged(command.flags & KivLeadCommand::kGeometry ? 2 : 1);
    else
        ImageChanged();
    if (command.flags & KivLeadCommand::kGeometry)
        CreateRegionBitmaps(this, 1);
    EndProcessing(status);
    if (!context.message.empty())
        MessageBox(this, context.message.c_str(), QCoreApplication::applicationName().toUtf8().constData(),
            MB_OK | MB_ICONINFORMATION);
    return status;
}

int CKivLeadEditCtrl::RunCommand(const char* name, std::initializer_list<int> values)
{
    const KivLeadCommand* command = KivLeadFindCommand(name);
    if (!command)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    int v[KivLeadCommand::kMaxValues] = {};
    std::copy(command->defaults, command->defaults + command->count, v);
    std::copy_n(values.begin(), std::min<std::size_t>(values.size(), KivLeadCommand::kMaxValues), v);
    return runCommand(*command, v);
}

// Value setters ---------------------------------------------------------------

void CKivLeadEditCtrl::SetBrightness(int value)
{
    RunCommand("brightness", {value});
}

void CKivLeadEditCtrl::SetContrast(int value)
{
    RunCommand("contrast", {value});
}

void CKivLeadEditCtrl::SetGamma(int value)
{
    RunCommand("gammacorrect", {value});
}

void CKivLeadEditCtrl::SetLevel(int brightness, int contrast, int gamma)
{
    RunCommand("level", {brightness, contrast, gamma});
}

void CKivLeadEditCtrl::SetColor(int hue, int saturation, int lightness)
{
    RunCommand("color", {hue, saturation, lightness});
}

void CKivLeadEditCtrl::SetRotate(int angle, int resize)
{
    static const KivLeadCommand rotate = [] {
        KivLeadCommand c = *KivLeadFindCommand("rotate");
        c.apply
            = [](KivLeadCommandContext& context, const int* v) { return KivLeadRotate(context.image, v[0], v[1], 0); };
        return c;
    }();
    const int values[2] = {angle, resize};
    runCommand(rotate, values);
}

void CKivLeadEditCtrl::SetAutoLevels()
{
    RunCommand("autolevels");
}

int CKivLeadEditCtrl::AutoLevels()
{
    KivLeadAutoLevels(m_pBitmap);
    return 1;
}

void CKivLeadEditCtrl::ColorSeparation(int kind)
{
    RunCommand("colorseparation", {kind});
}

void CKivLeadEditCtrl::CombineBitmap(CLeadBitmap* source, int mode)
{
    if (!source || !m_pBitmap)
        return;
    const int w = std::min(source->Width(), m_pBitmap->Width());
    const int h = std::min(source->Height(), m_pBitmap->Height());
    if (w > 0 && h > 0)
        KivLeadCombine(m_pBitmap, 0, 0, w, h, source, 0, 0, mode == 0 ? KIVLEAD_COMBINE_COPY : KIVLEAD_COMBINE_AVERAGE);
    OnChanged(0);
    RedrawWindow();
}

void CKivLeadEditCtrl::CropBitmap(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (m_pBitmap->ViewPerspective() == 2) {
        KivLeadFlip(m_pBitmap);
        m_pBitmap->SetViewPerspective(0);
    }
    const float f = 100.0f / static_cast<float>(m_nZoom);
    auto map = [&](int v, int offset) { return static_cast<int>(static_cast<float>(v - offset) * f); };
    const int values[4] = {map(x1, m_ptOffset.x), map(y1, m_ptOffset.y), map(x2, m_ptOffset.x), map(y2, m_ptOffset.y)};
    runCommand(*KivLeadFindCommand("crop"), values);
    m_ptOffset = CPoint(0, 0);
}

// Mouse tools -------------------------------------------------------------------

void CKivLeadEditCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    m_ptAnchor = point;
    m_ptLast = point;
    m_bDrag = 1;
    if (m_nToolMode == kToolCrop) {
        RedrawWindow();
        m_rubber = true;
    }
    CKivLeadViewCtrl::OnLButtonDown(flags, point);
}

void CKivLeadEditCtrl::OnMouseMove(UINT flags, CPoint point)
{
    setCursor(m_nToolMode == kToolCrop ? Qt::CrossCursor
            : m_nToolMode == kToolPan  ? Qt::SizeAllCursor
                                       : Qt::ArrowCursor);
    if (m_bDrag && m_nToolMode == kToolCrop) {
        m_ptLast = point;
        update();
    } else if (m_bDrag && m_nToolMode == kToolPan) {
        Offset(point.x - m_ptAnchor.x, point.y - m_ptAnchor.y);
        m_ptAnchor = point;
        update();
    }
    CKivLeadViewCtrl::OnMouseMove(flags, point);
}

void CKivLeadEditCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_bDrag && m_nToolMode == kToolCrop) {
        m_rubber = false;
        CropBitmap(m_ptAnchor.x, m_ptAnchor.y, m_ptLast.x, m_ptLast.y);
        if (QWidget* parent = GetParent())
            parent->update();
    }
    m_bDrag = 0;
    CKivLeadViewCtrl::OnLButtonUp(flags, point);
}

void CKivLeadEditCtrl::OnPaint()
{
    CKivLeadViewCtrl::OnPaint();
    if (!m_rubber)
        return;
    // The rubber band: a dotted outline that inverts what it crosses.
    QPainter painter(this);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter.drawRect(QRect(QPoint(m_ptAnchor.x, m_ptAnchor.y), QPoint(m_ptLast.x, m_ptLast.y)).normalized());
}

// Handlers ------------------------------------------------------------------------

void CKivLeadEditCtrl::ask(const char* name)
{
    const KivLeadCommandAsk& a = KivLeadFindCommand(name)->ask;
    const KivLeadCommandAsk::Value &one = a.values[0], &two = a.values[1];
    int first = one.start, second = two.start;
    if (a.count() == 1
        && KivLeadDlgGetValue(this, a.title, one.label, one.minimum, one.maximum, &first) == KIVLEAD_SUCCESS)
        RunCommand(name, {first});
    else if (a.count() == 2
        && KivLeadDlgGetValues(
               this, a.title, one.label, one.minimum, one.maximum, &first, two.label, two.minimum, two.maximum, &second)
            == KIVLEAD_SUCCESS)
        RunCommand(name, {first, second});
}

void CKivLeadEditCtrl::spatial(int filter)
{
    int chosen = filter;
    if (KivLeadDlgSpatialFilter(this, &chosen) != KIVLEAD_SUCCESS)
        return;
    static const char* const names[]
        = {"", "gradient", "laplacian", "sobel", "prewitt", "shiftanddifference", "linesegment"};
    if (chosen >= 1 && chosen <= 6)
        RunCommand(names[chosen]);
}

void CKivLeadEditCtrl::OnEditCopy()
{
    RunCommand("copy");
}

void CKivLeadEditCtrl::OnEditPaste()
{
    RunCommand("paste");
}

void CKivLeadEditCtrl::OnImageFlip()
{
    RunCommand("flip");
}

void CKivLeadEditCtrl::OnImageReverse()
{
    RunCommand("reverse");
}

void CKivLeadEditCtrl::OnImageFlipReverse()
{
    int mirror = 0, flip = 0;
    if (KivDlgEditFlip(m_pBitmap, &mirror, &flip, this) == 1)
        RunCommand("flipreverse", {mirror, flip});
}

void CKivLeadEditCtrl::OnImageRotate90clockwise()
{
    RunCommand("rotate90clockwise");
}

void CKivLeadEditCtrl::OnImageRotate180clockwise()
{
    RunCommand("rotate180clockwise");
}

void CKivLeadEditCtrl::OnImageRotate270clockwise()
{
    RunCommand("rotate270clockwise");
}

void CKivLeadEditCtrl::OnImageRotate()
{
    int angle = 0;
    if (KivDlgEditRotate(m_pBitmap, &angle, this) == 1)
        SetRotate(angle, 1);
}

void CKivLeadEditCtrl::OnImageRotateAnyangle()
{
    int angle = 0, resize = 1;
    COLORREF fill = m_crFill;
    if (KivLeadDlgRotate(this, 0, &angle, &resize, &fill) != KIVLEAD_SUCCESS)
        return;
    m_crFill = fill;
    RunCommand("rotateanyangle", {angle, resize});
}

void CKivLeadEditCtrl::OnImageShear()
{
    int angle = 0, horizontal = 1;
    COLORREF fill = m_crFill;
    if (KivLeadDlgRotate(this, 1, &angle, &horizontal, &fill) != KIVLEAD_SUCCESS)
        return;
    m_crFill = fill;
    RunCommand("shear", {angle, horizontal});
}

void CKivLeadEditCtrl::OnImageResize()
{
    int w = m_pBitmap->Width(), h = m_pBitmap->Height();
    if (KivLeadDlgSize(this, &w, &h) == KIVLEAD_SUCCESS)
        RunCommand("resize", {w, h});
}

void CKivLeadEditCtrl::OnImageResample()
{
    int w = m_pBitmap->Width(), h = m_pBitmap->Height();
    if (KivLeadDlgSize(this, &w, &h) == KIVLEAD_SUCCESS)
        RunCommand("resample", {w, h});
}

void CKivLeadEditCtrl::OnImageEffectsPosterize()
{
    ask("posterize");
}

void CKivLeadEditCtrl::OnImageEffectsMosaic()
{
    ask("mosaic");
}

void CKivLeadEditCtrl::OnImageEffectsAverage()
{
    ask("average");
}

void CKivLeadEditCtrl::OnImageEffectsMedian()
{
    ask("median");
}

void CKivLeadEditCtrl::OnImageEffectsSharpen()
{
    ask("sharpen");
}

void CKivLeadEditCtrl::OnImageEffectsAddnoise()
{
    ask("addnoise");
}

void CKivLeadEditCtrl::OnImageEffectsEmboss()
{
    ask("emboss");
}

void CKivLeadEditCtrl::OnImageEffectsOilify()
{
    ask("oilify");
}

void CKivLeadEditCtrl::OnImageEffectsEdgeenhance()
{
    RunCommand("edgeenhance");
}

void CKivLeadEditCtrl::OnImageSpatialfiltersGradient()
{
    spatial(KIVLEAD_FILTER_GRADIENT);
}

void CKivLeadEditCtrl::OnImageSpatialfiltersLaplacian()
{
    spatial(KIVLEAD_FILTER_LAPLACIAN);
}

void CKivLeadEditCtrl::OnImageSpatialfiltersSobel()
{
    spatial(KIVLEAD_FILTER_SOBEL);
}

void CKivLeadEditCtrl::OnImageSpatialfiltersPrewitt()
{
    spatial(KIVLEAD_FILTER_PREWITT);
}

void CKivLeadEditCtrl::OnImageSpatialfiltersShiftanddifference()
{
    spatial(KIVLEAD_FILTER_SHIFTDIFF);
}

void CKivLeadEditCtrl::OnImageSpatialfiltersLinesegment()
{
    spatial(KIVLEAD_FILTER_LINESEGMENT);
}

void CKivLeadEditCtrl::OnColorHalftone()
{
    ask("halftone");
}

void CKivLeadEditCtrl::OnColorGrayscale8()
{
    RunCommand("grayscale8");
}

void CKivLeadEditCtrl::OnColorGrayscale12()
{
    RunCommand("grayscale12");
}

void CKivLeadEditCtrl::OnColorGrayscale16()
{
    RunCommand("grayscale16");
}

void CKivLeadEditCtrl::OnColorColorresolution()
{
    int bits = 8, dither = 1;
    if (KivLeadDlgColorResolution(this, &bits, &dither) == KIVLEAD_SUCCESS)
        RunCommand("colorresolution", {bits, dither});
}

void CKivLeadEditCtrl::OnColorWindowlevel()
{
    int lo = 0, hi = 255;
    KivLeadGetMinMaxValue(m_pBitmap, &lo, &hi);
    // The window starts around the middle of the used levels.
    const unsigned mid = (static_cast<unsigned>(lo) + static_cast<unsigned>(hi)) / 2;
    int low = static_cast<int>(0.9 * mid),
        high = std::min(255, static_cast<int>(mid + static_cast<unsigned>(0.1 * mid)));
    if (KivLeadDlgWindowLevel(this, &low, &high) == KIVLEAD_SUCCESS)
        RunCommand("windowlevel", {low, high});
}

void CKivLeadEditCtrl::OnColorInvert()
{
    RunCommand("invert");
}

void CKivLeadEditCtrl::OnColorHistogramequalize()
{
    RunCommand("histogramequalize");
}

void CKivLeadEditCtrl::OnColorStretchintensity()
{
    RunCommand("stretchintensity");
}

void CKivLeadEditCtrl::OnColorHue()
{
    ask("hue");
}

void CKivLeadEditCtrl::OnColorSaturation()
{
    ask("saturation");
}

void CKivLeadEditCtrl::OnColorHistocontrast()
{
    ask("histocontrast");
}

void CKivLeadEditCtrl::OnColorBrightness()
{
    ask("brightness");
}

void CKivLeadEditCtrl::OnColorContrast()
{
    ask("contrast");
}

void CKivLeadEditCtrl::OnColorGammacorrect()
{
    int gamma = 100;
    if (KivLeadDlgGamma(this, &gamma) == KIVLEAD_SUCCESS)
        SetGamma(gamma);
}

void CKivLeadEditCtrl::OnColorIntensitydetect()
{
    int low = 128, high = 255;
    if (KivLeadDlgIntensity(this, &low, &high) == KIVLEAD_SUCCESS)
        RunCommand("intensitydetect", {low, high});
}

void CKivLeadEditCtrl::OnColorSolarize()
{
    ask("solarize");
}

void CKivLeadEditCtrl::OnColorUniquecolors()
{
    RunCommand("uniquecolors");
}

void CKivLeadEditCtrl::OnColorColor()
{
    int hue = 0, saturation = 0, lightness = 0;
    if (KivDlgEditColor(m_pBitmap, &hue, &saturation, &lightness, this) == 1)
        SetColor(hue, saturation, lightness);
}

void CKivLeadEditCtrl::OnColorLevel()
{
    int brightness = 0, contrast = 0, gamma = 100;
    if (KivDlgEditLevel(m_pBitmap, &brightness, &contrast, &gamma, this) == 1)
        SetLevel(brightness, contrast, gamma);
}

void CKivLeadEditCtrl::OnColorAutoLevels()
{
}

void CKivLeadEditCtrl::OnColorFill()
{
    COLORREF colour = m_crDraw;
    if (KivLeadDlgColor(this, &colour) == KIVLEAD_SUCCESS)
        RunCommand("fill", {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
}

void CKivLeadEditCtrl::OnImageEffectsUnderlay()
{
}
