// SPDX-License-Identifier: MIT
// The half of vandrel-thumbnailer that draws with the GUI toolkit: the
// preview stored in a DWG drawing, and a DXF drawing (its embedded preview
// when it has one, else the drawing itself, texts in fonts).
// vandrel-thumbnailer hands it every file that is not a slide or a slide
// library, with the same arguments.
#include "Thumbnailer.h"

#include "cad/KivDwgPreview.h"
#include "cad/KivDxfDraw.h"
#include "platform/io/PathPieces.h"
#include "views/CKivThumbViewCtrl.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <string>

namespace {

std::vector<std::uint8_t> pngOf(const QImage& image, std::string& why)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        why = "cannot encode the picture";
        return {};
    }
    return {png.begin(), png.end()};
}

std::vector<std::uint8_t> drawPreview(const std::string& file, int size, std::string& why)
{
    KivDwgPreview reader;
    const QImage preview = CKivThumbViewCtrl::ReadPreview(reader, file.c_str(), RGB(255, 255, 255), 0);
    if (preview.isNull()) {
        why = "holds no preview picture that can be read";
        return {};
    }
    int width = 0, height = 0;
    thumbnailer::fitted(preview.width(), preview.height(), size, false, width, height);
    QImage image(width, height, QImage::Format_RGB32);
    {
        CDC dc(&image);
        const CRect client(0, 0, image.width(), image.height());
        CKivThumbViewCtrl::Paint(dc, client, 2, nullptr, file.c_str(), nullptr, preview, RGB(255, 255, 255), 1, 0);
    }
    return pngOf(image, why);
}

// A DXF drawing in a square of the size, on black as the cells show it.
std::vector<std::uint8_t> drawDxf(const std::string& file, int size, std::string& why)
{
    KivDxfDraw drawing;
    if (!drawing.Open(file.c_str())) {
        why = drawing.GetError();
        return {};
    }
    KivDxfPoint lo, hi;
    int width = size, height = size;
    if (drawing.HasPreview()) {
        const QImage preview = drawing.GetPreview(RGB(0, 0, 0));
        thumbnailer::fitted(preview.width(), preview.height(), size, false, width, height);
    } else if (drawing.GetScene().GetExtents(lo, hi)) {
        thumbnailer::fitted(hi.x - lo.x, hi.y - lo.y, size, true, width, height);
    } else {
        why = "draws nothing";
        return {};
    }
    return pngOf(drawing.Render(width, height, RGB(0, 0, 0), true), why);
}

int run(int argc, char** argv)
{
    thumbnailer::Request request;
    if (!thumbnailer::parse(argc, argv, request))
        return 2;
    const CString ext = MakeUpper(SplitPath(request.input.c_str()).ext);
    if (ext != ".DWG" && ext != ".DXF")
        return thumbnailer::fail(request.input, "neither a slide, a slide library nor a DWG or DXF drawing");
    std::string why;
    const std::vector<std::uint8_t> png
        = ext == ".DXF" ? drawDxf(request.input, request.size, why) : drawPreview(request.input, request.size, why);
    if (png.empty() || !thumbnailer::writePng(request, png, why))
        return thumbnailer::fail(request.input, why);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Texts of drawings are drawn with fonts, which need a GUI application;
    // nothing is shown, so no display is needed.
    thumbnailer::quiet();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return thumbnailer::guarded(run, argc, argv);
}
