#include "cad/KivDwgPreview.h"

#include "cad/ByteSource_p.h"
#include "core/KivReg.h"
#include "platform/CWnd.h"
#include "platform/Dib.h"
#include "platform/Download.h"
#include "platform/MessageBox.h"
#include "platform/PathNoCase.h"
#include "platform/ProcessService.h"

#include <cstring>

namespace {

const std::uint8_t kStartSentinel[16]
    = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28, 0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};
const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kHeaderEntry = 1;
constexpr int kBitmapEntry = 2;
constexpr int kPngEntry = 6;

std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

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

bool startsWithNoCase(const char* text, const char* prefix)
{
    return CompareNoCaseN(text, prefix, std::strlen(prefix)) == 0;
}

} // namespace

struct KivDwgPreview::Source {
    std::unique_ptr<cadio::FileSource> file;
    std::unique_ptr<cadio::MemorySource> memory;
    std::vector<std::uint8_t> bytes;
    const cadio::Source& get() const { return file ? static_cast<const cadio::Source&>(*file) : *memory; }
};

KivDwgPreview::KivDwgPreview() = default;

KivDwgPreview::~KivDwgPreview()
{
    Close();
}

int KivDwgPreview::VersionNumber(const char* version)
{
    if (!version)
        return 0;
    if (std::strcmp(version, "AC1014") == 0)
        return 1400;
    if (std::strcmp(version, "AC1013") == 0)
        return 1304;
    if (std::strcmp(version, "AC1012") == 0)
        return 1300;
    if (std::strcmp(version, "AC1009") == 0)
        return 1200;
    if (std::strcmp(version, "AC1014") > 0)
        return 1499;
    if (std::strcmp(version, "AC1012") > 0)
        return 1399;
    if (std::strcmp(version, "AC1009") > 0)
        return 1299;
    return 0;
}

int KivDwgPreview::Open(const char* path)
{
    Close();
    if (!path || !*path)
        return 0;
    CString local = path;
    if (startsWithNoCase(path, "http://") || startsWithNoCase(path, "https://")) {
        // A private file, never one of the user's: the original's "temp.dwg"
        // in the current folder overwrote whatever had that name.
        m_downloaded = UniqueTempPath(".dwg");
        if (m_downloaded.empty() || !DownloadToFile(path, m_downloaded)) {
            Close();
            return 0;
        }
        local = m_downloaded;
    }
    auto file = std::make_unique<cadio::FileSource>(ResolvePathNoCase(local.c_str()));
    if (!file->isOpen())
        file = std::make_unique<cadio::FileSource>(ResolvePathNoCase((local + ".DWG").c_str()));
    if (!file->isOpen()) {
        Close();
        return 0;
    }
    m_source = std::make_unique<Source>();
    m_source->file = std::move(file);
    std::uint8_t version[6] = {};
    m_source->get().read(0, version, sizeof version);
    std::memcpy(m_szVersion, version, 6);
    m_szVersion[6] = '\0';
    m_nVersion = VersionNumber(m_szVersion);
    return 1;
}

int KivDwgPreview::OpenBytes(const std::uint8_t* data, std::size_t size)
{
    Close();
    m_source = std::make_unique<Source>();
    m_source->bytes.assign(data, data + (data ? size : 0));
    m_source->memory = std::make_unique<cadio::MemorySource>(m_source->bytes.data(), m_source->bytes.size());
    std::uint8_t version[6] = {};
    m_source->get().read(0, version, sizeof version);
    std::memcpy(m_szVersion, version, 6);
    m_szVersion[6] = '\0';
    m_nVersion = VersionNumber(m_szVersion);
    return 1;
}

void KivDwgPreview::Close()
{
    m_source.reset();
    m_nVersion = 0;
    m_szVersion[0] = '\0';
    m_imageAddress = 0;
    if (!m_downloaded.empty()) {
        ::unlink(m_downloaded.c_str());
        m_downloaded.clear();
    }
}

bool KivDwgPreview::readSection(std::vector<std::uint8_t>& data, std::uint32_t* address)
{
    // Before release 13 the bytes at offset 13 are no address.
    if (!m_source || !HasPreviewVersion())
        return false;
    const cadio::Source& source = m_source->get();
    std::uint8_t raw[4];
    if (!source.read(13, raw, 4))
        return false;
    m_imageAddress = le32(raw);
    if (address)
        *address = m_imageAddress;
    if (!source.read(m_imageAddress, m_sentinel, 16) || std::memcmp(m_sentinel, kStartSentinel, 16) != 0)
        return false;
    if (!source.read(static_cast<std::uint64_t>(m_imageAddress) + 16, raw, 4))
        return false;
    const std::uint32_t n = le32(raw);
    const std::uint64_t at = static_cast<std::uint64_t>(m_imageAddress) + 20;
    if (n == 0 || n > source.size() - std::min<std::uint64_t>(at, source.size()))
        return false; // more image data than the file holds
    data.resize(n);
    if (!source.read(at, data.data(), n))
        return false;
    source.read(at + n, m_sentinel, 16); // the end sentinel, not compared
    return true;
}

bool KivDwgPreview::ReadEntries(std::uint32_t* address, std::vector<KivDwgPreviewEntry>* entries)
{
    std::vector<std::uint8_t> data;
    if (!readSection(data, address))
        return false;
    if (entries) {
        entries->clear();
        const std::size_t count = std::min<std::size_t>(data[0], (data.size() - 1) / 9);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* e = data.data() + 1 + 9 * i;
            entries->push_back({e[0], le32(e + 1), le32(e + 5)});
        }
    }
    return true;
}

QImage KivDwgPreview::ReadImage(COLORREF colour)
{
    std::vector<std::uint8_t> data;
    if (!readSection(data, nullptr))
        return {};
    const std::size_t count = data[0];
    if (1 + 9 * count > data.size())
        return {};
    std::uint64_t headerSize = 0;
    bool bitmap = false, png = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = data.data() + 1 + 9 * i;
        if (e[0] == kHeaderEntry)
            headerSize = le32(e + 5);
        bitmap = bitmap || e[0] == kBitmapEntry;
        png = png || e[0] == kPngEntry;
    }
    // The picture follows the header data: the first bitmap where there is
    // one, else the PNG of release 2013 and later.
    const int picture = bitmap ? kBitmapEntry : png ? kPngEntry : 0;
    const std::uint64_t offset = 1 + 9 * count + headerSize;
    if (picture == 0 || offset >= data.size())
        return {};
    const std::uint8_t* bytes = data.data() + offset;
    const std::size_t size = data.size() - static_cast<std::size_t>(offset);

    if (picture == kBitmapEntry) {
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
        QImage image = DibToImage(header, table.data(), colors, bytes + pixelsAt, size - pixelsAt);
        if (!image.isNull() && header.biBitCount > 8)
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    line[x] = recolour(line[x], colour);
            }
        return image;
    }

    if (size < sizeof kPngSignature || std::memcmp(bytes, kPngSignature, sizeof kPngSignature) != 0)
        return {};
    QImage decoded;
    if (!decoded.loadFromData(bytes, static_cast<int>(std::min<std::size_t>(size, INT32_MAX)), "PNG"))
        return {};
    QImage image = decoded.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = recolour(line[x], colour);
    }
    return image;
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
