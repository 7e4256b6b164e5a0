// SPDX-License-Identifier: MIT
#include "database/AdoRecordset.h"
#include "database/ConnectionPool_p.h"
#include "database/StatementWatch_p.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <optional>
#include <unordered_map>
#include <vector>

using kivado::ConnectionPool;
using kivado::Engine;
using kivado::SqlDialect;

namespace {

const char* const kSource = "KivAdo";

[[noreturn]] void raise(const QString& description)
{
    throw KivDbError(kSource, description.toStdString());
}

[[noreturn]] void raise(const QSqlError& error)
{
    raise(error.text().trimmed().isEmpty() ? QString("the database refused the statement") : error.text().trimmed());
}

// A statement that failed: the server's reason, or that it did not answer in time.
[[noreturn]] void raise(const QSqlError& error, const kivado::StatementWatch& watch)
{
    if (watch.expired())
        raise(QString("the server did not answer within %1 ms").arg(kivado::StatementWatch::cutOffMs()));
    raise(error);
}

// The single table a "SELECT ... FROM name" statement reads.
QString tableOf(const QString& source)
{
    static const QRegularExpression re(
        R"(^\s*SELECT\s.*?\bFROM\s+([^\s,;()]+)\s*(?:$|WHERE\b|ORDER\b|GROUP\b|LIMIT\b|;))",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(source);
    if (!m.hasMatch())
        return {};
    const QByteArray name = m.captured(1).toUtf8();
    return SqlDialect::isName(name.constData()) ? m.captured(1) : QString();
}

QString textOf(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Bool: return v.toBool() ? "1" : "0";
    case QMetaType::QDateTime: return v.toDateTime().toString("yyyy-MM-dd HH:mm:ss");
    case QMetaType::QDate: return v.toDate().toString("yyyy-MM-dd");
    case QMetaType::QTime: return v.toTime().toString("HH:mm:ss");
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15);
    default: return v.toString();
    }
}

int typeOfMeta(const QMetaType& type)
{
    switch (type.id()) {
    case QMetaType::Short: return 2;
    case QMetaType::Int:
    case QMetaType::UInt: return 3;
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return 20;
    case QMetaType::Float: return 4;
    case QMetaType::Double: return 5;
    case QMetaType::Bool: return 11;
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime: return 7;
    case QMetaType::QByteArray: return 205;
    default: return 200;
    }
}

} // namespace

struct AdoRecordset::Impl {
    std::shared_ptr<kivado::AdoConnection> connection;
    QString source;
    bool readOnly = true;
    std::optional<QSqlQuery> query;
    // The columns, read once a statement ran; the current row's values,
    // with the caller's changes; and, for a recordset that may write, the
    // row as read. Rows are read by value, never as a record per row.
    QSqlRecord columns;
    std::unordered_map<std::string, int> byName; // folded name → index
    std::vector<QVariant> values;
    std::vector<QVariant> original;
    std::vector<bool> changed;
    bool onRow = false;
    bool isNew = false;
    bool catalogRead = false;
    std::vector<std::pair<int, int>> catalog; // type and size per column

    int count() const { return static_cast<int>(values.size()); }

    void requireOpen() const
    {
        if (!query)
            raise(QString("the recordset is closed"));
    }

    void requireIndex(int index) const
    {
        requireOpen();
        if (index < 0 || index >= count())
            raise(QString("no column %1 in the recordset").arg(index));
    }

    // Values of no row: nulls of each column's type.
    void clearValues()
    {
        for (int i = 0; i < count(); ++i)
            values[static_cast<std::size_t>(i)] = QVariant(columns.field(i).metaType());
    }

    void keepAsRead()
    {
        if (!readOnly)
            original = values;
        changed.assign(values.size(), false);
        isNew = false;
    }

    void readRow()
    {
        if (onRow)
            for (int i = 0; i < count(); ++i)
                values[static_cast<std::size_t>(i)] = query->value(i);
        else
            clearValues();
        keepAsRead();
    }

    void fetch()
    {
        onRow = query->next();
        if (!onRow && query->lastError().isValid()) {
            const QSqlError error = query->lastError();
            ConnectionPool::checkAlive(*connection);
            raise(error);
        }
        readRow();
    }

