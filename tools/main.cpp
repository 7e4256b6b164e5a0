// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "Terminal.h"

#include "platform/services/MessageBox.h"

#ifdef VANDREL_FULL_PROGRAM
#include <QApplication>
#endif
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstring>
#include <exception>
#include <iterator>
#include <memory>

namespace {

const cli::Command kCommands[] = {
    {"bmp", "show, load and save BMP files", &cli::runBmp},
    {"calc", "evaluate an expression with named parameters", &cli::runCalc},
    {"slide", "show or draw a slide (info, render)", &cli::runSlide},
    {"aci", "show an AutoCAD Color Index colour", &cli::runAci},
    {"slb", "create, list and change slide libraries", &cli::runSlb},
    {"dbf", "show and dump dBASE tables", &cli::runDbf},
    {"dwg", "show and draw the preview of DWG drawings", &cli::runDwg},
    {"dxf", "show and draw DXF drawings", &cli::runDxf},
    {"ini", "read and write INI values, plain or enciphered", &cli::runIni},
    {"airfoil", "compute, read and draw airfoil outlines", &cli::runAirfoil},
    {"sheet", "draw contact sheets of slides, libraries and drawings", &cli::runSheet},
    {"album", "create, change and search album databases", &cli::runAlbum},
    {"image", "show and edit images", &cli::runImage},
    {"timer", "count down, or up to a limit, in seven-segment digits", &cli::runTimer},
    {"thumbs", "make, refresh and check the thumbnail cache of a folder of images", &cli::runThumbs},
    {"regsvr", "register a control file in the registry store", &cli::runRegsvr},
};

void printUsage(FILE* out)
{
    std::fprintf(out,
        "Usage: vandrel [--yes] COMMAND [ARGS]...\n"
        "\n"
        "Reads, draws and maintains CAD files from the shell.\n"
        "\n"
        "Commands:\n");
    for (const auto& c : kCommands)
        std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
    std::fprintf(out,
        "\n"
        "Options:\n"
        "  --yes      answer Yes to every question (overwrite without asking)\n"
        "  --version  print the version\n"
        "  --help     print this help\n"
        "\n"
        "Run 'vandrel COMMAND --help' for a command's own options.\n");
}

} // namespace

namespace cli {

bool parse(QCommandLineParser& parser, const QStringList& args, const char* usage, int& exit)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Print this help.");
    parser.addOption(help);
    if (!parser.parse(args)) {
        exit = usageError(parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        std::printf("Usage: vandrel %s\n%s", usage, utf8(parser.helpText().section('\n', 1)).constData());
        exit = Ok;
        return false;
    }
    return true;
}

bool parseColor(const QString& text, const char* option, COLORREF& out)
{
    static const QRegularExpression re("^#([0-9a-fA-F]{6})$");
    const auto m = re.match(text);
    if (!m.hasMatch()) {
        printError(QString("--%1 takes a colour as #RRGGBB").arg(option));
        return false;
    }
    const uint v = m.captured(1).toUInt(nullptr, 16);
    out = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    return true;
}

QString colorText(COLORREF c)
{
    return QString::asprintf("#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
}

void appendCsv(std::string& line, std::string_view value)
{
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
        line.append(value);
        return;
    }
    line += '"';
    for (char c : value) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

bool parseSize(const QString& text, int& width, int& height, const char* option)
{
    static const QRegularExpression re("^(\\d{1,5})x(\\d{1,5})$");
    const auto m = re.match(text);
    width = m.hasMatch() ? m.captured(1).toInt() : 0;
    height = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (width < 1 || height < 1 || width > 16384 || height > 16384) {
        printError(QString("--%1 takes WxH, each from 1 to 16384").arg(option));
        return false;
    }
    return true;
}

namespace {
char** g_arguments = nullptr;
}

void keepArguments(char** argv)
{
    g_arguments = argv;
}

char** keptArguments()
{
    return g_arguments;
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        QString arg;
        const auto* p = reinterpret_cast<const unsigned char*>(argv[i]);
        const auto* end = p + std::strlen(argv[i]);
        while (p < end) {
            const std::size_t n = *p < 0x80 ? 1 : Utf8SequenceLength(p, static_cast<std::size_t>(end - p));
            if (n == 0) {
                arg += QChar(static_cast<char16_t>(0xDC00 + *p));
                ++p;
                continue;
            }
            arg += QString::fromUtf8(reinterpret_cast<const char*>(p), static_cast<qsizetype>(n));
            p += n;
        }
        args << arg;
    }
    return args;
}

QByteArray utf8(const QString& s)
{
    QByteArray out;
    out.reserve(s.size());
    qsizetype run = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s.at(i).unicode();
        if (c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !s.at(i - 1).isHighSurrogate())) {
            out += s.mid(run, i - run).toUtf8();
            out += static_cast<char>(c - 0xDC00);
            run = i + 1;
        }
    }
    out += s.mid(run).toUtf8();
    return out;
}

