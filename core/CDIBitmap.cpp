#include "core/CDIBitmap.h"

#include "platform/AtomicFile.h"
#include "platform/PathNoCase.h"
#include "platform/Resources.h"

#include <QLoggingCategory>

#include <cstring>

Q_DECLARE_LOGGING_CATEGORY(lcSlide)

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
    const int h = GetHeight();
    return h < 0 ? -h : h;
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

int CDIBitmap::LastByte(int bitsPerPixel, int width)
{
    return (bitsPerPixel * width + 7) / 8;
}

int CDIBitmap::GetBytesPerLine(int bitsPerPixel, int width)
{
    return ((bitsPerPixel * width + 31) / 32) * 4;
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
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::typeBinary))
        return 0;
    return Load(&file);
}

int CDIBitmap::Load(CFile* file)
{
    m_header.reset();
    m_pixels.clear();
    m_palette.reset();
    if (!file || !file->IsOpen())
        return 0;
    const auto fail = [this](const char* message) {
        if (message)
            qCDebug(lcSlide, "%s", message);
        DestroyBitmap();
        return 0;
    };
    const std::uint64_t start = file->GetPosition();
    const std::uint64_t length = file->GetLength();

    BITMAPFILEHEADER fileHeader;
    if (file->Read(&fileHeader, sizeof fileHeader) != sizeof fileHeader)
        return fail("Error:Unexpected file type, not a DIB\n");
    if (fileHeader.bfType != kBitmapType)
        return fail("Error:Unexpected file type, not a DIB\n");
    BITMAPINFOHEADER info;
    if (file->Read(&info, sizeof info) != sizeof info)
        return fail("Error:OS2 PM BMP Format not supported\n");
    // The V4 and V5 headers written by today's programs begin with this one.
    if (info.biSize < sizeof info || isOs2Header(info.biSize))
        return fail("Error:OS2 PM BMP Format not supported\n");

    // The colour table follows the whole header, however long it is.
    const std::uint64_t headerEnd = start + sizeof fileHeader + info.biSize;
    m_header = std::make_unique<std::uint8_t[]>(kHeaderBlockSize);
    std::memset(m_header.get(), 0, kHeaderBlockSize);
    info.biSize = sizeof info;
    std::memcpy(m_header.get(), &info, sizeof info);

    const std::uint64_t needTable = static_cast<std::uint64_t>(GetPalEntries()) * sizeof(RGBQUAD);
    if (headerEnd > length || length - headerEnd < needTable)
        return fail(nullptr);
    file->Seek(static_cast<std::int64_t>(headerEnd), CFile::begin);
    const UINT tableBytes = static_cast<UINT>(std::min<std::uint64_t>(256 * sizeof(RGBQUAD), length - headerEnd));
    if (file->Read(GetColorTablePtr(), tableBytes) != tableBytes)
        return fail(nullptr);

    const std::uint64_t pixelsAt = start + fileHeader.bfOffBits;
    if (pixelsAt > length)
        return fail(nullptr);
    const std::uint64_t available = length - pixelsAt;
    std::uint64_t size;
    if (info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4) {
        const std::uint64_t declared
            = fileHeader.bfSize > fileHeader.bfOffBits ? fileHeader.bfSize - fileHeader.bfOffBits : 0;
        size = std::min<std::uint64_t>(std::max<std::uint64_t>(info.biSizeImage, declared), available);
    } else {
        const std::size_t row = DibRowBytes(info.biWidth, info.biBitCount);
        const std::uint64_t lines = info.biHeight < 0 ? -static_cast<std::int64_t>(info.biHeight) : info.biHeight;
        if (row == 0 || lines == 0 || lines > available / row)
            return fail(nullptr); // more pixels than the file holds
        size = row * lines;
    }
    if (size == 0)
        return fail(nullptr);
    if (info.biCompression == BI_RLE8 || info.biCompression == BI_RLE4)
        GetHeaderPtr()->bmiHeader.biSizeImage = static_cast<DWORD>(size);
    m_pixels.resize(static_cast<std::size_t>(size));
    file->Seek(static_cast<std::int64_t>(pixelsAt), CFile::begin);
    if (file->Read(m_pixels.data(), static_cast<UINT>(size)) != size)
        return fail(nullptr);
    CreatePalette();
    m_bPadded = 1;
    return 1;
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
    const std::size_t pixelBytes
        = rle ? m_pixels.size() : static_cast<std::size_t>(GetBytesPerLine(info.biBitCount, info.biWidth)) * rows();
    BITMAPFILEHEADER fileHeader {};
    fileHeader.bfType = kBitmapType;
    fileHeader.bfOffBits = static_cast<DWORD>(sizeof fileHeader + sizeof info + 4 * colours);
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + pixelBytes);
    info.biSize = sizeof info;
    info.biSizeImage = rle ? static_cast<DWORD>(pixelBytes) : 0;
    out.resize(fileHeader.bfSize);
    std::memcpy(out.data(), &fileHeader, sizeof fileHeader);
    std::memcpy(out.data() + sizeof fileHeader, &info, sizeof info);
    std::memcpy(out.data() + sizeof fileHeader + sizeof info, GetColorTablePtr(), 4 * colours);
    std::memcpy(out.data() + fileHeader.bfOffBits, m_pixels.data(), std::min(pixelBytes, m_pixels.size()));
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
    info.biSizeImage = static_cast<DWORD>(row * h);
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