    void execute()
    {
        QSqlDatabase db = ConnectionPool::database(*connection);
        query.emplace(db);
        // SQLite steps through the rows; PostgreSQL hands the whole result
        // over at once, so rows are kept there and other statements may run
        // on the connection while this one is walked.
        query->setForwardOnly(connection->engine == Engine::SQLite);
        const kivado::StatementWatch watch(*connection);
        if (!query->exec(source)) {
            const QSqlError error = query->lastError();
            query.reset();
            ConnectionPool::checkAlive(*connection);
            raise(error, watch);
        }
        columns = query->record();
        byName.clear();
        for (int i = 0; i < columns.count(); ++i)
            byName.emplace(MakeLower(columns.fieldName(i).toStdString()), i); // the first of equal names
        values.assign(static_cast<std::size_t>(columns.count()), QVariant());
        fetch();
    }

    void readCatalog()
    {
        catalogRead = true;
        catalog.assign(static_cast<std::size_t>(count()), {-1, 0});
        const QString table = tableOf(source);
        if (table.isEmpty())
            return;
        QSqlQuery q(ConnectionPool::database(*connection));
        q.prepare(QString::fromStdString(SqlDialect::columnsQuery(connection->engine)));
        q.bindValue(":t", table);
        const kivado::StatementWatch watch(*connection);
        if (!q.exec())
            return;
        while (q.next()) {
            const int index = columns.indexOf(q.value(0).toString());
            if (index < 0)
                continue;
            const std::string declared = q.value(1).toString().toStdString();
            const int size = q.value(2).isNull() ? SqlDialect::declaredSize(declared) : q.value(2).toInt();
            catalog[static_cast<std::size_t>(index)] = {SqlDialect::typeCode(declared), size};
        }
    }

