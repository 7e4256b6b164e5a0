// SPDX-License-Identifier: MIT
#include "dbf/KivDbfTable.h"

#include "dbf/KivDbfCodePage.h"
#include "platform/io/ByteSource.h"
#include "platform/io/PathNoCase.h"

#include <QStringDecoder>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace {

std::string stemOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path;
}

// A small file beside the table: its bytes, or empty when there is none.
QByteArray readSmallFile(const std::string& path)
{
    ByteSource source;
    std::vector<std::uint8_t> bytes;
    if (!source.openFile(ResolvePathNoCase(path.c_str())) || !source.readRange(0, source.size(), bytes, 4096))
        return {};
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

} // namespace

bool KivDbfTable::isMemoField(const KivDbfHeader& header, char type)
{
    switch (type) {
    case 'M':
    case 'G':
    case 'P':
    case 'W': return true;
    case 'B': // a binary memo in dBASE, a double in Visual FoxPro
        return !(header.isFoxPro() && header.version() != 0xF5 && header.version() != 0xFB);
    default: return false;
    }
}

void KivDbfTable::findMemo()
{
    const KivDbfHeader& header = data.getHeader();
    for (int f = 0; const KivDbfField* field = data.getFieldList().getAt(f); ++f)
        memoFields = memoFields || isMemoField(header, field->getType());
    if (!memoFields || path.empty())
        return;
    const std::string stem = stemOf(path);
    const char* order[2] = {".dbt", ".fpt"};
    if (header.isFoxPro())
        std::swap(order[0], order[1]);
    for (const char* ext : order)
        if (memo.open((stem + ext).c_str(), header.version())) {
            memoPath = ResolvePathNoCase((stem + ext).c_str());
            return;
        }
}

// The text of the character fields, up to a sample's worth of values that
// are not plain ASCII (the only ones that tell code pages apart).
std::string KivDbfTable::textSample()
{
    // Enough text to tell, looked for in at most so many records of a
    // table that is mostly ASCII.
    constexpr std::size_t kSampleBytes = 1 << 20;
    constexpr long kMaxRecords = 200000;
    std::string sample;
    const KivDbfRecord* records = data.createRecord();
    const KivDbfFieldList& fields = data.getFieldList();
    const long scanned = records ? std::min(records->getCount(), kMaxRecords) : 0;
    constexpr long kReleaseEvery = 8192;
    for (long r = 0; r < scanned && sample.size() < kSampleBytes; ++r) {
        if (r % kReleaseEvery == 0 && r > 0)
            data.releaseRecords(r - kReleaseEvery, kReleaseEvery); // as the dump does

        for (int f = 0; const KivDbfField* field = fields.getAt(f); ++f) {
            int length = 0;
            const char* bytes = field->getType() == 'C' ? records->getField(r, f, &length) : nullptr;
            const std::string_view value(bytes ? bytes : "", static_cast<std::size_t>(length));
            if (std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
                sample.append(value);
                sample += ' ';
            }
        }
    }
    data.releaseRecords(0, scanned); // read again by the dump, a run at a time
    return sample;
}

bool KivDbfTable::chooseCodePage(const QByteArray& requested)
{
    guessed = false;
    codePage.clear();
    codePageFrom.clear();
    if (!requested.isEmpty()) {
        codePage = requested;
        codePageFrom = "from --encoding";
    } else if (const QByteArray cpg = path.empty() ? QByteArray() : readSmallFile(stemOf(path) + ".cpg");
               !cpg.trimmed().isEmpty()) {
        codePage = KivDbfCodePage::ofCpg(cpg);
        codePageFrom = "from the .cpg file";
    } else if (const char* name = KivDbfCodePage::ofDriver(data.getHeader().languageDriver())) {
        codePage = name;
        codePageFrom = "from the language driver";
    } else if (const QByteArray driver = KivDbfCodePage::ofDriverName(data.getHeader().languageDriverName());
               !driver.isEmpty()) {
        codePage = driver;
        codePageFrom = "from the language driver";
    }
    if (!codePage.isEmpty() && !QStringDecoder(codePage.constData()).isValid()) {
        if (!requested.isEmpty())
            return false;
        codePage.clear(); // a .cpg naming something unknown: guessed below
    }
    if (codePage.isEmpty()) {
        codePage = KivDbfCodePage::guess(textSample(), KivDbfCodePage::fromDos(data.getHeader()));
        if (!codePage.isEmpty()) {
            guessed = true;
            codePageFrom = codePage == "ISO-8859-1" ? "no guess fits the text: each byte as itself"
                                                    : "from the text, by detection";
        }
    }
    return true;
}

const char* KivDbfTable::formatName(const KivDbfHeader& h)
{
    switch (h.layout()) {
    case KivDbfLayout::DBase2: return "dBASE II";
    case KivDbfLayout::DBase7: return h.version() == 0x8C ? "dBASE 7 with memo" : "dBASE 7";
    default: break;
    }
    switch (h.version()) {
    case 0x02: return "FoxBASE";
    case 0x03: return "dBASE III or later, no memo";
    case 0x30:
    case 0x31:
    case 0x32: return "Visual FoxPro";
    case 0x43:
    case 0x63: return "dBASE IV SQL";
    case 0x83: return "dBASE III with memo";
    case 0x8B: return "dBASE IV with memo";
    case 0xCB: return "dBASE IV SQL with memo";
    case 0xF5: return "FoxPro 2 with memo";
    case 0xFB: return "FoxBASE";
    default: return "unknown dBASE variant";
    }
}