void printError(const QString& text)
{
    std::fprintf(stderr, "vandrel: %s\n", utf8(text).constData());
}

int usageError(const QString& text)
{
    printError(text);
    return Usage;
}

QCommandLineOption jsonOption(const char* what)
{
    return QCommandLineOption("json", what);
}

} // namespace cli

namespace {

int runCommand(QStringList args)
{
    while (!args.isEmpty() && args.first().startsWith('-')) {
        const QString option = args.takeFirst();
        if (option == "--help" || option == "-h") {
            printUsage(stdout);
            return cli::Ok;
        }
        if (option == "--version") {
            std::printf("vandrel %s\n", VANDREL_VERSION);
            return cli::Ok;
        }
        if (option == "--yes" || option == "-y") {
            SetConsoleAnswer(ConsoleAnswer::Consent);
            continue;
        }
        cli::printError(QString("unknown option '%1'").arg(option));
        printUsage(stderr);
        return cli::Usage;
    }
    if (args.isEmpty()) {
        printUsage(stderr);
        return cli::Usage;
    }
    if (args.first() == "help") {
        if (args.size() == 1) {
            printUsage(stdout);
            return cli::Ok;
        }
        args = {args.at(1), "--help"};
    }
    for (const auto& c : kCommands)
        if (args.first() == QLatin1String(c.name)) {
            // The libraries throw nothing; this keeps an unforeseen failure
            // (memory running out) a message and status 1, never an abort.
            try {
                return c.run(args);
            } catch (const std::exception& e) {
                cli::printError(QString("%1 failed: %2").arg(args.first(), QString::fromLocal8Bit(e.what())));
            } catch (...) {
                cli::printError(QString("%1 failed").arg(args.first()));
            }
            return cli::Failed;
        }
    cli::printError(QString("unknown command '%1'").arg(args.first()));
    printUsage(stderr);
    return cli::Usage;
}

// The toolkit's own chatter ("XDG_RUNTIME_DIR not set" …) is no concern of a
// command's user: only the libraries' categories reach standard error,
// unless logging rules ask for more.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const bool ours = context.category && std::strncmp(context.category, "vandrel.", 8) == 0;
    if (!ours && type != QtCriticalMsg && type != QtFatalMsg)
        return;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    cli::keepArguments(argv);
    cli::CheckStandardOutput();
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qInstallMessageHandler(&quietMessages);
#ifdef VANDREL_FULL_PROGRAM
    // Contact sheets are drawn by the browser's cells, which are widgets,
    // and DXF texts with fonts; nothing is ever shown, so they need no
    // display.
    const bool widgets = cli::needsWidgets(argc, argv);
    if (widgets)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app(
        widgets ? new QApplication(argc, argv) : new QCoreApplication(argc, argv));
#else
    const QCoreApplication app(argc, argv);
#endif
    QCoreApplication::setApplicationName("vandrel");
    QCoreApplication::setApplicationVersion(VANDREL_VERSION);

    const int status = runCommand(cli::argumentsOf(argc, argv).mid(1));
    // Output that did not arrive is a failure, whatever the command did.
    if (const int error = cli::StandardOutputError()) {
        cli::printError(
            QString("cannot write to standard output: %1").arg(QString::fromLocal8Bit(std::strerror(error))));
        return cli::Failed;
    }
    return status;
}