    void write()
    {
        const QString table = tableOf(source);
        if (table.isEmpty())
            raise(QString("the recordset's statement reads no single table it could write to"));
        for (int i = 0; i < count(); ++i)
            if (!SqlDialect::isName(columns.fieldName(i).toUtf8().constData()))
                raise(QString("the column name %1 cannot be written to").arg(columns.fieldName(i)));
        QStringList set, names, marks, where;
        QVariantList setValues, whereValues;
        for (int i = 0; i < count(); ++i) {
            const auto at = static_cast<std::size_t>(i);
            if (changed[at]) {
                set << columns.fieldName(i) + " = ?";
                names << columns.fieldName(i);
                marks << "?";
                setValues << values[at];
            }
            where << columns.fieldName(i) + " IS NOT DISTINCT FROM ?";
            whereValues << original[at];
        }
        if (set.isEmpty())
            return;
        QString sql;
        QVariantList bound = setValues;
        if (isNew)
            sql = QString("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(", "), marks.join(", "));
        else {
            // Optimistic, as the original's provider: the row still holding the
            // values it was read with, and only one of them.
            const QString id = SqlDialect::rowId(connection->engine);
            sql = QString("UPDATE %1 SET %2 WHERE %3 = (SELECT %3 FROM %1 WHERE %4 LIMIT 1)")
                      .arg(table, set.join(", "), id, where.join(" AND "));
            bound += whereValues;
        }
        QSqlQuery q(ConnectionPool::database(*connection));
        if (!q.prepare(sql))
            raise(q.lastError());
        for (int i = 0; i < bound.size(); ++i)
            q.bindValue(i, bound.at(i));
        const kivado::StatementWatch watch(*connection);
        if (!q.exec()) {
            const QSqlError error = q.lastError();
            ConnectionPool::checkAlive(*connection);
            raise(error, watch);
        }
        if (!isNew && q.numRowsAffected() == 0)
            raise(QString("the row to update was changed or deleted by someone else"));
        original = values;
        changed.assign(changed.size(), false);
        isNew = false;
    }
};

AdoRecordset::AdoRecordset() : d(std::make_unique<Impl>())
{
}

AdoRecordset::~AdoRecordset() = default;

void AdoRecordset::Open(const char* source, const char* connect, int readOnly)
{
    if (d->query)
        raise(QString("the recordset is already open"));
    if (!source || !*source)
        raise(QString("no statement to open"));
    std::string error;
    d->connection = ConnectionPool::acquire(connect ? connect : "", nullptr, nullptr, error);
    if (!d->connection)
        raise(QString::fromStdString(error));
    d->source = QString::fromUtf8(source);
    d->readOnly = readOnly != 0;
    d->catalogRead = false;
    d->execute();
}

void AdoRecordset::Close()
{
    d->requireOpen();
    d->query.reset();
    d->onRow = false;
    d->isNew = false;
}

bool AdoRecordset::IsOpen() const
{
    return d->query.has_value();
}

void AdoRecordset::MoveFirst()
{
    d->requireOpen();
    if (d->query->isForwardOnly()) {
        if (d->query->at() == 0 && !d->isNew) {
            d->readRow();
            return;
        }
        d->execute();
        return;
    }
    d->onRow = d->query->first();
    if (!d->onRow && d->query->lastError().isValid())
        raise(d->query->lastError());
    d->readRow();
}

void AdoRecordset::MoveNext()
{
    d->requireOpen();
    if (d->isNew) {
        d->isNew = false;
        d->values = d->original;
        return;
    }
    if (d->onRow)
        d->fetch();
}

bool AdoRecordset::IsEOF() const
{
    d->requireOpen();
    return !d->onRow && !d->isNew;
}

int AdoRecordset::GetFieldCount() const
{
    return d->query ? d->count() : 0;
}

CString AdoRecordset::GetFieldName(int index) const
{
    d->requireIndex(index);
    return d->columns.fieldName(index).toStdString();
}

int AdoRecordset::GetFieldType(int index)
{
    d->requireIndex(index);
    if (!d->catalogRead)
        d->readCatalog();
    const int type = d->catalog[static_cast<std::size_t>(index)].first;
    return type >= 0 ? type : typeOfMeta(d->columns.field(index).metaType());
}

int AdoRecordset::GetFieldSize(int index)
{
    d->requireIndex(index);
    if (!d->catalogRead)
        d->readCatalog();
    const int size = d->catalog[static_cast<std::size_t>(index)].second;
    if (size > 0)
        return size;
    const int length = d->columns.field(index).length();
    return length > 0 ? length : 0;
}

int AdoRecordset::FindField(const char* name) const
{
    if (!d->query || !name)
        return -1;
    const auto it = d->byName.find(MakeLower(name));
    return it == d->byName.end() ? -1 : it->second;
}

bool AdoRecordset::IsNull(int index) const
{
    d->requireIndex(index);
    if (!d->onRow && !d->isNew)
        raise(QString("no current row"));
    return d->values[static_cast<std::size_t>(index)].isNull();
}

CString AdoRecordset::GetText(int index) const
{
    if (IsNull(index))
        return {};
    return textOf(d->values[static_cast<std::size_t>(index)]).toStdString();
}

void AdoRecordset::SetText(int index, const char* value)
{
    IsNull(index);
    if (d->readOnly)
        raise(QString("the recordset was opened for reading only"));
    d->values[static_cast<std::size_t>(index)]
        = value ? QVariant(QString::fromUtf8(value)) : QVariant(QMetaType::fromType<QString>());
    d->changed[static_cast<std::size_t>(index)] = true;
}

void AdoRecordset::SetLong(int index, long value)
{
    IsNull(index);
    if (d->readOnly)
        raise(QString("the recordset was opened for reading only"));
    d->values[static_cast<std::size_t>(index)] = QVariant(static_cast<qlonglong>(value));
    d->changed[static_cast<std::size_t>(index)] = true;
}

void AdoRecordset::AddNew()
{
    d->requireOpen();
    if (d->readOnly)
        raise(QString("the recordset was opened for reading only"));
    if (!d->isNew)
        d->original = d->values;
    d->clearValues();
    d->changed.assign(d->values.size(), false);
    d->isNew = true;
}

void AdoRecordset::Update()
{
    d->requireOpen();
    if (d->readOnly)
        raise(QString("the recordset was opened for reading only"));
    if (!d->onRow && !d->isNew)
        raise(QString("no current row"));
    d->write();
}

long AdoRecordset::CountRecords()
{
    d->requireOpen();
    if (d->connection->engine == Engine::PostgreSQL && d->query->size() >= 0) {
        MoveFirst();
        return d->query->size();
    }
    if (d->query->isSelect()) {
        QString inner = d->source.trimmed();
        while (inner.endsWith(';'))
            inner.chop(1);
        QSqlQuery count(ConnectionPool::database(*d->connection));
        const kivado::StatementWatch watch(*d->connection);
        if (count.exec("SELECT COUNT(*) FROM (" + inner + ") AS counted") && count.next()) {
            const long n = static_cast<long>(count.value(0).toLongLong());
            count.finish();
            MoveFirst();
            return n;
        }
    }
    long n = 0;
    for (MoveFirst(); !IsEOF(); MoveNext())
        ++n;
    MoveFirst();
    return n;
}
