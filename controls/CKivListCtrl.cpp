// SPDX-License-Identifier: MIT
#include "controls/CKivListCtrl.h"

#include "controls/resources.h"
#include "platform/base/CStringArray.h"
#include "platform/io/FileSystem.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <cstdlib>

namespace {

// Glob's special characters in a folder name stand for themselves.
CString escapeGlob(const char* text)
{
    CString out;
    for (const char* p = text; *p; ++p) {
        if (*p == '*' || *p == '?' || *p == '[' || *p == ']' || *p == '\\')
            out += '\\';
        out += *p;
    }
    return out;
}

// "YYYY-MM-DD", optionally followed by " HH:MM" or " HH:MM:SS" (or a 'T'),
// read by hand: the common case of a sortable date column, and far quicker
// than a general parser over a hundred thousand rows.
bool parseIso(const QString& t, double* days)
{
    auto digits = [&t](int at, int n, int* value) {
        if (at + n > t.size())
            return false;
        int v = 0;
        for (int i = at; i < at + n; ++i) {
            const QChar c = t[i];
            if (c < u'0' || c > u'9')
                return false;
            v = v * 10 + (c.unicode() - u'0');
        }
        *value = v;
        return true;
    };
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
    if (t.size() < 10 || !digits(0, 4, &y) || t[4] != u'-' || !digits(5, 2, &mo) || t[7] != u'-' || !digits(8, 2, &d))
        return false;
    if (t.size() > 10) {
        if ((t[10] != u' ' && t[10] != u'T') || !digits(11, 2, &h) || t.size() < 16 || t[13] != u':'
            || !digits(14, 2, &mi))
            return false;
        if (t.size() > 16 && (t.size() != 19 || t[16] != u':' || !digits(17, 2, &sec)))
            return false;
    }
    const QDate date(y, mo, d);
    if (!date.isValid() || h > 23 || mi > 59 || sec > 59)
        return false;
    *days = static_cast<double>(date.toJulianDay() - QDate(1899, 12, 30).toJulianDay())
        + (h * 3600 + mi * 60 + sec) / 86400.0;
    return true;
}

double oleDays(const QDateTime& t)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(t.date())) + t.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

CKivListCtrl::CKivListCtrl(QWidget* parent) : CListCtrl(parent)
{
    m_sortImages.Create(8, 16, ILC_COLOR32, 2, 0);
    for (UINT id : {kAscendingIcon, kDescendingIcon})
        m_sortImages.Add(KivCtrlResources()->icon(id).pixmap(8, 16).toImage());
}

CKivListCtrl::~CKivListCtrl()
{
    RemoveParam();
}

int CKivListCtrl::SetHeader(CListCtrl* list, KivColumnList* columns, int fill)
{
    if (!list)
        return 0;
    list->DeleteAllItems();
    while (list->GetColumnCount() > 0)
        list->DeleteColumn(0);
    if (!columns)
        return 1;
    const int count = columns->getCount();
    float total = 0.0f;
    for (int i = 0; i < count; ++i) {
        const KivColumnInfo* info = columns->getAt(i);
        total += info->width;
        const int format = info->align == 'C' ? LVCFMT_CENTER : info->align == 'R' ? LVCFMT_RIGHT : LVCFMT_LEFT;
        float width = info->width;
        if (i == count - 1 && fill == 1) {
            CRect client;
            list->GetClientRect(&client);
            const float available = static_cast<float>(client.Width() - GetSystemMetrics(SM_CXVSCROLL));
            if (total < available)
                width += available - total;
        }
        list->InsertColumn(i, info->name, format, static_cast<int>(width));
    }
    return 1;
}

int CKivListCtrl::SetHeader(KivColumnList* columns, int fill)
{
    m_nSortColumn = -1;
    SetHeader(this, columns, fill);
    return 1;
}

int CKivListCtrl::ShowDirectory(CListCtrl* list, const char* dir, const char* pattern, int clear)
{
    if (!list)
        return 0;
    if (clear == 1)
        list->DeleteAllItems();
    if (!dir || !pattern)
        return 0;
    CString folder = dir;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    const std::vector<CString> paths = GlobPaths((escapeGlob(folder.c_str()) + pattern).c_str(), false);
    for (const CString& path : paths)
        list->InsertItem(list->GetItemCount(), path.substr(path.rfind('/') + 1).c_str());
    return paths.empty() ? 0 : 1;
}

int CKivListCtrl::GetCurSel(CListCtrl* list)
{
    return list ? list->GetNextItem(-1, LVNI_SELECTED) : -1;
}

int CKivListCtrl::SetCurSel(int row)
{
    if (row < 0 || row >= GetItemCount())
        return 0;
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return 1;
}

int CKivListCtrl::FindItem(CPoint point) const
{
    return HitTest(point);
}

int CKivListCtrl::GetSelectArray(int column, CStringArray* out) const
{
    if (!out)
        return 0;
    out->RemoveAll();
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        out->Add(GetItemText(row, column));
    return out->GetSize() > 0 ? 1 : 0;
}

