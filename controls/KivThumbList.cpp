// SPDX-License-Identifier: MIT
#include "controls/KivThumbList.h"

#include "controls/CKivThumbCtrl.h"
#include "core/KivReg.h"
#include "core/KivUtil.h"
#include "platform/base/COleDateTime.h"
#include "platform/io/FileSystem.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

KivThumbList::KivThumbList()
{
    setElementDeleter(&KivObjList::deleteElement<KivThumbItem>);
}

void KivThumbList::addItem(const char* file, const char* label, const char* data)
{
    auto* item = new (std::nothrow) KivThumbItem;
    if (!item)
        return;
    CopyBounded(item->file, sizeof item->file, file);
    CopyBounded(item->label, sizeof item->label, label);
    CopyBounded(item->data, sizeof item->data, data);
    setFileInfo(file, item);
    addTail(item);
}

int KivThumbList::setFileInfo(const char* file, KivThumbItem* item)
{
    if (!file || !item || !*file || !PathExists(file))
        return 0;
    CopyBounded(item->extension, sizeof item->extension, MakeUpper(KivUtil::GetFileExt(file)).c_str());
    if (!item->label[0])
        CopyBounded(item->label, sizeof item->label, KivUtil::GetFileName(file).c_str());
    char type[KivThumbItem::kTextSize] = {};
    KivReg::getType(item->extension, type);
    CopyBounded(item->type, sizeof item->type, type);
    // Sizes past 2 GiB are kept as the largest size rather than wrapping
    // to a negative one, which would sort before every small file.
    const std::int64_t size = FileSizeOf(file);
    item->size = size < 0 ? 0 : static_cast<int>(std::min<std::int64_t>(size, INT_MAX));
    item->date[0] = '\0';
    if (const auto time = FileModifiedTime(file)) {
        // The time as stored (UTC), its fields taken without a zone.
        const COleDateTime date = COleDateTime::FromUtcTime(*time);
        CopyBounded(item->date, sizeof item->date, date.IsValid() ? date.Format().c_str() : "Invalid DateTime");
    }
    return 1;
}

void KivThumbList::setSelect(int index, int select)
{
    if (select == 1 && multiSelect != 1) {
        if (index == lastSelected)
            return;
        setSelect(lastSelected, 0);
    }
    if (KivThumbItem* item = getAt(index)) {
        item->selected = select;
        if (select == 1)
            lastSelected = index;
    }
}

int KivThumbList::getSelect() const
{
    const int n = getCount();
    for (int i = 0; i < n; ++i)
        if (getAt(i)->selected == 1)
            return i;
    return -1;
}

void KivThumbList::setSelectAll(int select)
{
    const int n = getCount();
    for (int i = 0; i < n; ++i) {
        KivThumbItem* item = getAt(i);
        item->selected = select == -1 ? (item->selected == 0 ? 1 : 0) : select;
    }
}

const char* KivThumbList::getData() const
{
    const KivThumbItem* item = getAt(getSelect());
    return item ? item->data : nullptr;
}

int KivThumbList::findData(const char* data) const
{
    const int n = getCount();
    for (int i = 0; i < n; ++i)
        if (std::strcmp(getAt(i)->data, data ? data : "") == 0)
            return i;
    return -1;
}

void KivThumbList::setThumbData(int index, CKivThumbCtrl* cell) const
{
    if (cell)
        cell->SetData(getAt(index));
}

namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

int compareDates(const char* a, const char* b)
{
    COleDateTime da, db;
    da.ParseDateTime(a);
    db.ParseDateTime(b);
    // Text that is no date counts as the earliest, as a null date would.
    const double x = da.IsValid() ? da.m_dt : -1e300;
    const double y = db.IsValid() ? db.m_dt : -1e300;
    return (x > y) - (x < y);
}

} // namespace

int KivThumbList::sortItem(const KivThumbItem* a, const KivThumbItem* b, int key, int descending)
{
    if (!a || !b)
        return 0;
    int r = 0;
    switch (key) {
    case 1: r = (a->size > b->size) - (a->size < b->size); break;
    case 2: r = sign(CompareNoCase(a->type, b->type)); break;
    case 3: r = compareDates(a->date, b->date); break;
    default: break;
    }
    if (r == 0)
        r = sign(CompareNoCase(a->file, b->file));
    return descending ? -r : r;
}

void KivThumbList::sort(int key, int descending)
{
    const int n = getCount();
    if (n < 2)
        return;
    struct Entry {
        KivThumbItem* item;
        double date;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        entries.push_back({getAt(i), 0.0});
    if (key == 3) {
        // Each date is parsed once, not once per comparison; the order is
        // the one sortItem gives.
        for (Entry& e : entries) {
            COleDateTime d;
            e.date = d.ParseDateTime(e.item->date) ? d.m_dt : -1e300;
        }
        std::stable_sort(entries.begin(), entries.end(), [descending](const Entry& a, const Entry& b) {
            int r = (a.date > b.date) - (a.date < b.date);
            if (r == 0)
                r = sign(CompareNoCase(a.item->file, b.item->file));
            return (descending ? -r : r) < 0;
        });
    } else {
        std::stable_sort(entries.begin(), entries.end(), [key, descending](const Entry& a, const Entry& b) {
            return sortItem(a.item, b.item, key, descending) < 0;
        });
    }
    for (int i = 0; i < n; ++i)
        setAt(i, entries[static_cast<std::size_t>(i)].item);
}
