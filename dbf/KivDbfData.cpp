// SPDX-License-Identifier: MIT
#include "dbf/KivDbfData.h"

#include "platform/base/ByteOrder.h"
#include "platform/base/CString.h"
#include "platform/io/PathNoCase.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cstring>
#include <new>

Q_LOGGING_CATEGORY(lcDbf, "vandrel.dbf", QtWarningMsg)

namespace {

// Field values are short: GCC expands a memcpy of unknown size into
// "rep movs", whose start-up costs more than the copy. Through a pointer the
// C library's memcpy runs, which is fast at every size.
void* (*const volatile copyField)(void*, const void*, std::size_t) = &std::memcpy;

constexpr std::uint8_t kTerminator = 0x0D;

// dBASE II: record count (16 bits) at 1, record length at 6, up to 32
// descriptors of 16 bytes from 8, a byte for the terminator, the records.
constexpr int kDBase2Descriptors = 8;
constexpr int kDBase2DescriptorSize = 16;
constexpr int kDBase2MaxFields = 32;
constexpr int kDBase2HeaderLength = kDBase2Descriptors + kDBase2DescriptorSize * kDBase2MaxFields + 1;

// dBASE 7: the 32 bytes of dBASE III, the language driver's name and 4
// reserved bytes, then descriptors of 48 bytes.
constexpr int kDBase7Descriptors = 68;
constexpr int kDBase7DescriptorSize = 48;

struct DescriptorPlace {
    int first;
    int size;
};

DescriptorPlace descriptorPlace(KivDbfLayout layout)
{
    switch (layout) {
    case KivDbfLayout::DBase2: return {kDBase2Descriptors, kDBase2DescriptorSize};
    case KivDbfLayout::DBase7: return {kDBase7Descriptors, kDBase7DescriptorSize};
    default: return {32, 32};
    }
}

// Whether the lengths of the descriptors at first (until the terminator or
// maxFields) add up to recordLength - 1: the sign that the header was read
// in the layout it was written in.
bool lengthsFit(const ByteSource& source, DescriptorPlace place, int lengthAt, int maxFields, int recordLength)
{
    long sum = 1;
    std::uint8_t d[32];
    for (int i = 0; i < maxFields; ++i) {
        const std::uint64_t at = static_cast<std::uint64_t>(place.first) + static_cast<std::uint64_t>(i) * place.size;
        if (!source.read(at, d, 1))
            return false;
        if (d[0] == kTerminator)
            break;
        if (!source.read(at, d, static_cast<std::size_t>(lengthAt) + 1))
            return false;
        sum += d[lengthAt];
    }
    return sum == recordLength;
}

} // namespace

bool KivDbfHeader::isFoxPro() const
{
    switch (version()) {
    case 0x30: // Visual FoxPro
    case 0x31: // with an autoincrement field
    case 0x32: // with varchar or varbinary fields
    case 0xF5: // FoxPro 2 with a memo
    case 0xFB: // FoxBASE
        return m_layout == KivDbfLayout::DBase3;
    default: return false;
    }
}

void KivDbfField::getName(char out[12]) const
{
    std::memcpy(out, m_name, 11);
    out[11] = '\0';
}

KivDbfFieldList::List::List()
{
    setElementDeleter(&deleteElement<KivDbfField>);
}

KivDbfFieldList::KivDbfFieldList() = default;

KivDbfFieldList::~KivDbfFieldList()
{
    m_list.removeData();
}

void KivDbfFieldList::addField(KivDbfField* field)
{
    if (!field)
        return;
    m_index.push_back(field);
    m_list.addTail(field);
}

void KivDbfFieldList::removeData()
{
    m_index.clear();
    m_list.removeData();
}

KivDbfField* KivDbfFieldList::getAt(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < m_index.size() ? m_index[static_cast<std::size_t>(index)]
                                                                          : nullptr;
}

long KivDbfFieldList::getAddr(int index) const
{
    const KivDbfField* field = getAt(index);
    return field ? static_cast<long>(field->getDisplacement()) : -1;
}

int KivDbfFieldList::getMaxLength() const
{
    int longest = 0;
    for (const KivDbfField* f : m_index)
        longest = std::max(longest, f->getLength());
    return longest;
}

