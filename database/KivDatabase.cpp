// SPDX-License-Identifier: MIT
#include "database/KivDatabase.h"
#include "database/ConnectionPool_p.h"
#include "database/StatementWatch_p.h"

#include <QDateTime>
#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>

#include <charconv>
#include <exception>

Q_LOGGING_CATEGORY(lcAdo, "vandrel.database", QtWarningMsg)

using kivado::ConnectionPool;

namespace {

thread_local CString t_lastError;

struct Fields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The calendar fields of a valid time; false for null or invalid.
bool fieldsOf(const COleDateTime* time, Fields& f)
{
    if (!time)
        return false;
    const CString text = time->Format("%Y %m %d %H %M %S");
    if (text.empty())
        return false;
    int* out[] = {&f.year, &f.month, &f.day, &f.hour, &f.minute, &f.second};
    const char* p = text.data();
    const char* end = p + text.size();
    for (int* value : out) {
        while (p < end && *p == ' ')
            ++p;
        const auto result = std::from_chars(p, end, *value);
        if (result.ec != std::errc())
            return false;
        p = result.ptr;
    }
    return true;
}

template <class Action> void absorb(Action action)
{
    try {
        action();
    } catch (KivDbError& error) {
        KivDatabase::CheckError(error, 0);
    } catch (const std::exception& e) {
        KivDbError error("KivAdo", e.what());
        KivDatabase::CheckError(error, 0);
    }
}

int fieldIndex(const _RecordsetPtr& rs, const char* field)
{
    const int index = rs->FindField(field);
    if (index < 0)
        throw KivDbError("KivAdo", CString("no field ") + (field ? field : "") + " in the recordset");
    return index;
}

} // namespace

KivDatabase::KivDatabase() = default;

KivDatabase::KivDatabase(const KivDatabase& other) = default;

KivDatabase& KivDatabase::operator=(const KivDatabase& other) = default;

KivDatabase::~KivDatabase() = default;

int KivDatabase::Open(const char* connect, const char* user, const char* password)
{
    if (!connect || !*connect)
        return 0;
    m_connection.reset();
    int result = 0;
    absorb([&] {
        std::string error;
        m_connection = ConnectionPool::acquire(connect, user, password, error);
        if (!m_connection)
            throw KivDbError("KivAdo", error);
        result = 1;
    });
    return result;
}

int KivDatabase::Close()
{
    if (!m_connection) {
        KivDbError error("KivAdo", "no connection to close");
        CheckError(error, 0);
        return 0;
    }
    m_connection.reset();
    return 1;
}

int KivDatabase::Execute(const char* sql)
{
    if (!m_connection)
        return 0;
    int result = 0;
    absorb([&] {
        QSqlQuery query(ConnectionPool::database(*m_connection));
        const kivado::StatementWatch watch(*m_connection);
        if (!query.exec(QString::fromUtf8(sql ? sql : ""))) {
            const QSqlError error = query.lastError();
            ConnectionPool::checkAlive(*m_connection);
            if (watch.expired())
                throw KivDbError("KivAdo",
                    "the server did not answer within " + std::to_string(kivado::StatementWatch::cutOffMs()) + " ms");
            throw KivDbError("KivAdo", error.text().trimmed().toStdString());
        }
        result = 1;
    });
    return result;
}

_RecordsetPtr KivDatabase::CreateRecord(const char* source, const char* connect, int readOnly)
{
    _RecordsetPtr result;
    absorb([&] {
        auto rs = std::make_shared<AdoRecordset>();
        rs->Open(source, connect, readOnly);
        if (readOnly && rs->IsEOF()) {
            rs->Close();
            return;
        }
        result = std::move(rs);
    });
    return result;
}

CString KivDatabase::GetDate(COleDateTime* time)
{
    Fields f;
    return fieldsOf(time, f) ? StringFormat("%04d-%02d-%02d", f.year, f.month, f.day) : CString();
}

CString KivDatabase::GetMonth(COleDateTime* time)
{
    Fields f;
    return fieldsOf(time, f) ? StringFormat("%04d-%02d-%02d", f.year, f.month, 1) : CString();
}

CString KivDatabase::GetTime(COleDateTime* time, int mode)
{
    Fields f;
    if (!fieldsOf(time, f))
        return {};
    if (mode != 1)
        return StringFormat("%02d:%02d:%02d", f.hour, f.minute, f.second);
    // Midnight prints as 00, noon as 12.
    const char* marker = f.hour < 12 ? "오전" : "오후";
    const int hour = f.hour > 12 ? f.hour - 12 : f.hour;
    return StringFormat("%s %02d:%02d:%02d", marker, hour, f.minute, f.second);
}

