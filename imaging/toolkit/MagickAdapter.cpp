// SPDX-License-Identifier: MIT
// The adapter between ImageMagick and the toolkit: start-up under our own
// limits, exception statuses, colours and bit depths.
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/toolkit/LeadBitmapData_p.h"

#include "imaging/toolkit/TiffPages_p.h"
#include "platform/base/ByteOrder.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/ByteSource.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <vector>

Q_LOGGING_CATEGORY(lcImaging, "vandrel.imaging", QtWarningMsg)

namespace kivlead {

namespace {

// ImageMagick takes a resource limit only up to what the installed
// policy.xml allows (Debian's: 128 Mpixels, 256 MiB of memory), so a valid
// 12000 × 12000 picture would fail as if damaged. A policy of our own with
// the limits we promise, read before the system's while the library starts,
// makes them hold whatever the distribution set; the system policy's other
// rules (coders it forbids) still apply.
void initializeWithOwnLimits()
{
    using namespace KivLeadLimits;
    const QByteArray policy = QStringLiteral("<policymap>\n"
                                             "  <policy domain=\"resource\" name=\"width\" value=\"%1\"/>\n"
                                             "  <policy domain=\"resource\" name=\"height\" value=\"%2\"/>\n"
                                             "  <policy domain=\"resource\" name=\"area\" value=\"%3\"/>\n"
                                             "  <policy domain=\"resource\" name=\"memory\" value=\"%4\"/>\n"
                                             "  <policy domain=\"resource\" name=\"map\" value=\"%4\"/>\n"
                                             "  <policy domain=\"resource\" name=\"disk\" value=\"%5\"/>\n"
                                             "  <policy domain=\"resource\" name=\"list-length\" value=\"%6\"/>\n"
                                             "</policymap>\n")
                                  .arg(kMaxWidth)
                                  .arg(kMaxHeight)
                                  .arg(kMaxArea)
                                  .arg(kMaxMemoryBytes)
                                  .arg(kMaxDiskBytes)
                                  .arg(kMaxPages)
                                  .toUtf8();
    QTemporaryDir folder;
    QFile file(folder.filePath("policy.xml"));
    const bool written
        = folder.isValid() && file.open(QIODevice::WriteOnly) && file.write(policy) == policy.size() && file.flush();
    file.close();
    const QByteArray before = qgetenv("MAGICK_CONFIGURE_PATH");
    if (written)
        qputenv("MAGICK_CONFIGURE_PATH", QFile::encodeName(folder.path()) + (before.isEmpty() ? "" : ":" + before));
    else
        qCWarning(lcImaging) << "no policy of our own: the system's resource limits apply";
    Magick::InitializeMagick(nullptr);
    if (!written)
        return;
    if (before.isEmpty())
        qunsetenv("MAGICK_CONFIGURE_PATH");
    else
        qputenv("MAGICK_CONFIGURE_PATH", before);
}

} // namespace

void startup()
{
    static std::once_flag once;
    std::call_once(once, [] {
        try {
            initializeWithOwnLimits();
            using L = Magick::ResourceLimits;
            L::width(KivLeadLimits::kMaxWidth);
            L::height(KivLeadLimits::kMaxHeight);
            L::area(KivLeadLimits::kMaxArea);
            L::memory(KivLeadLimits::kMaxMemoryBytes);
            L::map(KivLeadLimits::kMaxMemoryBytes);
            L::disk(KivLeadLimits::kMaxDiskBytes);
            L::listLength(KivLeadLimits::kMaxPages);
        } catch (...) {
            // Runs from constructors too: a failure leaves the defaults.
        }
    });
}

namespace {
thread_local std::string t_failure;
} // namespace

void noteFailure(const std::string& reason)
{
    t_failure = reason;
}

void clearFailure()
{
    t_failure.clear();
}

int statusOf(const Magick::Exception& e)
{
    // Coders report a declared size beyond the limits as an image error,
    // the pixel cache as a resource error: the message tells them apart.
    const std::string what = e.what();
    for (const char* limit : {"WidthOrHeightExceedsLimit", "ImageTooLarge", "exceeds limit", "ExceedsLimit"})
        if (what.find(limit) != std::string::npos)
            return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    if (dynamic_cast<const Magick::ErrorResourceLimit*>(&e) || dynamic_cast<const Magick::WarningResourceLimit*>(&e))
        return KIVLEAD_ERROR_NO_MEMORY;
    if (dynamic_cast<const Magick::ErrorCorruptImage*>(&e) || dynamic_cast<const Magick::ErrorCoder*>(&e)
        || dynamic_cast<const Magick::ErrorBlob*>(&e) || dynamic_cast<const Magick::WarningCorruptImage*>(&e)
        || dynamic_cast<const Magick::ErrorImage*>(&e))
        return KIVLEAD_ERROR_INVALID_FILE;
    if (dynamic_cast<const Magick::ErrorMissingDelegate*>(&e))
        return KIVLEAD_ERROR_UNKNOWN_FORMAT;
    if (dynamic_cast<const Magick::ErrorFileOpen*>(&e))
        return KIVLEAD_ERROR_FILE_NOT_FOUND;
    return KIVLEAD_ERROR_FAILURE;
}

Magick::Color colorOf(COLORREF c)
{
    return Magick::Color(static_cast<Magick::Quantum>(quantumOf(GetRValue(c))),
        static_cast<Magick::Quantum>(quantumOf(GetGValue(c))), static_cast<Magick::Quantum>(quantumOf(GetBValue(c))));
}

void adopt(CLeadBitmap* bitmap, const Magick::Image& image, int bits)
{
    LeadBitmapData& d = bitmap->data();
    d.image = image;
    d.allocated = true;
    d.bits = bits;
    d.changed();
}

int bitsOf(const Magick::Image& image)
{
    // From the header's facts only: asking the library for the image's type
    // scans every pixel (several times for a photo).
    if (image.matte())
        return 32;
    if (image.classType() == Magick::PseudoClass) {
        const size_t colors = image.colorMapSize();
        return colors <= 2 ? 1 : colors <= 16 ? 4 : 8;
    }
    if (image.colorSpace() == Magick::GRAYColorspace)
        return image.depth() == 1 ? 1 : 8;
    return 24;
}

bool reduceTo(Magick::Image& image, int bits, bool dither)
{
    switch (bits) {
    case 1: image.type(Magick::BilevelType); return true;
    case 4:
    case 8:
        image.quantizeColors(bits == 4 ? 16 : 256);
        image.quantizeDither(dither);
        image.quantize();
        image.type(Magick::PaletteType);
        return true;
    case 16:
    case 24:
        image.matte(false);
        image.type(Magick::TrueColorType);
        return true;
    case 32: image.type(Magick::TrueColorMatteType); return true;
    default: return false;
    }
}

} // namespace kivlead

const char* KivLeadLastError()
{
    return kivlead::t_failure.c_str();
}
