// SPDX-License-Identifier: MIT
#include "cad/KivSlideFile.h"

#include "cad/SlideLibrary_p.h"
#include "platform/io/PathNoCase.h"

#include <QLoggingCategory>

#include <cmath>
#include <cstring>

Q_LOGGING_CATEGORY(lcSlide, "vandrel.cad", QtWarningMsg)

namespace {

const char kSlideId[17] = {'A', 'u', 't', 'o', 'C', 'A', 'D', ' ', 'S', 'l', 'i', 'd', 'e', '\r', '\n', 0x1A, 0};

const char* const kMessages[] = {
    "",
    "\"%s\": Can't open file",
    "Warning--Slide prepared for different display.",
    "Error reading slide file. *Invalid*",
    "Slide library invalid.",
    "Slide %s not found in library %s.",
    "Error Unknown",
    "No slide exists in library %s.",
    "Slide %s already exists in library %s.",
};

// The fields both header layouts share, at the same offsets.
template <class Header> void readCommonFields(const std::uint8_t* raw, Header* header)
{
    std::memcpy(header->id, raw, 17);
    header->type = static_cast<char>(raw[17]);
    header->level = static_cast<char>(raw[18]);
    header->highX = ReadLe16(raw + 19);
    header->highY = ReadLe16(raw + 21);
}

bool identifies(const char* id, char type)
{
    return std::memcmp(id, kSlideId, sizeof kSlideId) == 0 && type == 'V';
}

std::uint16_t swap16(std::uint16_t w)
{
    return static_cast<std::uint16_t>((w >> 8) | (w << 8));
}

std::uint16_t offset(std::uint16_t base, std::uint8_t delta)
{
    return static_cast<std::uint16_t>(base + static_cast<std::int8_t>(delta));
}

} // namespace

KivSlideSink::~KivSlideSink() = default;

thread_local int KivSlideFile::m_nSldError = 0;
thread_local char KivSlideFile::m_szSldError[1024] = "";

namespace {
thread_local std::string t_reason;
} // namespace

KivSlideFile::KivSlideFile()
{
    m_szLibrary[0] = '\0';
    m_szSlide[0] = '\0';
    m_szSldError[0] = '\0';
}

KivSlideFile::~KivSlideFile() = default;

void KivSlideFile::SetSlideError(int code, const char* name, const char* slide)
{
    if (code < 0 || code > 8)
        code = 6; // no message of its own: "Error Unknown"
    name = name ? name : "";
    slide = slide ? slide : "";
    m_nSldError = code;
    t_reason.clear();
    switch (code) {
    case 1:
    case 7: FormatBounded(m_szSldError, sizeof m_szSldError, kMessages[code], name); break;
    case 5:
    case 8: FormatBounded(m_szSldError, sizeof m_szSldError, kMessages[code], slide, name); break;
    default: CopyBounded(m_szSldError, sizeof m_szSldError, kMessages[code]); break;
    }
}

const char* KivSlideFile::GetSlideError()
{
    return m_szSldError;
}

void KivSlideFile::SetSlideErrorReason(const std::string& reason)
{
    t_reason = reason;
}

const char* KivSlideFile::GetSlideErrorReason()
{
    return t_reason.c_str();
}

void KivSlideFile::SetReference(const char* reference)
{
    m_szLibrary[0] = '\0';
    m_szSlide[0] = '\0';
    const std::string text = reference ? reference : "";
    const auto open = text.find('(');
    if (open == std::string::npos) {
        CopyBounded(m_szSlide, sizeof m_szSlide, text.c_str());
        return;
    }
    const auto close = text.find(')', open + 1);
    CopyBounded(m_szLibrary, sizeof m_szLibrary, text.substr(0, open).c_str());
    CopyBounded(m_szSlide, sizeof m_szSlide,
        text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1).c_str());
}

int KivSlideFile::Open(const char* reference)
{
    Close();
    SetReference(reference);
    ByteSource file, view;
    if (m_szLibrary[0] == '\0') {
        std::string why;
        if (!slidelib::openWholeFile(ResolvePathNoCase(m_szSlide), view, &why)) {
            SetSlideError(1, m_szSlide, nullptr);
            SetSlideErrorReason(why);
            return 1;
        }
    } else {
        const int code = slidelib::openLibrarySlide(m_szLibrary, m_szSlide, file, view);
        if (code != 0)
            return code;
    }
    OpenSource(std::move(file), std::move(view));
    return 0;
}

