// SPDX-License-Identifier: MIT
// Drawing the outline and listing the coordinate files of a folder.
#include "airfoil/ZopAirfoil.h"

#include "airfoil/ZopScanProgress.h"
#include "core/KivParamList.h"
#include "dialogs/KivDlgProgress.h"
#include "platform/base/Win32.h"
#include "platform/gdi/CDC.h"
#include "platform/io/FileSystem.h"
#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CWnd.h"

#include <QBrush>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kUnitsPerChord = 5000;
// Half the smaller side of the window in logical units. 1500 would put the
// chord's ends (2500 units from the centre) outside the window, cutting off
// the nose and the tail; 3000 shows the whole section with a margin.
constexpr int kWindowExtent = 3000;
constexpr int kGridSize = 10000;
constexpr int kGridDivisions = 20;

// A coordinate of a read file may be anything finite; the drawing keeps it
// within int, twenty chords from the centre, far outside any window.
int toLogical(double v)
{
    return static_cast<int>(std::clamp(std::trunc(v), -100000.0, 100000.0));
}

bool startsWithNoCase(const CString& text, const char* prefix)
{
    const std::size_t n = std::strlen(prefix);
    return text.size() >= n && CompareNoCaseN(text.c_str(), prefix, n) == 0;
}

} // namespace

void ZopAirfoil::DrawGrid(CDC* dc, int width, int height, int columns, int rows)
{
    if (!dc || columns < 1 || rows < 1)
        return;
    CPen grid(PS_SOLID, 1, RGB(96, 96, 0));
    CPen* old = dc->SelectObject(&grid);
    const int halfWidth = width / 2;
    const int halfHeight = height / 2;
    const int columnStep = width / columns;
    const int rowStep = height / rows;
    for (int k = 0; k <= columns; ++k) {
        dc->MoveTo(-halfWidth + k * columnStep, -halfHeight);
        dc->LineTo(-halfWidth + k * columnStep, halfHeight);
    }
    for (int k = 0; k <= rows; ++k) {
        dc->MoveTo(-halfWidth, -halfHeight + k * rowStep);
        dc->LineTo(halfWidth, -halfHeight + k * rowStep);
    }
    CPen axes(PS_SOLID, 1, RGB(196, 196, 0));
    dc->SelectObject(&axes);
    dc->MoveTo(-halfWidth, 0);
    dc->LineTo(halfWidth, 0);
    dc->MoveTo(0, -halfHeight);
    dc->LineTo(0, halfHeight);
    dc->SelectObject(old);
}

void ZopAirfoil::Preview(CDC* dc, const char* folder, const char* file)
{
    if (!dc || m_nodes < 1)
        return;
    std::string path;
    if (folder && *folder && file && *file)
        path = std::string(folder) + "/" + file;
    ZopPoint2D* points = Make(path.c_str());
    if (!points)
        return;
    std::vector<CPoint> line;
    line.reserve(static_cast<std::size_t>(m_nodes) + 1);
    for (int i = 0; i < m_nodes; ++i)
        line.push_back({toLogical((points[i].x - 0.5) * kUnitsPerChord), toLogical(points[i].y * kUnitsPerChord)});
    std::free(points);
    line.push_back(line.front());
    // A polyline: each segment as LineTo draws it.
    dc->MoveTo(line.front());
    for (std::size_t i = 1; i < line.size(); ++i)
        dc->LineTo(line[i]);
}

void ZopAirfoil::Draw(CDC* dc, const CRect& client, const char* folder, const char* file)
{
    if (!dc)
        return;
    const int w = client.Width();
    const int h = client.Height();
    if (w < 1 || h < 1)
        return;
    CRgn clip;
    clip.CreateRectRgnIndirect(client);
    dc->SelectClipRgn(&clip);
    dc->SetMapMode(MM_ISOTROPIC);
    dc->SetWindowExt(kWindowExtent, kWindowExtent);
    dc->SetViewportExt(w / 2, -h / 2);
    dc->SetViewportOrg(client.left + w / 2, client.top + h / 2);
    DrawGrid(dc, kGridSize, kGridSize, kGridDivisions, kGridDivisions);
    CPen white(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* old = dc->SelectObject(&white);
    Preview(dc, folder, file);
    dc->SelectObject(old);
    dc->SelectClipRgn(nullptr);
}

void ZopAirfoil::Draw(CWnd* wnd, const char* folder, const char* file)
{
    if (!wnd)
        return;
    CRect client;
    wnd->GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    // A Qt window paints only in its paint event, so the picture is drawn
    // once here and becomes the window's background, which every repaint
    // shows until the next Draw. Black is the ground the grid and the white
    // outline are made for.
    QImage picture(client.Width(), client.Height(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        CDC dc(&picture);
        Draw(&dc, CRect(0, 0, client.Width(), client.Height()), folder, file);
    }
    QPalette palette = wnd->palette();
    palette.setBrush(QPalette::Window, QBrush(picture));
    wnd->setPalette(palette);
    wnd->setAutoFillBackground(true);
    wnd->RedrawWindow();
}

namespace {

// The common dialogs' progress window, without a bar, as the listing shows it.
// The window is one per process: when another job holds it, the listing runs
// without one rather than writing into or closing the other job's window.
class ProgressWindow final : public ZopScanProgress {
public:
    void start(QWidget* owner, const char* title) override { m_opened = KivDlgProgressStart(owner, title, 0) == 1; }
    void show(const char* message) override
    {
        if (m_opened)
            KivDlgProgressShow(message, 0);
    }
    void close() override
    {
        if (m_opened)
            KivDlgProgressClose();
        m_opened = false;
    }

private:
    bool m_opened = false;
};

} // namespace

int ZopAirfoil::DisplayAirfoilInfo(CComboBox* combo, const char* folder, const char* select, KivParamList* list)
{
    ProgressWindow window;
    return DisplayAirfoilInfo(combo, folder, select, list, &window);
}

int ZopAirfoil::DisplayAirfoilInfo(
    CComboBox* combo, const char* folder, const char* select, KivParamList* list, ZopScanProgress* progress)
{
    if (!combo)
        return 0;
    combo->ResetContent();
    if (!list)
        return 0;
    list->removeData();
    if (!folder || !*folder)
        return 0;
    if (ListAirfoilFiles(folder, list, progress, combo->window()) == 0)
        return 0;
    for (int i = 0; i < list->getCount(); ++i)
        combo->AddString(StringFormat("%s - %s", list->getParam(i), list->getValue(i)).c_str());
    int chosen = 0;
    if (select)
        for (int i = 0; i < combo->widget()->count(); ++i)
            if (startsWithNoCase(combo->GetLBText(i), select)) {
                chosen = i;
                break;
            }
    combo->SetCurSel(chosen);
    return 1;
}
