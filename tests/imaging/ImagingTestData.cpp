// SPDX-License-Identifier: MIT
#include "ImagingTestData.h"

#include <sys/resource.h>

#include <csignal>

#include "imaging/toolkit/KivLeadToolkit.h"

#include <QBuffer>

namespace imagingtest {

testsupport::Bytes encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return testsupport::Bytes(bytes.begin(), bytes.end());
}

namespace {

std::uint32_t crc32(const std::uint8_t* p, std::size_t n)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return c ^ 0xFFFFFFFFu;
}

void put32(testsupport::Bytes& out, std::uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> s));
}

void chunk(testsupport::Bytes& out, const char* type, const testsupport::Bytes& data)
{
    put32(out, static_cast<std::uint32_t>(data.size()));
    testsupport::Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    put32(out, crc32(body.data(), body.size()));
}

} // namespace

testsupport::Bytes pngDeclaring(std::uint32_t width, std::uint32_t height)
{
    testsupport::Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    testsupport::Bytes ihdr;
    put32(ihdr, width);
    put32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    chunk(out, "IHDR", ihdr);
    // A zlib stream of a few zero bytes: far less than the rows declared.
    chunk(out, "IDAT", {0x78, 0x9C, 0x63, 0x60, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01});
    chunk(out, "IEND", {});
    return out;
}

testsupport::Bytes bmpDeclaring(std::int32_t width, std::int32_t height)
{
    testsupport::Bytes out = {'B', 'M'};
    auto le = [&](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    le(54 + 16, 4);
    le(0, 4);
    le(54, 4);
    le(40, 4);
    le(static_cast<std::uint32_t>(width), 4);
    le(static_cast<std::uint32_t>(height), 4);
    le(1, 2);
    le(24, 2);
    for (int i = 0; i < 6; ++i)
        le(0, 4);
    out.resize(out.size() + 16, 0);
    return out;
}

QImage marked(int width, int height, QRgb colour, int x, int y, QRgb mark)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(x, y, mark);
    return image;
}

int load(const testsupport::Bytes& bytes, CLeadBitmap& bitmap)
{
    return KivLeadLoadMemory(bytes.data(), bytes.size(), &bitmap);
}

QRgb pixel(const CLeadBitmap& bitmap, int x, int y)
{
    COLORREF c = 0;
    if (KivLeadGetPixel(&bitmap, x, y, &c) != KIVLEAD_SUCCESS)
        return 0xDEADBEEF;
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)) & 0xFFFFFF;
}

bool withFileSizeLimit(std::uint64_t bytes, const std::function<void()>& work)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    if (::getrlimit(RLIMIT_FSIZE, &old) != 0)
        return false;
    rlimit small = old;
    small.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
        return false;
    work();
    ::setrlimit(RLIMIT_FSIZE, &old);
    return true;
}

} // namespace imagingtest
