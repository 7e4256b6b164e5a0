#include "dbf/KivDbfData.h"

#include "platform/CString.h"
#include "platform/PathNoCase.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace {

std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// Field values are short: GCC expands a memcpy of unknown size into
// "rep movs", whose start-up costs more than the copy. Through a pointer the
// C library's memcpy runs, which is fast at every size.
void* (*const volatile copyField)(void*, const void*, std::size_t) = &std::memcpy;

// Bytes from the stream's position to its end; -1 when unknown.
long long bytesLeft(std::FILE* file)
{
    const long at = std::ftell(file);
    if (at < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long end = std::ftell(file);
    std::fseek(file, at, SEEK_SET);
    return end < at ? 0 : end - at;
}

} // namespace

std::uint32_t KivDbfHeader::recordCount() const
{
    return le32(bytes + 4);
}
std::uint16_t KivDbfHeader::headerLength() const
{
    return le16(bytes + 8);
}
std::uint16_t KivDbfHeader::recordLength() const
{
    return le16(bytes + 10);
}

void KivDbfField::getName(char out[12]) const
{
    std::memcpy(out, bytes, 11);
    out[11] = '\0';
}

std::uint32_t KivDbfField::getDisplacement() const
{
    return le32(bytes + 12);
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
    m_list.addTail(field);
    m_index.push_back(field);
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

int KivDbfRecord::getValue(long record, int field, char* out) const
{
    if (!out)
        return 0;
    out[0] = '\0';
    if (record < 0 || record >= m_count || !m_fields)
        return 0;
    const KivDbfField* f = m_fields->getAt(field);
    if (!f)
        return 0;
    const std::uint64_t displacement = f->getDisplacement();
    const std::uint64_t length = static_cast<std::uint64_t>(f->getLength());
    if (displacement + length > static_cast<std::uint64_t>(m_length))
        return 0; // the descriptor promises bytes the record does not have
    const char* source = m_block.data() + static_cast<std::size_t>(record) * (static_cast<std::size_t>(m_length) + 1);
    copyField(out, source + displacement, static_cast<std::size_t>(length));
    out[length] = '\0';
    return 1;
}

const char* KivDbfRecord::getRecord(long record) const
{
    if (record < 0 || record >= m_count)
        return nullptr;
    return m_block.data() + static_cast<std::size_t>(record) * (static_cast<std::size_t>(m_length) + 1);
}

bool KivDbfRecord::isDeleted(long record) const
{
    const char* r = getRecord(record);
    return r && m_length > 0 && r[0] == '*';
}

void KivDbfRecord::removeAll()
{
    m_block.clear();
    m_block.shrink_to_fit();
    m_count = 0;
}

void KivDbfRecord::load(std::FILE* file, long count, int length)
{
    removeAll();
    m_length = length;
    if (!file || count <= 0 || length <= 0)
        return;
    // Never more records than the file holds, whatever the header claims.
    const long long left = bytesLeft(file);
    if (left >= 0)
        count = static_cast<long>(std::min<long long>(count, left / length));
    const std::size_t stride = static_cast<std::size_t>(length) + 1;
    m_block.resize(static_cast<std::size_t>(count) * stride);
    // Whole runs of records at a time, each then given its NUL.
    const long perChunk = std::max(1L, static_cast<long>((1 << 20) / length));
    std::vector<char> chunk(static_cast<std::size_t>(std::min(count, perChunk)) * static_cast<std::size_t>(length));
    long read = 0;
    while (read < count) {
        const long want = std::min(count - read, perChunk);
        const std::size_t got
            = std::fread(chunk.data(), 1, static_cast<std::size_t>(want) * static_cast<std::size_t>(length), file);
        const long whole = static_cast<long>(got / static_cast<std::size_t>(length));
        for (long i = 0; i < whole; ++i) {
            char* slot = m_block.data() + static_cast<std::size_t>(read + i) * stride;
            std::memcpy(slot, chunk.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(length),
                static_cast<std::size_t>(length));
            slot[length] = '\0';
        }
        read += whole;
        if (whole < want)
            break;
    }
    m_count = read;
    m_block.resize(static_cast<std::size_t>(read) * stride);
}

KivDbfData::KivDbfData() = default;

KivDbfData::~KivDbfData()
{
    close();
}

int KivDbfData::open(const char* path)
{
    CopyBounded(m_szPath, sizeof m_szPath, path);
    std::FILE* file = std::fopen(ResolvePathNoCase(m_szPath).c_str(), "rb");
    if (!file)
        return 0;
    const int opened = open(file);
    std::fclose(file);
    return opened;
}

int KivDbfData::open(std::FILE* file)
{
    if (!file)
        return 0;
    m_records.removeAll();
    if (readHeader(file, &m_header))
        readFields(file, &m_fields, m_nFieldCount);
    else
        m_fields.removeData();
    return 1;
}

KivDbfRecord* KivDbfData::createRecord()
{
    std::FILE* file = std::fopen(ResolvePathNoCase(m_szPath).c_str(), "rb");
    if (!file)
        return nullptr;
    KivDbfRecord* records = createRecord(file);
    std::fclose(file);
    return records;
}

KivDbfRecord* KivDbfData::createRecord(std::FILE* file)
{
    if (!file)
        return nullptr;
    m_records.setFieldList(&m_fields);
    readRecords(
        file, &m_records, static_cast<long>(m_header.recordCount()), m_header.recordLength(), m_header.headerLength());
    return &m_records;
}

void KivDbfData::close()
{
    m_nFieldCount = -1;
    m_records.removeAll();
    m_fields.removeData();
}

int KivDbfData::readHeader(std::FILE* file, KivDbfHeader* header)
{
    m_nFieldCount = -1;
    if (!file || !header)
        return 0;
    if (std::fseek(file, 0, SEEK_SET) != 0 || std::fread(header->bytes, sizeof header->bytes, 1, file) != 1)
        return 0;
    // A header length below 32 claims no fields at all.
    m_nFieldCount = std::max(0, (static_cast<int>(header->headerLength()) - 32) / 32);
    return 1;
}

int KivDbfData::readFields(std::FILE* file, KivDbfFieldList* list, int count)
{
    if (!file || !list)
        return 0;
    list->removeData();
    if (std::fseek(file, 32, SEEK_SET) != 0)
        return 1;
    int read = 0;
    std::uint32_t running = 1; // where the next field starts, counted from the lengths
    for (; read < count; ++read) {
        auto* field = new KivDbfField;
        if (std::fread(field->bytes, sizeof field->bytes, 1, file) != 1) {
            delete field;
            break;
        }
        if (field->bytes[0] == 0x0D) {
            delete field;
            m_nFieldCount = read;
            return 1;
        }
        // FoxPro writes each field's displacement, and it is the truth; the
        // dBASE III family leaves it 0, which no field can have (byte 0 is the
        // deletion flag): there the fields lie end to end.
        if (field->getDisplacement() == 0)
            for (int i = 0; i < 4; ++i)
                field->bytes[12 + i] = static_cast<std::uint8_t>(running >> (8 * i));
        running += static_cast<std::uint32_t>(field->getLength());
        list->addField(field);
    }
    // A file that ends inside the descriptors has only those it holds.
    m_nFieldCount = read;
    return 1;
}

int KivDbfData::readRecords(std::FILE* file, KivDbfRecord* records, long count, int length, int offset)
{
    if (!file || !records)
        return 0;
    records->removeAll();
    if (std::fseek(file, offset, SEEK_SET) != 0)
        return 1;
    records->load(file, count, length);
    return 1;
}
