#include "Cli.h"

#include "dbf/KivDbfData.h"

#include <string>

namespace cli {

namespace {

// RFC 4180: quoted when it holds a comma, quote, CR or LF; quotes doubled.
void printCsvField(const char* value, bool first)
{
    if (!first)
        std::fputc(',', stdout);
    const std::string v = value;
    if (v.find_first_of(",\"\r\n") == std::string::npos) {
        std::fputs(value, stdout);
        return;
    }
    std::fputc('"', stdout);
    for (char c : v) {
        if (c == '"')
            std::fputc('"', stdout);
        std::fputc(c, stdout);
    }
    std::fputc('"', stdout);
}

int dbfInfo(KivDbfData& data, const QByteArray& path)
{
    const KivDbfHeader& h = data.getHeader();
    KivDbfRecord* records = data.createRecord();
    std::printf("table:          %s\n", path.constData());
    std::printf("version:        0x%02X\n", h.version());
    std::printf("records:        %u in the header, %ld read\n", h.recordCount(), records ? records->getCount() : 0L);
    std::printf("header length:  %u\n", h.headerLength());
    std::printf("record length:  %u\n", h.recordLength());
    std::printf("fields:         %d\n", data.getFieldCount());
    for (int i = 0; const KivDbfField* f = data.getFieldList().getAt(i); ++i) {
        char name[12];
        f->getName(name);
        std::printf(
            "  %-11s %c %4d  at %u", name, f->getType() ? f->getType() : '?', f->getLength(), f->getDisplacement());
        if (f->getDecimals())
            std::printf("  (%d decimals)", f->getDecimals());
        std::printf("\n");
    }
    return Ok;
}

int dbfDump(KivDbfData& data, bool csv, bool deleted)
{
    KivDbfRecord* records = data.createRecord();
    if (!records)
        return Failed;
    const int fields = data.getFieldList().getCount();
    const char* separator = csv ? "," : "\t";
    if (deleted)
        std::printf(csv ? "DELETED" : "DELETED");
    for (int f = 0; f < fields; ++f) {
        char name[12];
        data.getFieldList().getAt(f)->getName(name);
        if (csv)
            printCsvField(name, f == 0 && !deleted);
        else
            std::printf("%s%s", f == 0 && !deleted ? "" : separator, name);
    }
    std::printf("\n");
    char value[256 + 1];
    for (long r = 0; r < records->getCount(); ++r) {
        const bool isDeleted = records->isDeleted(r);
        if (isDeleted && !deleted)
            continue;
        if (deleted)
            std::printf("%s", isDeleted ? "*" : "");
        for (int f = 0; f < fields; ++f) {
            records->getValue(r, f, value);
            if (csv)
                printCsvField(value, f == 0 && !deleted);
            else
                std::printf("%s%s", f == 0 && !deleted ? "" : separator, value);
        }
        std::printf("\n");
    }
    return Ok;
}

} // namespace

int runDbf(const QStringList& args)
{
    const QString sub = args.size() > 1 ? args.at(1) : QString();
    QCommandLineParser parser;
    parser.setApplicationDescription("Reads dBASE tables.\n\n"
                                     "  info FILE                    version, record counts and lengths, the fields\n"
                                     "  dump FILE [--csv] [--deleted] every value exactly as stored, a record a line");
    parser.addPositionalArgument("ACTION", "info or dump");
    parser.addPositionalArgument("FILE", "the table");
    const QCommandLineOption csv("csv", "Write CSV (RFC 4180) instead of tab-separated values.");
    const QCommandLineOption deleted("deleted", "Include deleted records, marked * in a first column.");
    parser.addOption(csv);
    parser.addOption(deleted);
    const bool option = sub.isEmpty() || sub.startsWith('-');
    int exit = Ok;
    if (!parse(parser, option ? args : args.mid(1), "dbf ACTION FILE [--csv] [--deleted]", exit))
        return exit;
    const QStringList pos = parser.positionalArguments();
    if (option || pos.size() != 1 || (sub != "info" && sub != "dump")) {
        printError("dbf takes info or dump and one table (see vandrel dbf --help)");
        return Failed;
    }
    const QByteArray path = utf8(pos.first());
    KivDbfData data;
    if (!data.open(path.constData())) {
        printError(QString("cannot open %1").arg(pos.first()));
        return Failed;
    }
    if (data.getFieldCount() < 0) {
        printError(QString("%1 is too short to be a dBASE table").arg(pos.first()));
        return Failed;
    }
    return sub == "info" ? dbfInfo(data, path) : dbfDump(data, parser.isSet(csv), parser.isSet(deleted));
}

} // namespace cli
