// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "JsonWriter.h"
#include "Terminal.h"

#include "dbf/KivDbfFormatter.h"
#include "dbf/KivDbfTable.h"
#include "platform/io/ByteSource.h"
#include "platform/io/PathNoCase.h"

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

namespace {

// The code page: --encoding, else what the table says, else a guess from
// its text (said on standard error). None for --raw.
bool chooseCodePage(KivDbfTable& t, const QString& encoding, bool raw)
{
    if (raw)
        return true;
    if (!t.chooseCodePage(encoding.toUtf8())) {
        printError(QString("unknown encoding '%1'").arg(encoding));
        return false;
    }
    if (t.guessed) {
        const int driver = t.data.getHeader().languageDriver();
        const QString names = driver ? QString("names a code page this tool does not know (language driver "
                                               "0x%1)")
                                           .arg(driver, 2, 16, QChar('0'))
                                     : QString("names no code page");
        printError(QString("%1 %4: its text is read as %2 (%3); name the right one with "
                           "--encoding NAME, or keep the stored bytes with --raw")
                       .arg(QString::fromStdString(escapeControls(t.path)), QString::fromLatin1(t.codePage),
                           t.codePageFrom, names));
    }
    return true;
}

class LineWriter {
public:
    LineWriter(bool csv, bool raw) : m_csv(csv), m_raw(raw) { }
    void field(std::string_view value, bool first)
    {
        if (!first)
            m_line += m_csv ? ',' : '\t';
        if (m_csv)
            appendCsv(m_line, value);
        else if (!AppendEscaped(m_line, value, m_raw))
            m_unknownBytes = true;
    }
    void raw(const char* s) { m_line += s; }
    bool end()
    {
        m_line += '\n';
        const bool ok = std::fwrite(m_line.data(), 1, m_line.size(), stdout) == m_line.size();
        m_line.clear();
        return ok;
    }
    bool unknownBytes() const { return m_unknownBytes; }

private:
    std::string m_line;
    bool m_csv;
    bool m_raw;
    bool m_unknownBytes = false;
};

// The tool reports a failed write to standard output once, as it ends.
int finishOutput()
{
    return std::fflush(stdout) != 0 || std::ferror(stdout) ? Failed : Ok;
}

int dbfInfoJson(KivDbfTable& t)
{
    const KivDbfHeader& h = t.data.getHeader();
    JsonWriter out;
    out.beginObject()
        .member("table", t.path)
        .member("version", h.version())
        .member("format", KivDbfTable::formatName(h))
        .member("records_in_header", h.recordCount())
        .member("records_read", t.data.countRecords())
        .member("header_length", h.headerLength())
        .member("record_length", h.recordLength())
        .member("language_driver", h.languageDriver())
        .member("language_driver_name", h.languageDriverName())
        .key("code_page");
    if (t.codePage.isEmpty())
        out.null();
    else
        out.value(t.codePage.toStdString());
    out.key("code_page_from");
    if (t.codePage.isEmpty())
        out.null();
    else
        out.value(utf8(t.codePageFrom).toStdString());
    out.key("memo_file");
    if (!t.memoFields)
        out.null();
    else if (t.memoPath.empty())
        out.value("");
    else
        out.value(t.memoPath);
    out.key("fields").beginArray();
    KivDbfFormatter names(t, false);
    std::string name;
    for (int i = 0; const KivDbfField* f = t.data.getFieldList().getAt(i); ++i) {
        name.clear();
        names.text(f->getFullName(), name);
        const char type[2] = {f->getType(), 0};
        out.beginObject()
            .member("name", name)
            .member("type", type)
            .member("length", f->getLength())
            .member("offset", f->getDisplacement())
            .member("decimals", f->getDecimals())
            .endObject();
    }
    out.endArray().endObject();
    out.writeLine();
    return finishOutput();
}

int dbfInfo(KivDbfTable& t)
{
    const KivDbfHeader& h = t.data.getHeader();
    std::string line;
    AppendEscaped(line, t.path, false);
    std::printf("table:          %s\n", line.c_str());
    std::printf("version:        0x%02X (%s)\n", h.version(), KivDbfTable::formatName(h));
    std::printf("records:        %u in the header, %ld read\n", h.recordCount(), t.data.countRecords());
    std::printf("header length:  %u\n", h.headerLength());
    std::printf("record length:  %u\n", h.recordLength());
    if (h.languageDriver() || *h.languageDriverName()) {
        std::printf("language:       0x%02X", h.languageDriver());
        if (*h.languageDriverName()) {
            line.clear();
            AppendEscaped(line, h.languageDriverName(), false);
            std::printf(" %s", line.c_str());
        }
        std::printf("\n");
    }
    std::printf("code page:      %s\n",
        t.codePage.isEmpty()
            ? "none known, bytes as stored"
            : utf8(QString("%1 (%2)").arg(QString::fromLatin1(t.codePage), t.codePageFrom)).constData());
    if (t.memoFields) {
        line.clear();
        AppendEscaped(line, t.memoPath.empty() ? std::string("none found") : t.memoPath, false);
        std::printf("memo file:      %s\n", line.c_str());
    }
    std::printf("fields:         %d\n", t.data.getFieldCount());
    KivDbfFormatter names(t, false);
    std::string name;
    for (int i = 0; const KivDbfField* f = t.data.getFieldList().getAt(i); ++i) {
        name.clear();
        line.clear();
        names.text(f->getFullName(), name);
        AppendEscaped(line, name, false);
        const char type = f->getType();
        std::printf("  %-11s %c %4d  at %u", line.c_str(), type >= 0x20 && type < 0x7F ? type : '?', f->getLength(),
            f->getDisplacement());
        if (f->getDecimals())
            std::printf("  (%d decimals)", f->getDecimals());
        std::printf("\n");
    }
    return finishOutput();
}

// A record as one JSON line: numbers as numbers, logicals as true, false or
// null, dates that are blank as null, the rest as text.
void jsonRecord(JsonWriter& out, const KivDbfFieldList& fields, const std::vector<std::string>& names, long record,
    bool isDeleted, const std::vector<std::string>& values)
{
    out.beginObject().member("record", record + 1).member("deleted", isDeleted).key("fields").beginObject();
    for (std::size_t f = 0; f < values.size(); ++f) {
        out.key(names[f]);
        const std::string& v = values[f];
        switch (fields.getAt(static_cast<int>(f))->getType()) {
        case 'N':
        case 'F':
        case 'I':
        case '+':
        case 'Y':
        case 'O': out.number(v); break;
        case 'L':
            if (v == "T" || v == "t" || v == "Y" || v == "y")
                out.value(true);
            else if (v == "F" || v == "f" || v == "N" || v == "n")
                out.value(false);
            else
                out.null();
            break;
        case 'D':
        case 'T':
        case '@':
            // A date or time stamp that is not there.
            if (v.find_first_not_of(' ') == std::string::npos)
                out.null();
            else
                out.value(v);
            break;
        default: out.value(v);
        }
    }
    out.endObject().endObject();
}

int dbfDump(KivDbfTable& t, bool csv, bool deleted, bool raw, bool keepBlanks, bool json)
{
    KivDbfRecord* records = t.data.createRecord();
    if (!records) {
        printError("cannot read the records");
        return Failed;
    }
    if (t.memoFields && !t.memo.isOpen())
        printError("no memo file beside the table: memo fields show their block numbers");
    const KivDbfFieldList& fields = t.data.getFieldList();
    const int count = fields.getCount();
    KivDbfFormatter formatter(t, raw, keepBlanks);
    LineWriter line(csv, raw);
    JsonWriter jsonLine;
    std::string value;
    std::vector<std::string> names(static_cast<std::size_t>(count)), values;
    if (deleted && !json)
        line.raw("DELETED");
    for (int f = 0; f < count; ++f) {
        formatter.text(fields.getAt(f)->getFullName(), names[static_cast<std::size_t>(f)]);
        if (!json)
            line.field(names[static_cast<std::size_t>(f)], f == 0 && !deleted);
    }
    if (!json && !line.end())
        return finishOutput();
    const long total = records->getCount();
    ProgressBar progress("records", static_cast<std::uint64_t>(total), true);
    // Records done with leave resident memory a run at a time.
    constexpr long kReleaseEvery = 8192;
    for (long r = 0; r < total; ++r) {
        progress.update(static_cast<std::uint64_t>(r));
        if (r % kReleaseEvery == 0 && r > 0)
            t.data.releaseRecords(r - kReleaseEvery, kReleaseEvery);
        const bool isDeleted = records->isDeleted(r);
        if (isDeleted && !deleted)
            continue;
        if (deleted && !json)
            line.raw(isDeleted ? "*" : "");
        formatter.startRecord(*records, r);
        values.clear();
        for (int f = 0; f < count; ++f) {
            int length = 0;
            const char* bytes = records->getField(r, f, &length);
            if (bytes)
                formatter.format(f, *fields.getAt(f), bytes, length, value);
            else
                value.clear();
            if (json)
                values.push_back(value);
            else
                line.field(value, f == 0 && !deleted);
        }
        if (json) {
            jsonRecord(jsonLine, fields, names, r, isDeleted, values);
            if (!jsonLine.writeLine())
                break;
        } else if (!line.end()) {
            break;
        }
    }
    progress.finish();
    if (formatter.readAsLatin1())
        printError("some text is no UTF-8 and the table names no code page for it: it is read as ISO-8859-1 "
                   "(name the code page with --encoding, or keep the bytes with --raw)");
    if (formatter.missingMemos())
        printError(QString("%1 memo values name blocks %2 does not hold: they are empty")
                       .arg(formatter.missingMemos())
                       .arg(QString::fromStdString(escapeControls(t.memoPath))));
    if (line.unknownBytes() && !raw && !json)
        printError("the table names no code page: bytes that are not UTF-8 are shown as \\xNN "
                   "(name one with --encoding, or keep the bytes with --raw)");
    return finishOutput();
}

int runDbfCommand(const QStringList& args)
{
    const QString sub = args.size() > 1 ? args.at(1) : QString();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Reads dBASE tables (dBASE II to 7, FoxPro).\n\n"
        "  info FILE    format, record counts and lengths, code page, memo file, the fields\n"
        "  dump FILE    every record, a line each: text without the blanks that pad it, binary\n"
        "               numbers, currency and time stamps as text, memos from the .dbt/.fpt\n"
        "               beside the table. Text is converted to UTF-8 from the table's code page\n"
        "               (a .cpg file beside it, or its language driver; when it names none, the\n"
        "               code page is guessed from the text and the guess said on standard error);\n"
        "               control characters show as \\x1b except in CSV.");
    parser.addPositionalArgument("ACTION", "info or dump");
    parser.addPositionalArgument("FILE", "the table");
    const QCommandLineOption csv("csv", "Write CSV (RFC 4180) instead of tab-separated values.");
    const QCommandLineOption deleted("deleted", "Include deleted records, marked * in a first column.");
    const QCommandLineOption encoding(
        "encoding", "Read the table's text in code page NAME (CP949, windows-1251, IBM866, GBK ...).", "NAME");
    const QCommandLineOption raw("raw", "Keep the stored bytes of text: no code page conversion.");
    const QCommandLineOption keepBlanks("keep-blanks", "Keep the blanks that pad character fields.");
    const QCommandLineOption json = jsonOption("info: the table as JSON; dump: a JSON object a record, a line each "
                                               "(JSON Lines).");
    parser.addOption(json);
    parser.addOption(csv);
    parser.addOption(keepBlanks);
    parser.addOption(deleted);
    parser.addOption(encoding);
    parser.addOption(raw);
    const bool option = sub.isEmpty() || sub.startsWith('-');
    int exit = Ok;
    if (!parse(parser, option ? args : args.mid(1),
            "dbf ACTION FILE [--csv | --json] [--deleted] [--keep-blanks] [--encoding NAME | --raw]", exit))
        return exit;
    const QStringList pos = parser.positionalArguments();
    if (option || pos.size() != 1 || (sub != "info" && sub != "dump"))
        return usageError("dbf takes info or dump and one table (see vandrel dbf --help)");
    if (parser.isSet(raw) && parser.isSet(encoding))
        return usageError("--raw keeps the stored bytes: it takes no --encoding");
    if (parser.isSet(json) && parser.isSet(csv))
        return usageError("--json and --csv are two forms of output: give one");
    KivDbfTable t;
    t.path = utf8(pos.first()).toStdString();
    ByteSource source;
    if (!source.openFile(ResolvePathNoCase(t.path.c_str()))) {
        printError(QString("cannot open %1: %2").arg(pos.first(), QString::fromStdString(source.errorText())));
        return Failed;
    }
    t.data.open(std::move(source));
    if (t.data.getFieldCount() < 0) {
        printError(QString("%1 is too short to be a dBASE table").arg(pos.first()));
        return Failed;
    }
    if (!chooseCodePage(t, parser.value(encoding), parser.isSet(raw)))
        return Failed;
    t.findMemo();
    if (sub == "info")
        return parser.isSet(json) ? dbfInfoJson(t) : dbfInfo(t);
    return dbfDump(
        t, parser.isSet(csv), parser.isSet(deleted), parser.isSet(raw), parser.isSet(keepBlanks), parser.isSet(json));
}

} // namespace

int runDbf(const QStringList& args)
{
    // Nothing a table holds may end the tool other than with a message.
    try {
        return runDbfCommand(args);
    } catch (const std::exception& e) {
        printError(QString("dbf: %1").arg(e.what()));
    } catch (...) {
        printError("dbf: unexpected failure");
    }
    return Failed;
}

} // namespace cli