CString KivDatabase::GetDateTime(COleDateTime* time, int mode)
{
    return StringFormat("%s %s", GetDate(time).c_str(), GetTime(time, mode).c_str());
}

CString KivDatabase::GetConnectOdbc(
    const char* driver, const char* server, const char* database, const char* uid, const char* pwd)
{
    const auto s = [](const char* t) { return t ? t : ""; };
    return StringFormat(
        "Driver={%s};Server=%s;Database=%s;Uid=%s;Pwd=%s", s(driver), s(server), s(database), s(uid), s(pwd));
}

CString KivDatabase::GetConnectSQLServer(const char* server, const char* database, const char* uid, const char* pwd)
{
    return GetConnectOdbc("SQL Server", server, database, uid, pwd);
}

CString KivDatabase::GetConnectJet(const char* source, const char* password)
{
    return StringFormat(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;Password=%s", source ? source : "", password ? password : "");
}

int KivDatabase::TESTHR(long hr)
{
    if (hr < 0)
        throw KivDbError("KivAdo", StringFormat("error code 0x%08lX", static_cast<unsigned long>(hr) & 0xFFFFFFFFUL));
    return 1;
}

void KivDatabase::CheckError(KivDbError& error, int)
{
    t_lastError = error.Description();
    qCDebug(lcAdo, "%s: %s", error.Source().c_str(), error.Description().c_str());
}

CString KivDatabase::GetLastError()
{
    return t_lastError;
}

long KivDatabase::GetRecordCount(_RecordsetPtr rs)
{
    return rs ? rs->CountRecords() : 0;
}

CString KivDatabase::GetValue(_RecordsetPtr rs, const char* field)
{
    CString value;
    if (rs)
        absorb([&] { value = rs->GetText(fieldIndex(rs, field)); });
    return value;
}

CString KivDatabase::GetValue(_RecordsetPtr rs, long index)
{
    CString value;
    if (rs)
        absorb([&] { value = rs->GetText(static_cast<int>(index)); });
    return value;
}

void KivDatabase::SetValue(_RecordsetPtr rs, const char* field, const char* value)
{
    if (rs)
        absorb([&] { rs->SetText(fieldIndex(rs, field), value); });
    else
        absorb([] { throw KivDbError("KivAdo", "no recordset"); });
}

void KivDatabase::SetValue(_RecordsetPtr rs, const char* field, long value)
{
    if (rs)
        absorb([&] { rs->SetLong(fieldIndex(rs, field), value); });
    else
        absorb([] { throw KivDbError("KivAdo", "no recordset"); });
}

void KivDatabase::SetValue(_RecordsetPtr rs, long index, const char* value)
{
    if (rs)
        absorb([&] { rs->SetText(static_cast<int>(index), value); });
    else
        absorb([] { throw KivDbError("KivAdo", "no recordset"); });
}

int KivDatabase::Update(_RecordsetPtr rs)
{
    int result = 0;
    if (rs)
        absorb([&] {
            rs->Update();
            result = 1;
        });
    return result;
}

std::time_t KivDatabase::GetTime(_RecordsetPtr rs, const char* field)
{
    std::time_t result = std::time(nullptr);
    if (rs)
        absorb([&] {
            const int index = fieldIndex(rs, field);
            if (rs->IsNull(index))
                return;
            const QString text = QString::fromStdString(rs->GetText(index)).trimmed();
            QDateTime when = QDateTime::fromString(text, "yyyy-MM-dd HH:mm:ss");
            if (!when.isValid())
                when = QDateTime::fromString(text, Qt::ISODate);
            if (!when.isValid())
                when = QDateTime(QDate::fromString(text, "yyyy-MM-dd"), QTime(0, 0));
            if (!when.isValid())
                throw KivDbError("KivAdo", "the value is no date: " + text.toStdString());
            result = static_cast<std::time_t>(when.toSecsSinceEpoch());
        });
    return result;
}

int KivDatabase::GetRecordArray(_RecordsetPtr rs, const char* field, CStringArray* array, int clear)
{
    if (!array)
        return 0;
    if (clear == 1)
        array->RemoveAll();
    if (!rs)
        return 0;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        array->Add(GetValue(rs, field));
    return 1;
}

void KivDatabase::ClosePool()
{
    ConnectionPool::closeAll();
}
