#include "Cli.h"

#include "platform/MessageBox.h"

#include <QCoreApplication>

#include <cstring>
#include <iterator>

namespace {

const cli::Command kCommands[] = {
    {"bmp", "show, load and save BMP files", &cli::runBmp},
    {"calc", "evaluate an expression with named parameters", &cli::runCalc},
    {"slide", "show or draw a slide (info, render)", &cli::runSlide},
    {"aci", "show an AutoCAD Color Index colour", &cli::runAci},
    {"slb", "create, list and change slide libraries", &cli::runSlb},
    {"dbf", "show and dump dBASE tables", &cli::runDbf},
    {"dwg", "show and draw the preview of DWG drawings", &cli::runDwg},
    {"ini", "read and write INI values, plain or enciphered", &cli::runIni},
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
        printError(parser.errorText());
        exit = Failed;
        return false;
    }
    if (parser.isSet(help)) {
        std::printf("Usage: vandrel %s\n%s", usage, utf8(parser.helpText().section('\n', 1)).constData());
        exit = Ok;
        return false;
    }
    return true;
}

void printError(const QString& text)
{
    std::fprintf(stderr, "vandrel: %s\n", utf8(text).constData());
}

} // namespace cli

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("vandrel");
    QCoreApplication::setApplicationVersion(VANDREL_VERSION);

    QStringList args = QCoreApplication::arguments().mid(1);
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
        return cli::Failed;
    }
    if (args.isEmpty()) {
        printUsage(stderr);
        return cli::Failed;
    }
    if (args.first() == "help") {
        if (args.size() == 1) {
            printUsage(stdout);
            return cli::Ok;
        }
        args = {args.at(1), "--help"};
    }
    for (const auto& c : kCommands)
        if (args.first() == QLatin1String(c.name))
            return c.run(args);
    cli::printError(QString("unknown command '%1'").arg(args.first()));
    printUsage(stderr);
    return cli::Failed;
}
