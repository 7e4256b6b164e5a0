// vandrel-thumbnailer -s SIZE INPUT OUTPUT: the desktop's thumbnail of a
// slide, of the first slide of a slide library, or of the preview stored in
// a DWG drawing, as a PNG of at most SIZE × SIZE pixels, drawn by the same
// code as the browser's cells. A file manager runs it once per file: a file
// it cannot draw gives status 1 and one line on stderr, and the output is
// written through a temporary file, so no partial PNG is ever left.
#include "cad/KivSlideDraw.h"
#include "cad/KivSlideFile.h"
#include "cad/KivSlideShelf.h"
#include "core/KivUtil.h"
#include "platform/io/AtomicFile.h"
#include "views/CKivThumbViewCtrl.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

constexpr int kMaxSize = 4096;

int fail(const std::string& input, const std::string& why)
{
    std::fprintf(stderr, "vandrel-thumbnailer: %s: %s\n", input.c_str(), why.c_str());
    return 1;
}

// Width and height of at most size pixels with the ratio w : h.
QSize fitted(double w, double h, int size, bool enlarge)
{
    if (!(w >= 1.0) || !(h >= 1.0))
        return QSize(size, size);
    double scale = size / std::max(w, h);
    if (!enlarge)
        scale = std::min(scale, 1.0);
    return QSize(std::clamp(static_cast<int>(std::lround(w * scale)), 1, size),
        std::clamp(static_cast<int>(std::lround(h * scale)), 1, size));
}

// The slide a reference names drawn into at most size × size, or a null image.
QImage drawSlide(const std::string& reference, int size, std::string& why)
{
    KivSlideShelf shelf;
    const KivSlideShelf::Bytes bytes = shelf.Get(reference.c_str());
    if (!bytes || bytes->empty()) {
        why = "cannot read the slide";
        return {};
    }
    KivSlideDraw slide;
    slide.OpenBytes(bytes->data(), bytes->size());
    const int header = slide.ReadHeader();
    slide.Close();
    if (header == 3) {
        why = "not a slide";
        return {};
    }
    const double stretch = KivSlideDraw::AspectStretch(slide.GetHighX(), slide.GetHighY(), slide.GetAspectRatio());
    QImage image(fitted(slide.GetHighX() * stretch, slide.GetHighY(), size, true), QImage::Format_RGB32);
    {
        CDC dc(&image);
        const CRect client(0, 0, image.width(), image.height());
        CKivThumbViewCtrl::Paint(dc, client, 1, &slide, reference.c_str(), bytes.get(), QImage(), 0, 0, 0);
    }
    return image;
}

QImage drawPreview(const std::string& file, int size, std::string& why)
{
    KivDwgPreview reader;
    const QImage preview = CKivThumbViewCtrl::ReadPreview(reader, file.c_str(), RGB(255, 255, 255), 0);
    if (preview.isNull()) {
        why = "holds no preview picture that can be read";
        return {};
    }
    QImage image(fitted(preview.width(), preview.height(), size, false), QImage::Format_RGB32);
    CDC dc(&image);
    const CRect client(0, 0, image.width(), image.height());
    CKivThumbViewCtrl::Paint(dc, client, 2, nullptr, file.c_str(), nullptr, preview, RGB(255, 255, 255), 1, 0);
    return image;
}

bool writePng(const std::string& output, const QImage& image, std::string& why)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        why = "cannot encode the picture";
        return false;
    }
    AtomicFile out(output);
    if (!out.open() || !out.write(png.constData(), static_cast<std::size_t>(png.size())) || !out.commit()) {
        why = std::string("cannot write ") + output + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

int run(int argc, char** argv)
{
    int size = 0;
    std::string input, output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-s" && i + 1 < argc) {
            char* end = nullptr;
            const long s = std::strtol(argv[++i], &end, 10);
            size = end && *end == '\0' && s >= 1 && s <= kMaxSize ? static_cast<int>(s) : -1;
        } else if (input.empty()) {
            input = arg;
        } else if (output.empty()) {
            output = arg;
        } else {
            input.clear();
            break;
        }
    }
    if (size < 1 || input.empty() || output.empty()) {
        std::fprintf(stderr, "usage: vandrel-thumbnailer -s SIZE INPUT OUTPUT (SIZE 1 to %d)\n", kMaxSize);
        return 2;
    }
    // File managers may hand over a file: address.
    if (input.rfind("file://", 0) == 0)
        input = QUrl(QString::fromUtf8(input.c_str())).toLocalFile().toUtf8().toStdString();

    const CString ext = MakeUpper(KivUtil::GetFileExt(input.c_str()));
    std::string why;
    QImage image;
    if (ext == ".SLD") {
        image = drawSlide(input, size, why);
    } else if (ext == ".SLB") {
        CStringArray names;
        if (!KivSlideFile::GetSlideList(input.c_str(), &names) || names.GetSize() == 0)
            return fail(input, "not a slide library, or one without slides");
        image = drawSlide(input + "(" + names.GetAt(0) + ")", size, why);
    } else if (ext == ".DWG") {
        image = drawPreview(input, size, why);
    } else {
        return fail(input, "neither a slide, a slide library nor a DWG drawing");
    }
    if (image.isNull())
        return fail(input, why);
    if (!writePng(output, image, why))
        return fail(input, why);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vandrel-thumbnailer: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "vandrel-thumbnailer: failed\n");
    }
    return 1;
}
