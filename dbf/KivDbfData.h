// SPDX-License-Identifier: MIT
// A read-only dBASE table (.dbf) of the dBASE II, dBASE III/IV/5, FoxPro and
// dBASE 7 families: header and field descriptors on open, the records on
// createRecord(), one field of one record as stored by getValue. No writing
// or indexes; memo files are read by KivDbfMemo. Input comes through a
// ByteSource (regular files only, opened without blocking, every size
// checked against the bytes that are there), and the records are the file
// mapped into memory, so a big table costs address space, not resident
// memory. Damaged files never make a read leave the bytes the file holds:
// what cannot be read is simply not there.
#pragma once

#include "core/KivObjList.h"
#include "dbf/KivDbf_export.h"
#include "platform/io/ByteSource.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <unordered_map>
#include <vector>

// How a table lays out its header and field descriptors.
enum class KivDbfLayout {
    None, // no header read
    DBase2, // 8-byte header, 16-byte descriptors, records at 521
    DBase3, // 32-byte header and descriptors: dBASE III to 5, FoxPro
    DBase7, // 68-byte header with the language driver's name, 48-byte descriptors
};

// The first 32 bytes of the file, raw, and what the reader took from them.
struct KIVDBF_EXPORT KivDbfHeader {
    std::uint8_t bytes[32] = {};

    int version() const { return bytes[0]; }
    std::uint32_t recordCount() const { return m_recordCount; }
    std::uint16_t headerLength() const { return m_headerLength; }
    std::uint16_t recordLength() const { return m_recordLength; }
    KivDbfLayout layout() const { return m_layout; }
    // The language driver (code page) byte; 0 when the table names none.
    int languageDriver() const { return m_layout == KivDbfLayout::DBase2 ? 0 : bytes[29]; }
    // dBASE 7 names its language driver too; empty elsewhere.
    const char* languageDriverName() const { return m_driverName; }
    // Visual FoxPro and FoxPro 2 write field displacements and keep binary
    // numbers little-endian.
    bool isFoxPro() const;

private:
    friend class KivDbfData;
    std::uint32_t m_recordCount = 0;
    std::uint16_t m_headerLength = 0;
    std::uint16_t m_recordLength = 0;
    KivDbfLayout m_layout = KivDbfLayout::None;
    char m_driverName[33] = {};
};

// One field descriptor. bytes holds it in the 32-byte layout of dBASE III and
// FoxPro: as read, or assembled from a dBASE II or dBASE 7 descriptor.
struct KIVDBF_EXPORT KivDbfField {
    std::uint8_t bytes[32] = {};

    // The name without its NUL padding, cut to 11 bytes.
    void getName(char out[12]) const;
    // The whole name: dBASE 7 names run to 32 bytes.
    const char* getFullName() const { return m_name; }
    char getType() const { return static_cast<char>(bytes[11]); }
    // Where the field starts in a record (the deletion flag is byte 0).
    std::uint32_t getDisplacement() const { return m_displacement; }
    // Bytes in a record; character fields of FoxPro and Clipper reach 65535.
    int getLength() const { return m_length; }
    int getDecimals() const { return m_decimals; }

private:
    friend class KivDbfData;
    char m_name[33] = {};
    std::uint32_t m_displacement = 0;
    int m_length = 0;
    int m_decimals = 0;
};

class KIVDBF_EXPORT KivDbfFieldList {
public:
    KivDbfFieldList();
    ~KivDbfFieldList();
    KivDbfFieldList(const KivDbfFieldList&) = delete;
    KivDbfFieldList& operator=(const KivDbfFieldList&) = delete;

    void addField(KivDbfField* field); // the list takes it
    KivDbfField* getAt(int index) const;
    // The field's displacement, -1 when there is no such field.
    long getAddr(int index) const;
    int getCount() const { return m_list.getCount(); }
    // The longest field, for sizing the buffer getValue writes to.
    int getMaxLength() const;
    void removeData();

private:
    struct List : KivObjList {
        List();
    } m_list;
    // The same fields by index: getValue looks one up for every value.
    std::vector<KivDbfField*> m_index;
};

