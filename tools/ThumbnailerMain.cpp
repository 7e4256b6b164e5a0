// SPDX-License-Identifier: MIT
// vandrel-thumbnailer -s SIZE INPUT OUTPUT: the desktop's thumbnail of a
// slide, of the first slide of a slide library, of the preview stored in a
// DWG drawing, or of a DXF drawing, as a PNG of at most SIZE × SIZE pixels. A file manager runs
// it once per file: a file it cannot draw gives status 1 and one line on
// stderr, and the output is written through a temporary file, so no partial
// PNG is ever left.
//
// A file manager runs it thousands of times, so slides, by far the most
// common, are drawn here on a bare raster with Qt Core alone, on the same
// pixels as the browser's cells. Other files are handed, with the same
// arguments, to the half that links the GUI toolkit to decode pictures.
#include "Thumbnailer.h"

#include "cad/KivSlideFile.h"
#include "cad/KivSlideRaster.h"
#include "cad/KivSlideShelf.h"
#include "core/KivPngEncoder.h"
#include "core/KivRaster.h"
#include "platform/io/PathPieces.h"
#include "platform/services/ProcessService.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// The slide a reference names drawn into at most size × size; empty bytes
// with the reason on failure.
std::vector<std::uint8_t> drawSlide(const std::string& reference, int size, std::string& why)
{
    KivSlideShelf shelf;
    const KivSlideShelf::Bytes bytes = shelf.Get(reference.c_str());
    if (!bytes || bytes->empty()) {
        why = "cannot read the slide";
        return {};
    }
    KivSlideFile slide;
    slide.OpenBytes(bytes->data(), bytes->size());
    if (slide.ReadHeader() == 3) {
        why = "not a slide";
        return {};
    }
    const double stretch = KivSlideFile::AspectStretch(slide.GetHighX(), slide.GetHighY(), slide.GetAspectRatio());
    int width = 0, height = 0;
    thumbnailer::fitted(slide.GetHighX() * stretch, slide.GetHighY(), size, true, width, height);
    slide.OpenBytes(bytes->data(), bytes->size());
    KivRaster raster(width, height);
    KivSlideRaster().Draw(slide, raster, 0);
    std::vector<std::uint8_t> png = KivPngEncoder::Encode(raster);
    if (png.empty())
        why = "cannot encode the picture";
    return png;
}

int runFullProgram(char** argv)
{
    const std::string program = ProgramFolder() + VANDREL_THUMBNAILER_FULL_PATH;
    std::fflush(stderr);
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "vandrel-thumbnailer: cannot run %s: %s\n", program.c_str(), std::strerror(errno));
    return 1;
}

int run(int argc, char** argv)
{
    thumbnailer::Request request;
    if (!thumbnailer::parse(argc, argv, request))
        return 2;
    const CString ext = MakeUpper(SplitPath(request.input.c_str()).ext);
    std::string reference = request.input;
    if (ext == ".SLB") {
        CStringArray names;
        if (!KivSlideFile::GetSlideList(request.input.c_str(), &names) || names.GetSize() == 0)
            return thumbnailer::fail(request.input, "not a slide library, or one without slides");
        reference += "(" + names.GetAt(0) + ")";
    } else if (ext != ".SLD") {
        return runFullProgram(argv);
    }
    std::string why;
    const std::vector<std::uint8_t> png = drawSlide(reference, request.size, why);
    if (png.empty() || !thumbnailer::writePng(request, png, why))
        return thumbnailer::fail(request.input, why);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return thumbnailer::guarded(run, argc, argv);
}