void KivSlideFile::OpenBytes(const std::uint8_t* data, std::size_t size)
{
    OpenSource({}, ByteSource::fromBytes(std::vector<std::uint8_t>(data, data + (data ? size : 0))));
}

void KivSlideFile::OpenSource(ByteSource file, ByteSource view)
{
    Close();
    m_file = std::move(file);
    m_source = std::move(view);
    m_reader.seek(0);
    m_open = true;
}

void KivSlideFile::Close()
{
    m_source.close();
    m_file.close();
    m_reader.seek(0);
    m_open = false;
}

bool KivSlideFile::readWord(std::uint16_t& word)
{
    if (!m_reader.le16(word))
        return false;
    if (m_bSwapped)
        word = swap16(word);
    return true;
}

void KivSlideFile::ReverseWord(unsigned short* word)
{
    if (word)
        *word = swap16(*word);
}

int KivSlideFile::IsOlder()
{
    std::uint8_t level = 0;
    if (!m_open || m_reader.remaining() <= 18 || !m_source.read(m_reader.pos() + 18, &level, 1))
        return 0;
    return level;
}

int KivSlideFile::GetLevel() const
{
    std::uint8_t level = 0;
    return m_open && m_source.read(18, &level, 1) ? level : 0;
}

int KivSlideFile::ReadHeader(KivSlideNew* header)
{
    if (!m_open || !header)
        return 0;
    std::uint8_t raw[kNewHeaderSize];
    int result = 0;
    if (!m_reader.bytes(raw, sizeof raw)) {
        result = 3; // too short to hold a header
    } else {
        readCommonFields(raw, header);
        std::memcpy(header->aspect, raw + 23, 4);
        header->fill = ReadLe16(raw + 27);
        header->test = ReadLe16(raw + 29);
        if (!identifies(header->id, header->type) || (header->fill != 0 && header->fill != 2 && header->fill != 0x0200))
            result = 2;
        if (header->test == 0x1234)
            m_bSwapped = 0;
        else if (header->test == 0x3412)
            m_bSwapped = 1;
        else
            result = 3;
        // The ratio times 10,000,000, in the slide's byte order.
        const std::uint32_t aspect = m_bSwapped ? ReadBe32(raw + 23) : ReadLe32(raw + 23);
        m_aspect = static_cast<double>(aspect) / 1.0e7;
        if (m_bSwapped) { // by value: the packed members may be misaligned
            header->highX = swap16(header->highX);
            header->highY = swap16(header->highY);
        }
        m_highX = header->highX;
        m_highY = header->highY;
    }
    SetSlideError(result, nullptr, nullptr);
    return result;
}

int KivSlideFile::ReadHeader(KivSlideOld* header)
{
    if (!m_open || !header)
        return 0;
    std::uint8_t raw[kOldHeaderSize];
    int result = 0;
    m_bSwapped = 0;
    if (!m_reader.bytes(raw, sizeof raw)) {
        result = 3;
    } else {
        readCommonFields(raw, header);
        std::memcpy(header->aspect, raw + 23, 8);
        header->fill = ReadLe16(raw + 31);
        header->unused = raw[33];
        const std::uint64_t bits = ReadLe64(raw + 23); // an IEEE double
        std::memcpy(&m_aspect, &bits, sizeof m_aspect);
        if (!identifies(header->id, header->type) || (header->fill != 0 && header->fill != 2))
            result = 2;
        m_highX = header->highX;
        m_highY = header->highY;
    }
    SetSlideError(result, nullptr, nullptr);
    return result;
}

int KivSlideFile::GetSlideSize(short* highX, short* highY)
{
    int result;
    if (IsOlder() == 1) {
        KivSlideOld header;
        result = ReadHeader(&header);
    } else {
        KivSlideNew header;
        result = ReadHeader(&header);
    }
    if (highX)
        *highX = static_cast<short>(m_highX);
    if (highY)
        *highY = static_cast<short>(m_highY);
    return result;
}

