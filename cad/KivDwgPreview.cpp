#include "cad/KivDwgPreview.h"

#include "core/KivReg.h"
#include "platform/base/ByteOrder.h"
#include "platform/io/ByteReader.h"
#include "platform/widgets/CWnd.h"
#include "platform/gdi/Dib.h"
#include "platform/net/Download.h"
#include "platform/services/MessageBox.h"
#include "platform/io/PathNoCase.h"
#include "platform/services/ProcessService.h"

#include <QBuffer>
#include <QImageReader>
#include <QLoggingCategory>

#include <cerrno>
#include <cstring>

namespace {

const std::uint8_t kStartSentinel[16]
    = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28, 0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};
const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kHeaderEntry = 1;
constexpr int kBitmapEntry = 2;
constexpr int kPngEntry = 6;
// The image address lies at offset 13 of the file.
constexpr std::uint64_t kAddressAt = 13;
// A PNG's width and height end 24 bytes in (signature, IHDR length and tag).
constexpr std::size_t kPngSizeEnd = 24;

// White takes the colour; the colour itself its complement, so lines drawn
// in that colour stay visible.
QRgb recolour(QRgb pixel, COLORREF colour)
{
    const QRgb target = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    const QRgb rgb = pixel & 0xFFFFFF;
    if (rgb == 0xFFFFFF)
        return target;
    if (rgb == (target & 0xFFFFFF))
        return qRgb(255 - qRed(pixel), 255 - qGreen(pixel), 255 - qBlue(pixel));
    return pixel | 0xFF000000;
}

void recolourPixels(QImage& image, COLORREF colour)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = recolour(line[x], colour);
    }
}

bool startsWithNoCase(const char* text, const char* prefix)
{
    return CompareNoCaseN(text, prefix, std::strlen(prefix)) == 0;
}

bool isPng(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= sizeof kPngSignature && std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0;
}

QImage decodeBitmap(const std::uint8_t* bytes, std::size_t size, COLORREF colour)
{
    BITMAPINFOHEADER header;
    if (size < sizeof header)
        return {};
    std::memcpy(&header, bytes, sizeof header);
    if (header.biSize < sizeof header || header.biSize > size)
        return {};
    const int colors = DibColorCount(header);
    const std::size_t tableAt = header.biSize + (header.biCompression == BI_BITFIELDS ? 12 : 0);
    if (tableAt > size || (size - tableAt) / sizeof(RGBQUAD) < static_cast<std::size_t>(colors))
        return {};
    std::vector<RGBQUAD> table(static_cast<std::size_t>(colors));
    if (colors > 0)
        std::memcpy(table.data(), bytes + tableAt, table.size() * sizeof(RGBQUAD));
    // Palette bitmaps recolour each colour table entry once.
    for (RGBQUAD& c : table) {
        const QRgb r = recolour(qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue), colour);
        c = {static_cast<BYTE>(qBlue(r)), static_cast<BYTE>(qGreen(r)), static_cast<BYTE>(qRed(r)), 0};
    }
    const std::size_t pixelsAt = tableAt + table.size() * sizeof(RGBQUAD);
    QImage image
        = DibToImage(header, table.data(), colors, bytes + pixelsAt, size - pixelsAt, KivDwgPreview::kMaxPreviewPixels);
    if (!image.isNull() && header.biBitCount > 8)
        recolourPixels(image, colour);
    return image;
}

QImage decodePng(const std::vector<std::uint8_t>& bytes, COLORREF colour)
{
    if (!isPng(bytes) || bytes.size() > static_cast<std::size_t>(INT32_MAX))
        return {};
    QByteArray data
        = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    // The declared size is checked before the decoder allocates for it.
    const QSize size = reader.size();
    if (!size.isValid() || static_cast<std::int64_t>(size.width()) * size.height() > KivDwgPreview::kMaxPreviewPixels)
        return {};
    const QImage decoded = reader.read();
    if (decoded.isNull())
        return {};
    QImage image = decoded.convertToFormat(QImage::Format_RGB32);
    recolourPixels(image, colour);
    return image;
}

} // namespace

KivDwgPreview::KivDwgPreview() = default;

KivDwgPreview::~KivDwgPreview()
{
    Close();
}

int KivDwgPreview::VersionNumber(const char* version)
{
    // "AC" and four digits; the releases before 13 also used "AC1.50",
    // "AC2.10" and the like, which no byte-wise comparison orders.
    if (!version || version[0] != 'A' || version[1] != 'C')
        return 0;
    int number = 0;
    for (int i = 2; i < 6; ++i) {
        if (version[i] < '0' || version[i] > '9')
            return 0;
        number = number * 10 + (version[i] - '0');
    }
    switch (number) {
    case 1014: return 1400;
    case 1013: return 1304;
    case 1012: return 1300;
    case 1009: return 1200;
    default: break;
    }
    if (number > 1014)
        return 1499;
    if (number > 1012)
        return 1399;
    if (number > 1009)
        return 1299;
    return 0;
}

bool KivDwgPreview::IsAddress(const char* path)
{
    return path && (startsWithNoCase(path, "http://") || startsWithNoCase(path, "https://"));
}

