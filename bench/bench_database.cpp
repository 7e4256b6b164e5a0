// SPDX-License-Identifier: MIT
// The database layer against plain Qt SQL on SQLite: 100,000 album records
// inserted, a two-condition find over them, and counting them.
#include "database/KivAlbumData.h"
#include "database/KivFieldList.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <string>

namespace {

constexpr int kRecords = 100000;
const char* const kCities[] = {"Seoul", "Busan", "Incheon", "Daegu", "O'Neil's Town"};

std::string insertStatement(int i)
{
    // The shape both paths run: literal values, quotes doubled.
    std::string city = kCities[i % 5];
    std::string quoted;
    for (char c : city)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return "INSERT INTO KIV_DATA VALUES (" + std::to_string(i) + ", 'file" + std::to_string(i) + ".jpg', '" + quoted
        + "', 'Title " + std::to_string(i) + "')";
}

struct Album {
    QTemporaryDir dir;
    std::string path;
    std::string connect;

    explicit Album(const char* name)
    {
        path = QDir(dir.path()).filePath(name).toStdString();
        connect = "sqlite:" + path;
        KivAlbumData album;
        album.SetConnectStr(connect.c_str());
        album.CreateTables("DATA_ID INTEGER, FILE_NAME VARCHAR(255)", "FIND_TEXT");
        album.AppendField("CITY", "TEXT", 40);
        album.AppendField("TITLE", "TEXT", 80);
    }
};

// One filled album for the finds and counts.
Album& filled()
{
    static Album album("filled.db");
    static bool done = false;
    if (!done) {
        KivDatabase db;
        db.Open(album.connect.c_str(), nullptr, nullptr);
        db.Execute("BEGIN");
        for (int i = 0; i < kRecords; ++i)
            db.Execute(insertStatement(i).c_str());
        db.Execute("COMMIT");
        done = true;
    }
    return album;
}

CString findCondition()
{
    KivFieldList list;
    KivFieldInfo city;
    city.name = "CITY";
    city.type = 200;
    city.value = "Seoul";
    KivFieldInfo id;
    id.name = "DATA_ID";
    id.type = 20;
    id.op = 5;
    id.value = "50000";
    list.addField(&city);
    list.addField(&id);
    const CString where = list.getFindExpr("", 0);
    list.removeData();
    return where;
}

void BM_KivDatabase_Insert100k(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Album album("layer.db");
        KivDatabase db;
        db.Open(album.connect.c_str(), nullptr, nullptr);
        state.ResumeTiming();
        db.Execute("BEGIN");
        for (int i = 0; i < kRecords; ++i)
            db.Execute(insertStatement(i).c_str());
        db.Execute("COMMIT");
        state.PauseTiming();
        db.Close();
        KivDatabase::ClosePool();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_KivDatabase_Insert100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_QtSql_Insert100k(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Album album("plain.db");
        KivDatabase::ClosePool();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "plain");
            db.setDatabaseName(QString::fromStdString(album.path));
            db.open();
            QSqlQuery q(db);
            state.ResumeTiming();
            q.exec("BEGIN");
            for (int i = 0; i < kRecords; ++i)
                q.exec(QString::fromStdString(insertStatement(i)));
            q.exec("COMMIT");
            state.PauseTiming();
        }
        QSqlDatabase::removeDatabase("plain");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_QtSql_Insert100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_KivAlbumData_FindTwoConditions(benchmark::State& state)
{
    KivAlbumData album;
    album.SetConnectStr(filled().connect.c_str());
    long rows = 0;
    for (auto _ : state) {
        // The condition is built through the field list each time, as a search is.
        const CString sql = "SELECT * FROM KIV_DATA WHERE " + findCondition();
        const _RecordsetPtr rs = album.CreateRecord(sql.c_str(), 1);
        rows = 0;
        for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext()) {
            benchmark::DoNotOptimize(KivDatabase::GetValue(rs, "FILE_NAME"));
            benchmark::DoNotOptimize(KivDatabase::GetValue(rs, "TITLE"));
            ++rows;
        }
        rs->Close();
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_KivAlbumData_FindTwoConditions)->Unit(benchmark::kMillisecond);

void BM_QtSql_FindTwoConditions(benchmark::State& state)
{
    const std::string path = filled().path;
    long rows = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "plain-find");
        db.setDatabaseName(QString::fromStdString(path));
        db.open();
        for (auto _ : state) {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec("SELECT * FROM KIV_DATA WHERE (CITY LIKE 'Seoul') AND (DATA_ID >= 50000)");
            rows = 0;
            while (q.next()) {
                benchmark::DoNotOptimize(q.value("FILE_NAME").toString().toStdString());
                benchmark::DoNotOptimize(q.value("TITLE").toString().toStdString());
                ++rows;
            }
        }
    }
    QSqlDatabase::removeDatabase("plain-find");
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_QtSql_FindTwoConditions)->Unit(benchmark::kMillisecond);

void BM_KivDatabase_GetRecordCount100k(benchmark::State& state)
{
    const std::string connect = filled().connect;
    for (auto _ : state) {
        const _RecordsetPtr rs = KivDatabase::CreateRecord("SELECT * FROM KIV_DATA", connect.c_str(), 1);
        benchmark::DoNotOptimize(KivDatabase::GetRecordCount(rs));
    }
}
BENCHMARK(BM_KivDatabase_GetRecordCount100k)->Unit(benchmark::kMillisecond);

// The original's way: walk every row to count them.
void BM_KivDatabase_CountByWalking100k(benchmark::State& state)
{
    const std::string connect = filled().connect;
    for (auto _ : state) {
        const _RecordsetPtr rs = KivDatabase::CreateRecord("SELECT * FROM KIV_DATA", connect.c_str(), 1);
        long n = 0;
        for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
            ++n;
        rs->MoveFirst();
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_KivDatabase_CountByWalking100k)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    KivDatabase::ClosePool();
    return 0;
}
