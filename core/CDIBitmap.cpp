// SPDX-License-Identifier: MIT
#include "core/CDIBitmap.h"

#include "platform/io/AtomicFile.h"
#include "platform/io/PathNoCase.h"
#include "platform/widgets/Resources.h"

#include <QLoggingCategory>

#include <climits>
#include <cstring>

Q_LOGGING_CATEGORY(lcBitmap, "vandrel.core.bitmap", QtWarningMsg)

namespace {

constexpr WORD kBitmapType = 0x4D42; // "BM"

bool isOs2Header(DWORD size)
{
    return size == 12 || size == 16 || size == 64;
}

} // namespace

CBmpPalette::CBmpPalette(CDIBitmap* bitmap)
{
    std::vector<PALETTEENTRY> entries;
    if (bitmap && bitmap->GetHeaderPtr()) {
        const int n = std::min(bitmap->GetPalEntries(), 256);
        const RGBQUAD* table = bitmap->GetColorTablePtr();
        for (int i = 0; i < n; ++i)
            entries.push_back({table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0});
    }
    CreatePalette(entries.data(), static_cast<int>(entries.size()));
}

CDIBitmap::CDIBitmap() = default;

CDIBitmap::~CDIBitmap() = default;

void CDIBitmap::DestroyBitmap()
{
    m_header.reset();
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_palette.reset();
}

int CDIBitmap::DeleteObject()
{
    DestroyBitmap();
    return 1;
}

void CDIBitmap::ClearPalette()
{
    m_palette.reset();
}

RGBQUAD* CDIBitmap::GetColorTablePtr() const
{
    return m_header ? reinterpret_cast<RGBQUAD*>(m_header.get() + sizeof(BITMAPINFOHEADER)) : nullptr;
}

int CDIBitmap::GetWidth() const
{
    return m_header ? GetHeaderPtr()->bmiHeader.biWidth : 0;
}

int CDIBitmap::GetHeight() const
{
    return m_header ? GetHeaderPtr()->bmiHeader.biHeight : 0;
}

int CDIBitmap::rows() const
{
    const std::int64_t h = GetHeight();
    return static_cast<int>(std::min<std::int64_t>(h < 0 ? -h : h, INT_MAX));
}

unsigned long CDIBitmap::GetBitsPerPixel() const
{
    return m_header ? GetHeaderPtr()->bmiHeader.biBitCount : 0;
}