void KivDwgPreview::readVersion()
{
    std::uint8_t version[6] = {};
    m_source.read(0, version, sizeof version);
    std::memcpy(m_szVersion, version, 6);
    m_szVersion[6] = '\0';
    m_nVersion = VersionNumber(m_szVersion);
}

int KivDwgPreview::Open(const char* path)
{
    if (path && IsOpen() && m_path == path)
        return 1;
    Close();
    m_error.clear();
    if (!path || !*path) {
        m_error = "no file name";
        return 0;
    }
    if (IsAddress(path)) {
        // A private file, never one of the user's: the original's "temp.dwg"
        // in the current folder overwrote whatever had that name.
        CString why;
        const CString file = UniqueTempPath(".dwg", &why);
        if (file.empty() || !DownloadToFile(path, file, DownloadLimits::Defaults(), &why)) {
            RemoveTempPath(file);
            m_error = why.empty() ? CString("cannot fetch it") : why;
            return 0;
        }
        return OpenDownloaded(path, file);
    }
    ByteSource file;
    if (!file.openFile(ResolvePathNoCase(path))) {
        CString why = file.errorText();
        const bool missing = file.error() == ENOENT;
        if (!file.openFile(ResolvePathNoCase((CString(path) + ".DWG").c_str()))) {
            if (missing)
                why = file.errorText();
            m_error = why;
            return 0;
        }
    }
    m_source = std::move(file);
    m_path = path;
    readVersion();
    return 1;
}

Q_LOGGING_CATEGORY(lcDwg, "vandrel.cad.dwg", QtWarningMsg)

int KivDwgPreview::OpenDownloaded(const char* address, const CString& file)
{
    Close();
    m_error.clear();
    m_downloaded = file;
    if (!m_source.openFile(file)) {
        m_error = m_source.errorText();
        qCDebug(lcDwg, "cannot open %s: %s", file.c_str(), m_error.c_str());
        Close();
        return 0;
    }
    m_path = address ? address : "";
    readVersion();
    return 1;
}

int KivDwgPreview::OpenBytes(const std::uint8_t* data, std::size_t size)
{
    Close();
    m_source = ByteSource::fromBytes(data ? std::vector<std::uint8_t>(data, data + size) : std::vector<std::uint8_t>());
    readVersion();
    return 1;
}

void KivDwgPreview::Close()
{
    m_source.close();
    m_path.clear();
    m_nVersion = 0;
    m_szVersion[0] = '\0';
    m_imageAddress = 0;
    if (!m_downloaded.empty()) {
        RemoveTempPath(m_downloaded);
        m_downloaded.clear();
    }
}

bool KivDwgPreview::readDirectory(std::uint32_t* address, std::vector<KivDwgPreviewEntry>& entries,
    std::uint64_t& dataAt, std::uint64_t& dataSize, bool& complete)
{
    complete = false;
    entries.clear();
    // Before release 13 the bytes at offset 13 are no address.
    if (!IsOpen() || !HasPreviewVersion())
        return false;
    ByteReader in(m_source, kAddressAt);
    if (!in.le32(m_imageAddress))
        return false;
    if (address)
        *address = m_imageAddress;
    std::uint32_t n = 0;
    if (!in.seek(m_imageAddress) || !in.bytes(m_sentinel, 16) || std::memcmp(m_sentinel, kStartSentinel, 16) != 0
        || !in.le32(n))
        return false;
    dataAt = in.pos();
    if (n == 0 || n > in.remaining())
        return false; // more image data than the file holds
    dataSize = n;
    std::uint8_t count = 0;
    in.u8(count);
    const std::uint64_t fit = std::min<std::uint64_t>(count, (n - 1) / 9);
    for (std::uint64_t i = 0; i < fit; ++i) {
        std::uint8_t e[9];
        if (!in.bytes(e, sizeof e))
            return false;
        entries.push_back({e[0], ReadLe32(e + 1), ReadLe32(e + 5)});
    }
    complete = fit == count;
    return true;
}

bool KivDwgPreview::ReadEntries(std::uint32_t* address, std::vector<KivDwgPreviewEntry>* entries)
{
    std::vector<KivDwgPreviewEntry> found;
    std::uint64_t dataAt = 0, dataSize = 0;
    bool complete = false;
    // A directory longer than the image data still shows what fits.
    if (!readDirectory(address, found, dataAt, dataSize, complete))
        return false;
    if (entries)
        *entries = std::move(found);
    return true;
}

