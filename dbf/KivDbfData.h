// A read-only dBASE table (.dbf): header and field descriptors on open, all
// records on createRecord(), one field of one record as stored by getValue.
// No writing, indexes or memos. Damaged files never make a read leave the
// bytes the file holds: what cannot be read is simply not there.
#pragma once

#include "core/KivObjList.h"
#include "dbf/KivDbf_export.h"

#include <cstdint>
#include <cstdio>
#include <vector>

// The first 32 bytes of the file, raw.
struct KIVDBF_EXPORT KivDbfHeader {
    std::uint8_t bytes[32] = {};

    int version() const { return bytes[0]; }
    std::uint32_t recordCount() const;
    std::uint16_t headerLength() const;
    std::uint16_t recordLength() const;
};

// One 32-byte field descriptor, as read.
struct KIVDBF_EXPORT KivDbfField {
    std::uint8_t bytes[32] = {};

    // The name without its NUL padding (at most 11 bytes).
    void getName(char out[12]) const;
    char getType() const { return static_cast<char>(bytes[11]); }
    // Where the field starts in a record, as the descriptor gives it. Tables
    // that leave it 0 (dBASE III) get the sum of the lengths before it + 1.
    std::uint32_t getDisplacement() const;
    int getLength() const { return bytes[16]; }
    int getDecimals() const { return bytes[17]; }
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
    void removeData();

private:
    struct List : KivObjList {
        List();
    } m_list;
    // The same fields by index: getValue looks one up for every value.
    std::vector<KivDbfField*> m_index;
};

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
    // The raw record, deletion flag first, NUL after it; null when none.
    const char* getRecord(long record) const;
    long getCount() const { return m_count; }
    int getLength() const { return m_length; }
    bool isDeleted(long record) const;

    void setFieldList(const KivDbfFieldList* fields) { m_fields = fields; }
    void removeAll();
    // Reads count records of length bytes from the stream's position; keeps
    // the whole ones.
    void load(std::FILE* file, long count, int length);

private:
    // Records lie end to end in one block, each followed by a NUL: indexed
    // access is constant time and the table costs its bytes and no more.
    std::vector<char> m_block;
    long m_count = 0;
    int m_length = 0;
    const KivDbfFieldList* m_fields = nullptr;
};

class KIVDBF_EXPORT KivDbfData {
public:
    KivDbfData();
    ~KivDbfData();
    KivDbfData(const KivDbfData&) = delete;
    KivDbfData& operator=(const KivDbfData&) = delete;

    // 1 once the file could be opened (even if its header is short), else 0.
    int open(const char* path);
    // The same over a stream the caller opened and closes.
    int open(std::FILE* file);
    // Loads every record; gives the table's own record set, null when the
    // file cannot be opened.
    KivDbfRecord* createRecord();
    KivDbfRecord* createRecord(std::FILE* file);
    void close();

    const KivDbfHeader& getHeader() const { return m_header; }
    const KivDbfFieldList& getFieldList() const { return m_fields; }
    int getFieldCount() const { return m_nFieldCount; }
    const char* getPath() const { return m_szPath; }

private:
    int readHeader(std::FILE* file, KivDbfHeader* header);
    int readFields(std::FILE* file, KivDbfFieldList* list, int count);
    int readRecords(std::FILE* file, KivDbfRecord* records, long count, int length, int offset);

    KivDbfRecord m_records;
    KivDbfFieldList m_fields;
    KivDbfHeader m_header;
    int m_nFieldCount = -1;
    char m_szPath[256] = {};
};
