// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "Terminal.h"

#include "core/KivIni.h"
#include "platform/io/ByteSource.h"
#include "platform/io/FileSystem.h"
#include "platform/io/PathNoCase.h"

#include <QRegularExpression>

#include <algorithm>

namespace cli {

int runIni(const QStringList& args)
{
    const QString sub = args.size() > 1 ? args.at(1) : QString();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Reads and writes INI values as the libraries do: sections and keys ignore case, "
        "a numbered key is KEY followed by N, a password enciphers the value.\n\n"
        "  get FILE SECTION KEY          print the value (status 1 when empty or missing)\n"
        "  set FILE SECTION KEY VALUE    write it");
    parser.addPositionalArgument("ACTION", "get or set");
    const QCommandLineOption number({"n", "number"}, "Use the numbered key KEY<N>.", "N");
    const QCommandLineOption password({"p", "password"}, "Encipher or decipher with this password.", "PW");
    parser.addOption(number);
    parser.addOption(password);
    const bool option = sub.isEmpty() || sub.startsWith('-');
    int exit = Ok;
    if (!parse(parser, option ? args : args.mid(1), "ini get|set FILE SECTION KEY [VALUE] [--number N] [--password PW]",
            exit))
        return exit;
    const QStringList pos = parser.positionalArguments();
    const qsizetype want = sub == "set" ? 4 : 3;
    if (option || (sub != "get" && sub != "set") || pos.size() != want)
        return usageError("ini takes get FILE SECTION KEY or set FILE SECTION KEY VALUE (see vandrel ini --help)");
    if (parser.isSet(number) && parser.isSet(password)) {
        printError("--number and --password do not go together");
        return Failed;
    }
    bool numbered = false;
    const int n = parser.value(number).toInt(&numbered);
    if (parser.isSet(number) && !numbered) {
        printError("--number takes a whole number");
        return Failed;
    }
    KivIni ini;
    const QByteArray file = utf8(pos.at(0)), section = utf8(pos.at(1)), key = utf8(pos.at(2));
    // A file that is there but cannot be read is reported, never taken for
    // an empty one.
    if (PathExists(file.constData())) {
        ByteSource source;
        if (!source.openFile(ResolvePathNoCase(file.constData()))) {
            printError(QString("%1: %2").arg(pos.at(0), QString::fromStdString(source.errorText())));
            return Failed;
        }
    }
    const QByteArray pw = utf8(parser.value(password));
    ini.setFileName(file.constData());
    if (sub == "set") {
        const QByteArray value = utf8(pos.at(3));
        if (value.size() > 255) {
            printError("INI values hold at most 255 characters");
            return Failed;
        }
        if (value.contains('\n') || value.contains('\r') || section.contains('\n') || section.contains('\r')
            || key.contains('\n') || key.contains('\r')) {
            printError("INI sections, keys and values cannot hold line breaks");
            return Failed;
        }
        int written;
        if (parser.isSet(password))
            written = ini.setConfigCrypt(pw.constData(), section.constData(), key.constData(), value.constData());
        else if (parser.isSet(number))
            written = ini.setConfig(section.constData(), key.constData(), n, value.constData());
        else
            written = ini.setConfig(section.constData(), key.constData(), value.constData());
        if (!written) {
            printError(QString("cannot write %1").arg(pos.at(0)));
            return Failed;
        }
        return Ok;
    }
    char value[256];
    int found;
    if (parser.isSet(password))
        found = ini.getConfigCrypt(pw.constData(), section.constData(), key.constData(), value);
    else if (parser.isSet(number))
        found = ini.getConfig(section.constData(), key.constData(), n, value);
    else
        found = ini.getConfig(section.constData(), key.constData(), value);
    if (!found)
        return Failed;
    std::printf("%s\n", value);
    return Ok;
}

} // namespace cli