bool KivDwgPreview::readPicture(Picture& picture, std::uint64_t limit)
{
    std::vector<KivDwgPreviewEntry> entries;
    std::uint64_t dataAt = 0, dataSize = 0;
    bool complete = false;
    if (!readDirectory(nullptr, entries, dataAt, dataSize, complete) || !complete)
        return false;
    const KivDwgPreviewEntry* chosen = nullptr;
    std::uint64_t headerSize = 0;
    for (const auto& e : entries) {
        if (e.code == kHeaderEntry)
            headerSize = e.size;
        // The first bitmap where there is one, else the PNG of release 2013
        // and later.
        if ((e.code == kBitmapEntry && (!chosen || chosen->code != kBitmapEntry)) || (e.code == kPngEntry && !chosen))
            chosen = &e;
    }
    if (!chosen)
        return false;
    const std::uint64_t dataEnd = dataAt + dataSize;
    std::uint64_t at = chosen->start, size = chosen->size;
    if (size == 0 || at < dataAt || at > dataEnd || dataEnd - at < size) {
        // An entry whose address does not lie in the image data: the
        // picture is taken to follow the header data, as older readers did.
        const std::uint64_t offset = 1 + 9 * static_cast<std::uint64_t>(entries.size()) + headerSize;
        if (offset >= dataSize)
            return false;
        at = dataAt + offset;
        size = dataSize - offset;
    }
    picture.code = chosen->code;
    return m_source.readRange(at, std::min(size, limit), picture.bytes, kMaxPictureBytes);
}

bool KivDwgPreview::ReadImageSize(int* width, int* height)
{
    Picture picture;
    if (!readPicture(picture, std::max<std::size_t>(sizeof(BITMAPINFOHEADER), kPngSizeEnd)))
        return false;
    std::int64_t w = 0, h = 0;
    const std::uint8_t* b = picture.bytes.data();
    if (picture.code == kBitmapEntry && picture.bytes.size() >= sizeof(BITMAPINFOHEADER)) {
        w = static_cast<std::int32_t>(ReadLe32(b + 4));
        h = static_cast<std::int32_t>(ReadLe32(b + 8));
        h = h < 0 ? -h : h;
    } else if (picture.code == kPngEntry && isPng(picture.bytes) && picture.bytes.size() >= kPngSizeEnd) {
        w = ReadBe32(b + 16);
        h = ReadBe32(b + 20);
    }
    if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX)
        return false;
    if (width)
        *width = static_cast<int>(w);
    if (height)
        *height = static_cast<int>(h);
    return true;
}

QImage KivDwgPreview::ReadImage(COLORREF colour)
{
    Picture picture;
    if (!readPicture(picture, kMaxPictureBytes))
        return {};
    if (picture.code == kBitmapEntry)
        return decodeBitmap(picture.bytes.data(), picture.bytes.size(), colour);
    return decodePng(picture.bytes, colour);
}

void KivDwgPreview::DrawImage(CDC* dc, const CRect& client, const QImage& image, int autoSize)
{
    if (!dc || image.isNull())
        return;
    const int W = client.Width(), H = client.Height();
    const int w = image.width(), h = image.height();
    int x, y, dw = w, dh = h;
    if (autoSize != 1) {
        x = (W - w) / 2;
        y = (H - h) / 2;
    } else {
        const float sx = static_cast<float>(W) / static_cast<float>(w);
        const float sy = static_cast<float>(H) / static_cast<float>(h);
        const float scale = sx < sy ? sx : sy;
        dw = static_cast<int>(w * scale);
        dh = static_cast<int>(h * scale);
        if (sx < sy) {
            x = 0;
            y = (H - static_cast<int>(h * sx)) / 2;
        } else {
            x = (W - static_cast<int>(w * sy)) / 2;
            y = 0;
        }
    }
    dc->StretchImage(client.left + x, client.top + y, dw, dh, image, 0, 0, w, h, SRCCOPY);
}

void KivDwgPreview::DrawPreview(CWnd* window, CDC* dc, COLORREF colour, int, int autoSize)
{
    if (!dc)
        return;
    const QImage image = ReadImage(colour);
    if (image.isNull())
        return;
    CRect client;
    if (window)
        window->GetClientRect(&client);
    else
        client = dc->GetSurfaceRect();
    DrawImage(dc, client, image, autoSize);
}

int KivShellCommandOpenDWG(const char* path)
{
    if (!path || !*path)
        return 0;
    char id[256];
    if (!KivReg::getApp(".dwg", id))
        return 0;
    CString program;
    std::vector<CString> arguments;
    const CString command
        = KivReg::getStr(HKEY_CLASSES_ROOT, StringFormat("%s\\shell\\%s\\command", id, "open").c_str(), nullptr);
    CString shown;
    if (!command.empty()) {
        if (command.front() == '"') {
            const auto close = command.find('"', 1);
            program = close == CString::npos ? CString() : command.substr(1, close - 1);
        } else {
            program = command;
        }
        shown = StringFormat("%s \"%s\"", program.c_str(), path);
        if (command.front() == '"') {
            arguments.push_back(path);
        } else {
            // An unquoted command line: the shell splits it, as WinExec did.
            arguments = {"-c", shown};
            program = "/bin/sh";
        }
    } else {
        // Nothing registered here: the desktop's default application.
        program = "xdg-open";
        arguments.push_back(path);
        shown = StringFormat("%s \"%s\"", program.c_str(), path);
    }
    if (program.empty() || RunProcess(program, arguments, false) != 0) {
        AfxMessageBox(StringFormat("Can't execute : \"%s\"", shown.c_str()).c_str());
        return 0;
    }
    return 1;
}
