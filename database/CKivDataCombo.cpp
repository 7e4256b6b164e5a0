// SPDX-License-Identifier: MIT
#include "database/CKivDataCombo.h"
#include "database/SqlDialect_p.h"

#include <charconv>
#include <cstring>
#include <new>

using kivado::SqlDialect;

namespace {

constexpr int kCodeRole = Qt::UserRole;
constexpr int kRecordRole = Qt::UserRole + 1;

// At most 255 bytes, never ending inside a UTF-8 sequence.
CString cut(const CString& text)
{
    constexpr std::size_t kMax = KivParamData::kTextSize - 1;
    if (text.size() <= kMax)
        return text;
    std::size_t n = kMax;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return text.substr(0, n);
}

unsigned long leadingDigits(const CString& text)
{
    unsigned long value = 0;
    const char* p = text.c_str();
    while (*p == ' ')
        ++p;
    std::from_chars(p, text.c_str() + text.size(), value);
    return value;
}

} // namespace

CKivDataCombo::CKivDataCombo(QWidget* parent) : CComboBox(parent)
{
}

CKivDataCombo::~CKivDataCombo()
{
    m_records.removeData();
}

void CKivDataCombo::AddCode(const char* text, unsigned long data)
{
    const int index = AddString(text);
    widget()->setItemData(index, QVariant::fromValue<qulonglong>(data), kCodeRole);
}

int CKivDataCombo::SetCurData(unsigned long data)
{
    for (int i = 0; i < widget()->count(); ++i) {
        const QVariant v = widget()->itemData(i, kCodeRole);
        if (v.isValid() && v.toULongLong() == data) {
            SetCurSel(i);
            return i;
        }
    }
    return -1;
}

unsigned long CKivDataCombo::GetCurData() const
{
    const int index = GetCurSel();
    return index < 0 ? 0 : static_cast<unsigned long>(widget()->itemData(index, kCodeRole).toULongLong());
}

int CKivDataCombo::SetCurDataPtr(const char* value)
{
    for (int i = 0; i < widget()->count(); ++i) {
        const QVariant v = widget()->itemData(i, kRecordRole);
        if (!v.isValid())
            continue;
        const auto* record = reinterpret_cast<const KivParamData*>(v.value<quintptr>());
        if (std::strcmp(record->value, value ? value : "") == 0) {
            SetCurSel(i);
            return i;
        }
    }
    return -1;
}

const char* CKivDataCombo::GetCurDataPtr() const
{
    const int index = GetCurSel();
    if (index < 0)
        return nullptr;
    const QVariant v = widget()->itemData(index, kRecordRole);
    return v.isValid() ? reinterpret_cast<const KivParamData*>(v.value<quintptr>())->value : nullptr;
}

int CKivDataCombo::ShowRecord(
    const char* table, const char* textField, const char* dataField, const char* where, const char* select)
{
    return fill(table, textField, dataField, where, select, false);
}

int CKivDataCombo::ShowRecordPtr(
    const char* table, const char* textField, const char* valueField, const char* where, const char* select)
{
    m_records.removeData();
    return fill(table, textField, valueField, where, select, true);
}

int CKivDataCombo::ShowCodeTable(const char* division, const char* select, const char* extra)
{
    CString where = " WHERE c_div=" + SqlDialect::literal(division);
    if (extra && *extra)
        where += extra;
    where += " ORDER BY code_name";
    return ShowRecord("aa_code_division", "code_name", "code", where.c_str(), select);
}

int CKivDataCombo::fill(const char* table, const char* textField, const char* dataField, const char* where,
    const char* select, bool records)
{
    if (!m_appData || !SqlDialect::checkName(table))
        return 0;
    CString sql = StringFormat("SELECT * FROM %s", table);
    if (where && *where)
        sql += where;
    const _RecordsetPtr rs = m_appData->CreateRecord(sql.c_str(), 1);
    if (!rs)
        return 0;
    const bool hasData = dataField && *dataField;
    int selected = -1;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext()) {
        const CString text = KivDatabase::GetValue(rs, textField);
        const int index = AddString(text.c_str());
        if (hasData && !records)
            widget()->setItemData(
                index, QVariant::fromValue<qulonglong>(leadingDigits(KivDatabase::GetValue(rs, dataField))), kCodeRole);
        if (hasData && records) {
            auto* record
                = new (std::nothrow) KivParamData(cut(text).c_str(), cut(KivDatabase::GetValue(rs, dataField)).c_str());
            if (record) {
                m_records.addTail(record);
                widget()->setItemData(index, QVariant::fromValue(reinterpret_cast<quintptr>(record)), kRecordRole);
            }
        }
        if (select && *select && CompareNoCase(text.c_str(), select) == 0)
            selected = index;
    }
    SetCurSel(selected >= 0 ? selected : 0);
    rs->Close();
    return 1;
}