const char* KivDbfRecord::getField(long record, int field, int* length) const
{
    if (record < 0 || record >= m_count || !m_fields)
        return nullptr;
    const KivDbfField* f = m_fields->getAt(field);
    if (!f)
        return nullptr;
    const std::uint64_t displacement = f->getDisplacement();
    const std::uint64_t size = static_cast<std::uint64_t>(f->getLength());
    if (displacement + size > static_cast<std::uint64_t>(m_length))
        return nullptr; // the descriptor promises bytes the record does not have
    if (length)
        *length = f->getLength();
    return m_first + static_cast<std::size_t>(record) * static_cast<std::size_t>(m_length) + displacement;
}

int KivDbfRecord::getValue(long record, int field, char* out) const
{
    if (!out)
        return 0;
    out[0] = '\0';
    int length = 0;
    const char* source = getField(record, field, &length);
    if (!source)
        return 0;
    copyField(out, source, static_cast<std::size_t>(length));
    out[length] = '\0';
    return 1;
}

const char* KivDbfRecord::getRecord(long record) const
{
    if (record < 0 || record >= m_count)
        return nullptr;
    // A record handed out ends in a NUL, which the mapped file has not: each
    // is copied the first time it is asked for, and stays until the records
    // go. Fields are read in place (getField), so whole-table reads copy
    // nothing.
    try {
        std::unique_ptr<char[]>& copy = m_terminated[record];
        if (!copy) {
            const std::size_t length = static_cast<std::size_t>(m_length);
            copy = std::make_unique<char[]>(length + 1);
            std::memcpy(copy.get(), recordAt(record), length);
            copy[length] = '\0';
        }
        return copy.get();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool KivDbfRecord::isDeleted(long record) const
{
    return record >= 0 && record < m_count && m_length > 0 && recordAt(record)[0] == '*';
}

const char* KivDbfRecord::recordAt(long record) const
{
    return m_first + static_cast<std::size_t>(record) * static_cast<std::size_t>(m_length);
}

void KivDbfRecord::removeAll()
{
    m_first = nullptr;
    m_count = 0;
    m_copy.clear();
    m_copy.shrink_to_fit();
    m_terminated.clear();
}

void KivDbfRecord::attach(const std::uint8_t* first, long count, int length)
{
    m_first = reinterpret_cast<const char*>(first);
    m_count = first ? count : 0;
    m_length = length;
    m_terminated.clear();
}

KivDbfData::KivDbfData() = default;

KivDbfData::~KivDbfData()
{
    close();
}

int KivDbfData::open(const char* path)
{
    CopyBounded(m_szPath, sizeof m_szPath, path);
    ByteSource source;
    try {
        source.openFile(ResolvePathNoCase(m_szPath));
    } catch (const std::bad_alloc&) {
    }
    return open(std::move(source));
}

int KivDbfData::open(std::FILE* file)
{
    ByteSource source;
    source.openStream(file);
    return open(std::move(source));
}

int KivDbfData::open(ByteSource source)
{
    m_records.removeAll();
    m_source = std::move(source);
    if (!m_source.isOpen()) {
        m_nFieldCount = -1;
        m_fields.removeData();
        return 0;
    }
    if (readHeader(m_source, &m_header))
        readFields(m_source, &m_fields, m_nFieldCount);
    else
        m_fields.removeData();
    return 1;
}

KivDbfRecord* KivDbfData::createRecord()
{
    if (!m_source.isOpen())
        return nullptr;
    m_records.setFieldList(&m_fields);
    readRecords(m_source, &m_records, countRecords(), m_header.recordLength(), m_header.headerLength());
    return &m_records;
}

KivDbfRecord* KivDbfData::createRecord(std::FILE* file)
{
    ByteSource source;
    if (!source.openStream(file))
        return nullptr;
    m_records.removeAll();
    m_source = std::move(source);
    return createRecord();
}

void KivDbfData::close()
{
    m_nFieldCount = -1;
    m_records.removeAll();
    m_fields.removeData();
    m_source.close();
}

long KivDbfData::countRecords() const
{
    const std::uint64_t length = m_header.recordLength();
    const std::uint64_t offset = m_header.headerLength();
    if (m_header.layout() == KivDbfLayout::None || length == 0 || m_source.size() <= offset)
        return 0;
    return static_cast<long>(std::min<std::uint64_t>(m_header.recordCount(), (m_source.size() - offset) / length));
}

void KivDbfData::releaseRecords(long first, long count) const
{
    if (first < 0 || count <= 0)
        return;
    const std::uint64_t length = m_header.recordLength();
    m_source.release(m_header.headerLength() + static_cast<std::uint64_t>(first) * length,
        static_cast<std::uint64_t>(count) * length);
}

KivDbfLayout KivDbfData::detectLayout(const ByteSource& source, const KivDbfHeader& header) const
{
    const int version = header.version();
    if ((version & 0x07) == 4)
        return KivDbfLayout::DBase7;
    if (version != 0x02)
        return KivDbfLayout::DBase3;
    // FoxBASE also wrote version 2, with the dBASE III header: the layout
    // whose descriptors fill the record is the one the table was written in.
    const int recordLength2 = ReadLe16(header.bytes + 6);
    if (lengthsFit(source, descriptorPlace(KivDbfLayout::DBase2), 12, kDBase2MaxFields, recordLength2))
        return KivDbfLayout::DBase2;
    const int headerLength3 = ReadLe16(header.bytes + 8);
    if (headerLength3 > 32
        && lengthsFit(
            source, descriptorPlace(KivDbfLayout::DBase3), 16, (headerLength3 - 32) / 32, ReadLe16(header.bytes + 10)))
        return KivDbfLayout::DBase3;
    return KivDbfLayout::DBase2;
}

int KivDbfData::readHeader(const ByteSource& source, KivDbfHeader* header)
{
    m_nFieldCount = -1;
    if (!header)
        return 0;
    *header = KivDbfHeader();
    if (!source.read(0, header->bytes, sizeof header->bytes))
        return 0;
    header->m_layout = detectLayout(source, *header);
    int fieldCount = 0;
    switch (header->m_layout) {
    case KivDbfLayout::DBase2:
        header->m_recordCount = ReadLe16(header->bytes + 1);
        header->m_recordLength = ReadLe16(header->bytes + 6);
        header->m_headerLength = kDBase2HeaderLength;
        fieldCount = kDBase2MaxFields;
        break;
    case KivDbfLayout::DBase7: {
        header->m_recordCount = ReadLe32(header->bytes + 4);
        header->m_headerLength = ReadLe16(header->bytes + 8);
        header->m_recordLength = ReadLe16(header->bytes + 10);
        std::uint8_t name[32];
        if (source.read(32, name, sizeof name))
            for (std::size_t i = 0; i < sizeof name && name[i]; ++i)
                header->m_driverName[i] = static_cast<char>(name[i]);
        fieldCount = (header->m_headerLength - kDBase7Descriptors) / kDBase7DescriptorSize;
        break;
    }
    default:
        header->m_recordCount = ReadLe32(header->bytes + 4);
        header->m_headerLength = ReadLe16(header->bytes + 8);
        header->m_recordLength = ReadLe16(header->bytes + 10);
        fieldCount = (header->m_headerLength - 32) / 32;
        break;
    }
    // A header length too small for the descriptors claims no fields at all.
    m_nFieldCount = std::max(0, fieldCount);
    return 1;
}

KivDbfField* KivDbfData::readField(const ByteSource& source, KivDbfLayout layout, int index, bool& end) const
{
    const DescriptorPlace place = descriptorPlace(layout);
    std::uint8_t raw[kDBase7DescriptorSize];
    const std::uint64_t at = static_cast<std::uint64_t>(place.first) + static_cast<std::uint64_t>(index) * place.size;
    end = !source.read(at, raw, 1) || raw[0] == kTerminator;
    if (end || !source.read(at, raw, static_cast<std::size_t>(place.size))) {
        end = true;
        return nullptr;
    }
    auto* field = new KivDbfField;
    switch (layout) {
    case KivDbfLayout::DBase2:
        // name[11] type length address[2] decimals
        std::memcpy(field->bytes, raw, 12);
        field->bytes[16] = raw[12];
        field->bytes[17] = raw[15];
        std::memcpy(field->m_name, raw, 11);
        break;
    case KivDbfLayout::DBase7:
        // name[32] type length decimals ...
        std::memcpy(field->bytes, raw, 11);
        field->bytes[11] = raw[32];
        field->bytes[16] = raw[33];
        field->bytes[17] = raw[34];
        std::memcpy(field->m_name, raw, 32);
        break;
    default:
        std::memcpy(field->bytes, raw, 32);
        std::memcpy(field->m_name, raw, 11);
        break;
    }
    field->m_length = field->bytes[16];
    field->m_decimals = field->bytes[17];
    return field;
}

int KivDbfData::readFields(const ByteSource& source, KivDbfFieldList* list, int count)
{
    if (!list)
        return 0;
    list->removeData();
    int read = 0;
    try {
        for (bool end = false; read < count; ++read) {
            KivDbfField* field = readField(source, m_header.layout(), read, end);
            if (end)
                break;
            list->addField(field);
        }
    } catch (const std::bad_alloc&) {
        list->removeData();
        read = 0;
    }
    // A terminator or the end of the file ends the list early.
    m_nFieldCount = read;
    placeFields(list);
    return 1;
}

// Where each field lies. The descriptors' displacements are trusted only
// from the FoxPro family, which writes them, and only when every field lies
// inside the record without overlapping another: other writers leave 0,
// 0-based offsets, addresses in memory or garbage there. Everywhere else the
// fields lie end to end after the deletion flag.
void KivDbfData::placeFields(KivDbfFieldList* list) const
{
    const int count = list->getCount();
    const std::uint64_t recordLength = m_header.recordLength();
    const KivDbfLayout layout = m_header.layout();

    // FoxPro and Clipper keep the high byte of a character field's length in
    // the decimal count. Taken unless only the short lengths fit the record.
    std::uint64_t narrow = 1;
    std::uint64_t wide = 1;
    for (int i = 0; i < count; ++i) {
        const KivDbfField* f = list->getAt(i);
        narrow += f->bytes[16];
        wide += f->bytes[16] + (f->getType() == 'C' ? f->bytes[17] << 8 : 0);
    }
    const bool useWide = layout == KivDbfLayout::DBase3 && (wide <= recordLength || narrow > recordLength);
    for (int i = 0; useWide && i < count; ++i) {
        KivDbfField* f = list->getAt(i);
        if (f->getType() == 'C' && f->bytes[17]) {
            f->m_length = f->bytes[16] | (f->bytes[17] << 8);
            f->m_decimals = 0;
        }
    }

    bool declared = m_header.isFoxPro() && count > 0;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> spans; // start, end
    for (int i = 0; declared && i < count; ++i) {
        const KivDbfField* f = list->getAt(i);
        const std::uint64_t at = ReadLe32(f->bytes + 12);
        const std::uint64_t end = at + static_cast<std::uint64_t>(f->getLength());
        declared = at >= 1 && end <= recordLength;
        spans.emplace_back(at, end);
    }
    if (declared) {
        std::sort(spans.begin(), spans.end());
        for (std::size_t i = 1; declared && i < spans.size(); ++i)
            declared = spans[i - 1].second <= spans[i].first;
    }
    std::uint32_t running = 1;
    for (int i = 0; i < count; ++i) {
        KivDbfField* f = list->getAt(i);
        f->m_displacement = declared ? ReadLe32(f->bytes + 12) : running;
        running += static_cast<std::uint32_t>(f->getLength());
    }
}

int KivDbfData::readRecords(ByteSource& source, KivDbfRecord* records, long count, int length, int offset)
{
    if (!records)
        return 0;
    records->removeAll();
    if (count <= 0 || length <= 0 || offset < 0 || static_cast<std::uint64_t>(offset) >= source.size())
        return 1;
    // Never more records than the file holds, whatever the header claims.
    const std::uint64_t fit = (source.size() - static_cast<std::uint64_t>(offset)) / static_cast<std::uint64_t>(length);
    if (static_cast<std::uint64_t>(count) > fit)
        qCDebug(
            lcDbf, "the header claims %ld records, the file holds %llu", count, static_cast<unsigned long long>(fit));
    count = static_cast<long>(std::min<std::uint64_t>(static_cast<std::uint64_t>(count), fit));
    const std::uint64_t bytes = static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(length);
    if (source.map()) {
        records->attach(source.data() + offset, count, length);
        return 1;
    }
    // Where the system cannot map the file the records are copied: a table
    // too big for memory then has none.
    try {
        if (source.readRange(static_cast<std::uint64_t>(offset), bytes, records->m_copy))
            records->attach(records->m_copy.data(), count, length);
    } catch (const std::bad_alloc&) {
        records->removeAll();
    }
    return 1;
}