// The records of a table: a view of the table's bytes (the mapped file, or a
// copy where the system cannot map it), owned by the table.
class KIVDBF_EXPORT KivDbfRecord {
public:
    KivDbfRecord() = default;
    KivDbfRecord(const KivDbfRecord&) = delete;
    KivDbfRecord& operator=(const KivDbfRecord&) = delete;

    // Copies field's bytes of record into out (which holds the field's
    // length + 1) and terminates them; 0 with out empty when record or field
    // is out of range, no field list is linked, or the field reaches past
    // the record.
    int getValue(long record, int field, char* out) const;
    // The same bytes without a copy: null when getValue would give 0.
    const char* getField(long record, int field, int* length) const;
    // The raw record, deletion flag first, getLength() bytes and a NUL;
    // null when there is no such record. The text stays valid until the
    // records are read again or go.
    const char* getRecord(long record) const;
    long getCount() const { return m_count; }
    int getLength() const { return m_length; }
    bool isDeleted(long record) const;

    void setFieldList(const KivDbfFieldList* fields) { m_fields = fields; }
    void removeAll();

private:
    friend class KivDbfData;
    void attach(const std::uint8_t* first, long count, int length);

    const char* recordAt(long record) const;

    const char* m_first = nullptr;
    long m_count = 0;
    int m_length = 0;
    const KivDbfFieldList* m_fields = nullptr;
    std::vector<std::uint8_t> m_copy; // only where the file cannot be mapped
    // Records handed out by getRecord, each with its NUL, made on demand.
    mutable std::unordered_map<long, std::unique_ptr<char[]>> m_terminated;
};

class KIVDBF_EXPORT KivDbfData {
public:
    KivDbfData();
    ~KivDbfData();
    KivDbfData(const KivDbfData&) = delete;
    KivDbfData& operator=(const KivDbfData&) = delete;

    // 1 once the file could be opened (even if its header is short), else 0:
    // also for a FIFO, a device or a folder, which are never read. The table
    // keeps the file open, so its records come from the file whose header
    // was read even when the path is replaced meanwhile.
    int open(const char* path);
    // The file behind a stream the caller opened and closes.
    int open(std::FILE* file);
    // A source the caller opened (a file or bytes in memory); the table
    // keeps it. 1 when it is open.
    int open(ByteSource source);
    // Lays the records out; gives the table's own record set, null when no
    // table is open.
    KivDbfRecord* createRecord();
    // The records of the file behind the stream, which becomes the table's.
    KivDbfRecord* createRecord(std::FILE* file);
    void close();

    const KivDbfHeader& getHeader() const { return m_header; }
    const KivDbfFieldList& getFieldList() const { return m_fields; }
    int getFieldCount() const { return m_nFieldCount; }
    const char* getPath() const { return m_szPath; }
    // The whole records the table holds: the header's count, or fewer when
    // the file is cut short. Reads nothing.
    long countRecords() const;
    // The records from first on, count of them, are not needed again soon:
    // a caller that streams through a big table releases those it is done
    // with, so that they leave resident memory. They stay readable.
    void releaseRecords(long first, long count) const;

private:
    int readHeader(const ByteSource& source, KivDbfHeader* header);
    int readFields(const ByteSource& source, KivDbfFieldList* list, int count);
    int readRecords(ByteSource& source, KivDbfRecord* records, long count, int length, int offset);
    KivDbfLayout detectLayout(const ByteSource& source, const KivDbfHeader& header) const;
    KivDbfField* readField(const ByteSource& source, KivDbfLayout layout, int index, bool& end) const;
    void placeFields(KivDbfFieldList* list) const;

    KivDbfRecord m_records;
    KivDbfFieldList m_fields;
    KivDbfHeader m_header;
    int m_nFieldCount = -1;
    char m_szPath[256] = {};
    ByteSource m_source;
};