double KivSlideFile::AspectStretch(int x, int y, double aspect)
{
    if (x <= 0 || y <= 0 || !(aspect >= 0.1 && aspect <= 10.0))
        return 1.0;
    const double f = aspect * y / x;
    return std::fabs(f - 1.0) > 0.01 ? f : 1.0;
}

bool KivSlideFile::FitMapping(int x, int y, double aspect, const CRect& client, LogicalMapping& mapping)
{
    using namespace vandrel::win32;
    const int w = client.Width();
    const int h = client.Height();
    const float r = static_cast<float>(h) / static_cast<float>(w);
    if (r == 0.0f || !(std::fabs(r) < 1.0e10f))
        return false;
    // A plausible stored aspect ratio that the extents do not give is kept,
    // as the slide's own program showed it: X is stretched by f.
    const double f = AspectStretch(x, y, aspect);
    if (f != 1.0) {
        mapping.SetMapMode(MM_ANISOTROPIC);
        const double fx = x * f;
        if (y / fx <= r)
            mapping.SetWindowExt(x, static_cast<int>(fx * r));
        else
            mapping.SetWindowExt(static_cast<int>(y / r / f), y);
    } else {
        mapping.SetMapMode(MM_ISOTROPIC);
        if (static_cast<float>(y) / static_cast<float>(x) <= r)
            mapping.SetWindowExt(x, static_cast<int>(x * r));
        else
            mapping.SetWindowExt(static_cast<int>(y / r), y);
    }
    mapping.SetViewportExt(w - 1, 1 - h);
    mapping.SetViewportOrg(client.left, client.top + h - 1);
    return true;
}

int KivSlideFile::ReadHeader()
{
    if (!m_open)
        return 0;
    return GetSlideSize(nullptr, nullptr);
}

int KivSlideFile::DecodeRecords(KivSlideSink& sink, KivSlidePoint& last)
{
    if (!m_open)
        return 0;
    std::vector<KivSlidePoint> vertices;
    for (;;) {
        std::uint16_t word;
        if (!readWord(word))
            return 0;
        const unsigned kind = word >> 8;
        const std::uint8_t low = static_cast<std::uint8_t>(word & 0xFF);
        if (kind <= 0x7F) {
            std::uint16_t fromY, toX, toY;
            if (!readWord(fromY) || !readWord(toX) || !readWord(toY))
                return 0;
            const KivSlidePoint from {word, fromY};
            sink.SlideLine(from, {toX, toY});
            last = from;
        } else if (kind <= 0xFA) {
            continue;
        } else if (kind == 0xFB) {
            std::uint8_t d[3];
            if (!m_reader.bytes(d, 3))
                return 0;
            const KivSlidePoint from {offset(last.x, low), offset(last.y, d[0])};
            const KivSlidePoint to {offset(last.x, d[1]), offset(last.y, d[2])};
            sink.SlideLine(from, to);
            last = from;
        } else if (kind == 0xFC) {
            return 1;
        } else if (kind == 0xFD) {
            std::uint16_t count, unused;
            if (!readWord(count) || !readWord(unused))
                return 0;
            if (count == 0)
                continue; // the record that closes a fill
            if (m_reader.remaining() / 6 < count) {
                m_reader.seek(m_reader.size());
                return 0;
            }
            vertices.clear();
            vertices.reserve(count);
            for (unsigned i = 0; i < count; ++i) {
                std::uint16_t skip, x, y;
                readWord(skip);
                readWord(x);
                readWord(y);
                // Vertices beyond the extent fold back: 65535 - x.
                if (x > m_highX)
                    x = static_cast<std::uint16_t>(65535 - x);
                if (y > m_highY)
                    y = static_cast<std::uint16_t>(65535 - y);
                vertices.push_back({x, y});
            }
            sink.SlidePolygon(vertices);
        } else if (kind == 0xFE) {
            std::uint8_t dy;
            if (!m_reader.u8(dy))
                return 0;
            const KivSlidePoint from {offset(last.x, low), offset(last.y, dy)};
            sink.SlideLine(from, last);
            last = from;
        } else { // 0xFF
            sink.SlideColor(low);
        }
    }
}