int CDIBitmap::GetColorCount() const
{
    switch (GetBitsPerPixel()) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

int CDIBitmap::GetPalEntries() const
{
    if (!m_header)
        return 0;
    const BITMAPINFOHEADER& h = GetHeaderPtr()->bmiHeader;
    if (h.biClrUsed != 0)
        return static_cast<int>(std::min<DWORD>(h.biClrUsed, 256));
    return h.biBitCount <= 8 ? 1 << h.biBitCount : 0;
}

namespace {

// Row sizes are worked out in 64 bits: 2^31 - 1 pixels of one bit already
// pass an int before the rounding. 0 when the result does not fit an int.
int rowBytes(std::int64_t bits)
{
    return bits > INT_MAX || bits < INT_MIN ? 0 : static_cast<int>(bits);
}

} // namespace

int CDIBitmap::LastByte(int bitsPerPixel, int width)
{
    return rowBytes((static_cast<std::int64_t>(bitsPerPixel) * width + 7) / 8);
}

int CDIBitmap::GetBytesPerLine(int bitsPerPixel, int width)
{
    return rowBytes(((static_cast<std::int64_t>(bitsPerPixel) * width + 31) / 32) * 4);
}

int CDIBitmap::CreatePalette()
{
    m_palette.reset();
    if (m_header && GetBitsPerPixel() <= 8)
        m_palette = std::make_unique<CBmpPalette>(this);
    return m_palette ? 1 : 0;
}

int CDIBitmap::Load(const CString& path)
{
    ByteSource source;
    if (!source.openFile(ResolvePathNoCase(path.c_str()))) {
        DestroyBitmap();
        return 0;
    }
    return Load(source);
}

// Where the parts of a BMP lie, from its first 54 bytes and the number of
// bytes available from its start; nothing is allocated for them yet.
struct CDIBitmap::Layout {
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::uint64_t tableAt = 0;
    std::uint64_t tableBytes = 0; // read into the 256-entry table
    std::uint64_t pixelsAt = 0;
    std::uint64_t pixelBytes = 0;
    std::uint64_t end() const { return std::max(tableAt + tableBytes, pixelsAt + pixelBytes); }
};

const char* CDIBitmap::plan(const std::uint8_t* head, std::size_t headSize, std::uint64_t available, Layout& out)
{
    constexpr const char* kNotDib = "Error:Unexpected file type, not a DIB\n";
    constexpr const char* kOs2 = "Error:OS2 PM BMP Format not supported\n";
    constexpr const char* kDamaged = "";
    if (headSize < sizeof out.file)
        return kNotDib;
    std::memcpy(&out.file, head, sizeof out.file);
    if (out.file.bfType != kBitmapType)
        return kNotDib;
    if (headSize < sizeof out.file + sizeof out.info)
        return kOs2;
    std::memcpy(&out.info, head + sizeof out.file, sizeof out.info);
    const BITMAPINFOHEADER& info = out.info;
    // The V4 and V5 headers written by today's programs begin with this one.
    if (info.biSize < sizeof info || isOs2Header(info.biSize))
        return kOs2;

    // The colour table follows the whole header, however long it is.
    out.tableAt = sizeof out.file + static_cast<std::uint64_t>(info.biSize);
    const DWORD used = info.biClrUsed; // by value: the packed member may be misaligned
    const std::uint64_t entries = used != 0 ? std::min<DWORD>(used, 256)
        : info.biBitCount <= 8              ? std::uint64_t {1} << info.biBitCount
                                            : 0;
    if (out.tableAt > available || available - out.tableAt < entries * sizeof(RGBQUAD))
        return kDamaged;
    out.tableBytes = std::min<std::uint64_t>(256 * sizeof(RGBQUAD), available - out.tableAt);

    out.pixelsAt = out.file.bfOffBits;
    if (out.pixelsAt > available)
        return kDamaged;
    const std::uint64_t rest = available - out.pixelsAt;
    if (info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4) {
        const std::uint64_t declared = out.file.bfSize > out.file.bfOffBits ? out.file.bfSize - out.file.bfOffBits : 0;
        out.pixelBytes = std::min<std::uint64_t>(std::max<std::uint64_t>(info.biSizeImage, declared), rest);
    } else {
        const std::uint64_t row = DibRowBytes(info.biWidth, info.biBitCount);
        const std::uint64_t lines = info.biHeight < 0 ? -static_cast<std::int64_t>(info.biHeight) : info.biHeight;
        if (row == 0 || lines == 0 || lines > rest / row)
            return kDamaged; // more pixels than the file holds
        out.pixelBytes = row * lines;
    }
    if (out.pixelBytes == 0 || out.pixelBytes > SIZE_MAX)
        return kDamaged;
    return nullptr;
}

int CDIBitmap::load(const ByteSource& source, bool withPixels)
{
    DestroyBitmap();
    const auto fail = [this](const char* message) {
        if (message && *message)
            qCDebug(lcBitmap, "%s", message);
        DestroyBitmap();
        return 0;
    };
    std::uint8_t head[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    const std::size_t headSize = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof head, source.size()));
    Layout layout;
    if (!source.read(0, head, headSize))
        return fail(nullptr);
    if (const char* message = plan(head, headSize, source.size(), layout))
        return fail(message);

    m_header = std::make_unique<std::uint8_t[]>(kHeaderBlockSize);
    std::memset(m_header.get(), 0, kHeaderBlockSize);
    BITMAPINFOHEADER info = layout.info;
    info.biSize = sizeof info;
    if (info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4)
        info.biSizeImage = static_cast<DWORD>(layout.pixelBytes);
    std::memcpy(m_header.get(), &info, sizeof info);
    if (!source.read(layout.tableAt, GetColorTablePtr(), static_cast<std::size_t>(layout.tableBytes)))
        return fail(nullptr);
    if (withPixels) {
        m_pixels.resize(static_cast<std::size_t>(layout.pixelBytes));
        if (!source.read(layout.pixelsAt, m_pixels.data(), m_pixels.size()))
            return fail(nullptr);
    }
    CreatePalette();
    m_bPadded = 1;
    return 1;
}

int CDIBitmap::Load(const ByteSource& source)
{
    return load(source, true);
}

int CDIBitmap::LoadHeader(const ByteSource& source)
{
    return load(source, false);
}

