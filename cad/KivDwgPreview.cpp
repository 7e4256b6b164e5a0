// SPDX-License-Identifier: MIT
#include "cad/KivDwgPreview.h"

#include "core/KivReg.h"
#include "platform/base/ByteOrder.h"
#include "platform/gdi/Dib.h"
#include "platform/io/ByteReader.h"
#include "platform/io/PathNoCase.h"
#include "platform/net/Download.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProcessService.h"
#include "platform/widgets/CWnd.h"

#include <QBuffer>
#include <QImageReader>
#include <QLoggingCategory>

#include <cerrno>
#include <cstring>

namespace {

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
    if (!KivDwgFile::IsPng(bytes) || bytes.size() > static_cast<std::size_t>(INT32_MAX))
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

int KivDwgPreview::Open(const char* path)
{
    if (path && IsOpen() && GetPath() == path)
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
    if (!m_file.Open(path)) {
        m_error = m_file.GetError();
        return 0;
    }
    return 1;
}

Q_LOGGING_CATEGORY(lcDwg, "vandrel.cad.dwg", QtWarningMsg)

int KivDwgPreview::OpenDownloaded(const char* address, const CString& file)
{
    Close();
    m_error.clear();
    m_downloaded = file;
    ByteSource source;
    if (!source.openFile(file)) {
        m_error = source.errorText();
        qCDebug(lcDwg, "cannot open %s: %s", file.c_str(), m_error.c_str());
        Close();
        return 0;
    }
    m_file.Adopt(std::move(source), address);
    return 1;
}

int KivDwgPreview::OpenBytes(const std::uint8_t* data, std::size_t size)
{
    Close();
    return m_file.OpenBytes(data, size);
}

void KivDwgPreview::Close()
{
    m_file.Close();
    if (!m_downloaded.empty()) {
        RemoveTempPath(m_downloaded);
        m_downloaded.clear();
    }
}

QImage KivDwgPreview::ReadImage(COLORREF colour)
{
    KivDwgFile::Picture picture;
    if (!m_file.ReadPicture(picture))
        return {};
    if (picture.code == KivDwgFile::kBitmapEntry)
        return decodeBitmap(picture.bytes.data(), picture.bytes.size(), colour);
    return decodePng(picture.bytes, colour);
}

QImage KivDwgPreview::DecodePicture(const std::vector<std::uint8_t>& bytes, COLORREF colour)
{
    if (KivDwgFile::IsPng(bytes))
        return decodePng(bytes, colour);
    return decodeBitmap(bytes.data(), bytes.size(), colour);
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