CString CKivListCtrl::GetSelectString(int column, const char* separator) const
{
    CString joined;
    bool first = true;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        if (!first)
            joined += separator ? separator : "";
        joined += GetItemText(row, column);
        first = false;
    }
    return joined;
}

BOOL CKivListCtrl::OnColumnClick(NMLISTVIEW*)
{
    return TRUE;
}

void CKivListCtrl::Sort(int column, unsigned short kind, int toggle)
{
    if (column < 0)
        return;
    if (toggle == 1 && column == m_nSortColumn)
        m_bSortDesc = !m_bSortDesc;
    m_nSortType = kind;
    m_nSortColumn = column;
    SetParam(column, kind);
    SortItems(&CKivListCtrl::CompareKeys, m_bSortDesc);
    RemoveParam();
    SetHeaderSort(column, m_bSortDesc);
}

int CKivListCtrl::SetParam(int column, unsigned short kind)
{
    RemoveParam();
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        const CString text = GetItemText(row, column);
        switch (kind) {
        case kSortShort:
        case kSortLong: SetParamLong(row, std::atol(text.c_str())); break;
        case kSortDate: SetParamDate(row, text.c_str()); break;
        case kSortText: SetParamStr(row, text.c_str()); break;
        default: break; // no key: the row compares equal to any
        }
    }
    return 1;
}

int CKivListCtrl::store(int row, SortKey key)
{
    if (row < 0 || row >= GetItemCount())
        return 0;
    m_keys.push_back(std::move(key));
    SetItemData(row, reinterpret_cast<LPARAM>(&m_keys.back()));
    return 1;
}

int CKivListCtrl::SetParamLong(int row, long value)
{
    return store(row, {kSortLong, value, false, 0.0, {}});
}

int CKivListCtrl::SetParamStr(int row, const char* text)
{
    return store(row, {kSortText, 0, false, 0.0, QString::fromUtf8(text ? text : "").toCaseFolded()});
}

int CKivListCtrl::SetParamDate(int row, const char* text)
{
    double days = 0.0;
    const bool valid = ParseDate(QString::fromUtf8(text ? text : ""), &days);
    return store(row, {kSortDate, 0, valid, valid ? days : 0.0, {}});
}

void CKivListCtrl::RemoveParam()
{
    if (m_keys.empty())
        return;
    for (int row = 0; row < GetItemCount(); ++row)
        SetItemData(row, 0);
    m_keys.clear();
}

bool CKivListCtrl::ParseDate(const QString& text, double* days)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    double iso = 0.0;
    if (parseIso(t, &iso)) {
        if (days)
            *days = iso;
        return true;
    }
    // Not QDate's ISO reading: it takes any text that starts with a date.
    QDateTime when = QDateTime::fromString(t, Qt::ISODate);
    static const QLocale locale = QLocale::system();
    for (auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        if (when.isValid())
            break;
        when = locale.toDateTime(t, format);
        if (!when.isValid()) {
            const QDate date = locale.toDate(t, format);
            if (date.isValid())
                when = QDateTime(date, QTime(0, 0));
        }
    }
    if (!when.isValid())
        return false;
    if (days)
        *days = oleDays(when);
    return true;
}

// Invalid dates come before every valid one and equal each other, so a
// column with unreadable dates still sorts the same way each time.
int CKivListCtrl::CompareKeys(LPARAM a, LPARAM b, LPARAM descending)
{
    const auto* x = reinterpret_cast<const SortKey*>(a);
    const auto* y = reinterpret_cast<const SortKey*>(b);
    if (!x || !y)
        return 0;
    int result = 0;
    switch (x->kind) {
    case kSortShort:
    case kSortLong: result = x->number < y->number ? -1 : x->number > y->number ? 1 : 0; break;
    case kSortDate:
        if (x->validDate != y->validDate)
            result = x->validDate ? 1 : -1;
        else if (x->validDate)
            result = x->date < y->date ? -1 : x->date > y->date ? 1 : 0;
        break;
    case kSortText: {
        const int c = x->text.compare(y->text);
        result = c < 0 ? -1 : c > 0 ? 1 : 0;
        break;
    }
    default: break;
    }
    return descending ? -result : result;
}

void CKivListCtrl::SetHeaderSort(int column, int descending)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    header->SetImageList(&m_sortImages);
    for (int i = 0; i < header->GetItemCount(); ++i) {
        HDITEM item {HDI_FORMAT | HDI_IMAGE, 0, {}, 0, -1};
        header->GetItem(i, &item);
        if (i == column) {
            item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
            item.iImage = descending == 1 ? 1 : 0;
        } else {
            item.fmt &= ~HDF_IMAGE;
        }
        header->SetItem(i, &item);
    }
}

int CKivListCtrl::SetHeaderAlign(int format)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!header)
        return 0;
    for (int i = 0; i < header->GetItemCount(); ++i) {
        HDITEM item {HDI_FORMAT | HDI_WIDTH | HDI_TEXT, 0, {}, 0, -1};
        header->GetItem(i, &item);
        item.fmt = format;
        header->SetItem(i, &item);
    }
    return 1;
}