int CDIBitmap::Load(CFile* file)
{
    DestroyBitmap();
    if (!file || !file->IsOpen())
        return 0;
    // Only the bytes the bitmap spans are read, and their count is known
    // before anything is allocated for them.
    const std::uint64_t start = file->GetPosition();
    const std::uint64_t length = file->GetLength();
    const std::uint64_t available = length > start ? length - start : 0;
    std::uint8_t head[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    const UINT headSize = file->Read(head, sizeof head);
    Layout layout;
    if (const char* message = plan(head, headSize, available, layout)) {
        if (*message)
            qCDebug(lcBitmap, "%s", message);
        return 0;
    }
    std::vector<std::uint8_t> bytes;
    if (layout.end() > available || layout.end() > UINT_MAX)
        return 0;
    bytes.resize(static_cast<std::size_t>(layout.end()));
    std::memcpy(bytes.data(), head, std::min<std::size_t>(headSize, bytes.size()));
    if (bytes.size() > headSize
        && file->Read(bytes.data() + headSize, static_cast<UINT>(bytes.size() - headSize)) != bytes.size() - headSize)
        return 0;
    return Load(ByteSource::fromBytes(std::move(bytes)));
}

std::vector<std::uint8_t> CDIBitmap::serialize()
{
    std::vector<std::uint8_t> out;
    if (!m_header)
        return out;
    PadBits();
    BITMAPINFOHEADER info;
    std::memcpy(&info, m_header.get(), sizeof info);
    const bool rle = info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4;
    if (info.biCompression == BI_BITFIELDS)
        info.biCompression = BI_RGB; // written without masks: the standard layout
    const std::size_t colours = static_cast<std::size_t>(GetColorCount());
    const int row = GetBytesPerLine(info.biBitCount, info.biWidth);
    if (!rle && row <= 0)
        return out;
    const std::uint64_t pixelBytes = rle ? m_pixels.size() : static_cast<std::uint64_t>(row) * rows();
    const std::uint64_t offBits = sizeof(BITMAPFILEHEADER) + sizeof info + 4 * colours;
    // The file header holds the size in 32 bits.
    if (pixelBytes > UINT32_MAX - offBits)
        return out;
    BITMAPFILEHEADER fileHeader {};
    fileHeader.bfType = kBitmapType;
    fileHeader.bfOffBits = static_cast<DWORD>(offBits);
    fileHeader.bfSize = static_cast<DWORD>(offBits + pixelBytes);
    info.biSize = sizeof info;
    info.biSizeImage = rle ? static_cast<DWORD>(pixelBytes) : 0;
    out.resize(fileHeader.bfSize);
    std::memcpy(out.data(), &fileHeader, sizeof fileHeader);
    std::memcpy(out.data() + sizeof fileHeader, &info, sizeof info);
    std::memcpy(out.data() + sizeof fileHeader + sizeof info, GetColorTablePtr(), 4 * colours);
    std::memcpy(out.data() + fileHeader.bfOffBits, m_pixels.data(),
        static_cast<std::size_t>(std::min<std::uint64_t>(pixelBytes, m_pixels.size())));
    return out;
}

int CDIBitmap::Save(CFile* file)
{
    const std::vector<std::uint8_t> bytes = serialize();
    if (!file || bytes.empty())
        return 0;
    return file->Write(bytes.data(), static_cast<UINT>(bytes.size())) ? 1 : 0;
}

int CDIBitmap::Save(const CString& path)
{
    const std::vector<std::uint8_t> bytes = serialize();
    if (bytes.empty())
        return 0;
    AtomicFile out(ResolvePathNoCase(path.c_str()));
    return out.open() && out.write(bytes.data(), bytes.size()) && out.commit() ? 1 : 0;
}

int CDIBitmap::PadBits()
{
    if (m_bPadded == 1 || !m_header)
        return 1;
    const int bpp = static_cast<int>(GetBitsPerPixel());
    const int packed = LastByte(bpp, GetWidth());
    const int padded = GetBytesPerLine(bpp, GetWidth());
    if (packed <= 0 || padded <= 0)
        return 0;
    if (packed == padded)
        return 1;
    m_pixels.resize(static_cast<std::size_t>(padded) * rows());
    for (int r = rows() - 1; r >= 1; --r)
        std::memmove(m_pixels.data() + static_cast<std::size_t>(r) * padded,
            m_pixels.data() + static_cast<std::size_t>(r) * packed, static_cast<std::size_t>(packed));
    return 1;
}

int CDIBitmap::UnPadBits()
{
    if (m_bPadded != 1 || !m_header)
        return 1;
    const int bpp = static_cast<int>(GetBitsPerPixel());
    const int packed = LastByte(bpp, GetWidth());
    const int padded = GetBytesPerLine(bpp, GetWidth());
    if (packed <= 0 || padded <= 0)
        return 0;
    if (packed == padded)
        return 1;
    for (int r = 1; r < rows(); ++r)
        std::memmove(m_pixels.data() + static_cast<std::size_t>(r) * packed,
            m_pixels.data() + static_cast<std::size_t>(r) * padded, static_cast<std::size_t>(packed));
    return 1;
}

int CDIBitmap::CreateFromImage(const QImage& source)
{
    DestroyBitmap();
    if (source.isNull())
        return 0;
    const bool indexed = source.format() == QImage::Format_Indexed8 && source.colorCount() <= 256;
    const QImage image = indexed ? source : source.convertToFormat(QImage::Format_RGB32);
    const int bpp = indexed ? 8 : 24;
    const int w = image.width(), h = image.height();
    const int row = GetBytesPerLine(bpp, w);
    m_pixels.assign(static_cast<std::size_t>(row) * h, 0);
    m_header = std::make_unique<std::uint8_t[]>(kHeaderBlockSize);
    std::memset(m_header.get(), 0, kHeaderBlockSize);
    BITMAPINFOHEADER info {};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bpp);
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(static_cast<std::uint64_t>(row) * h);
    std::memcpy(m_header.get(), &info, sizeof info);
    if (indexed) {
        RGBQUAD* table = GetColorTablePtr();
        for (int i = 0; i < image.colorCount(); ++i) {
            const QRgb c = image.color(i);
            table[i] = {static_cast<BYTE>(qBlue(c)), static_cast<BYTE>(qGreen(c)), static_cast<BYTE>(qRed(c)), 0};
        }
    }
    for (int y = 0; y < h; ++y) {
        std::uint8_t* dst = m_pixels.data() + static_cast<std::size_t>(h - 1 - y) * row; // bottom-up
        if (indexed) {
            std::memcpy(dst, image.constScanLine(y), static_cast<std::size_t>(w));
            continue;
        }
        const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = static_cast<std::uint8_t>(qBlue(src[x]));
            dst[3 * x + 1] = static_cast<std::uint8_t>(qGreen(src[x]));
            dst[3 * x + 2] = static_cast<std::uint8_t>(qRed(src[x]));
        }
    }
    CreatePalette();
    m_bPadded = 1;
    return 1;
}

