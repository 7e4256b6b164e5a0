// SPDX-License-Identifier: MIT
// A DXF drawing ready to show: the file read once, its embedded preview
// decoded and its scene built, then drawn as often as asked without reading
// again (paint handlers never touch the file). The cells, the viewers, the
// thumbnailer and `vandrel dxf render` all draw through it, so they show the
// same picture: the extents fitted to the target with the aspect kept, y up,
// ACI colour 7 black on a light background and white on a dark one.
#pragma once

#include "cad/KivDxfFile.h"
#include "cad/KivDxfScene.h"
#include "core/KivCtrl_export.h"
#include "platform/base/Geometry.h"
#include "platform/base/Win32Types.h"

#include <QImage>
#include <QRectF>
#include <QTransform>

#include <set>
#include <string>

class CDC;
class QPainter;

class KIVCTRL_EXPORT KivDxfDraw {
public:
    // Reads the file and builds the scene of the named layers (all when
    // none are named). false, and GetError tells why, when it is no
    // drawing that can be read.
    bool Open(const char* path, const std::set<std::string>& layers = {});
    bool OpenBytes(const std::uint8_t* data, std::size_t size, const std::set<std::string>& layers = {});
    const std::string& GetError() const { return m_file.GetError(); }

    const KivDxfFile& GetFile() const { return m_file; }
    const KivDxfScene& GetScene() const { return m_scene; }
    // The THUMBNAILIMAGE picture with white taking back; null when none.
    QImage GetPreview(COLORREF back) const;
    bool HasPreview() const { return !m_preview.isNull(); }

    // From drawing coordinates to target's: the extents (texts measured in
    // the font they are drawn in) centred and fitted with the aspect kept,
    // y up. The identity for an empty drawing.
    QTransform Fit(const QRectF& target) const;
    // The scene fitted into target on the painter, over what is there.
    void DrawScene(QPainter& painter, const QRectF& target, COLORREF back) const;
    // Into a device context's client area, on back: the embedded preview
    // when there is one and preferPreview, else the drawing itself.
    void Paint(CDC& dc, const CRect& client, COLORREF back, bool preferPreview) const;
    // A picture of the given size, filled with back first.
    QImage Render(int width, int height, COLORREF back, bool preferPreview) const;

    // The colour an entity shows in on back.
    static QColor ColourOn(const KivDxfColour& colour, COLORREF back);

private:
    // After the file was read (or not): the scene and the preview.
    bool prepare(bool read, const std::set<std::string>& layers);

    KivDxfFile m_file;
    KivDxfScene m_scene;
    QImage m_preview; // decoded once, white kept white
};