int CDIBitmap::CreateFromBitmap(CDC*, CBitmap* bitmap)
{
    if (!bitmap || bitmap->m_image.isNull()) {
        DestroyBitmap();
        return 0;
    }
    return CreateFromImage(bitmap->m_image);
}

int CDIBitmap::LoadResource(const char* name)
{
    const QImage image = AfxGetResourceHandle()->bitmap(name);
    if (image.isNull()) {
        DestroyBitmap();
        return 0;
    }
    return CreateFromImage(image);
}

int CDIBitmap::LoadResource(UINT id)
{
    const QImage image = AfxGetResourceHandle()->bitmap(id & 0xFFFF);
    if (image.isNull()) {
        DestroyBitmap();
        return 0;
    }
    return CreateFromImage(image);
}

void CDIBitmap::DrawDIB(CDC* dc, int x, int y)
{
    DrawDIB(dc, x, y, GetWidth(), rows());
}

void CDIBitmap::DrawDIB(CDC* dc, int x, int y, int width, int height)
{
    if (!dc || !m_header || m_pixels.empty())
        return;
    CPalette* previous = nullptr;
    if (m_palette) {
        previous = dc->SelectPalette(m_palette.get(), FALSE);
        dc->RealizePalette();
        dc->SetStretchBltMode(COLORONCOLOR);
    }
    dc->StretchDIBits(
        x, y, width, height, 0, 0, GetWidth(), rows(), m_pixels.data(), GetHeaderPtr(), DIB_RGB_COLORS, SRCCOPY);
    if (m_palette)
        dc->SelectPalette(previous, FALSE);
}

int CDIBitmap::DrawDIB(CDC* dc, CRect& target, CRect& source)
{
    if (!dc || !m_header || m_pixels.empty())
        return 0;
    CPalette* previous = nullptr;
    if (m_palette) {
        previous = dc->SelectPalette(m_palette.get(), FALSE);
        dc->RealizePalette();
        dc->SetStretchBltMode(COLORONCOLOR);
    }
    // Source rows count from the bottom of the bitmap.
    const int lines = dc->SetDIBitsToDevice(target.left, target.top, static_cast<DWORD>(target.Width()),
        static_cast<DWORD>(target.Height()), source.left, rows() - source.bottom, 0, static_cast<UINT>(rows()),
        m_pixels.data(), GetHeaderPtr(), DIB_RGB_COLORS);
    if (m_palette)
        dc->SelectPalette(previous, FALSE);
    return lines;
}
