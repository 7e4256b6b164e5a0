#include "Cli.h"
#include "Terminal.h"

#include "imaging/KivLeadCommand.h"
#include "imaging/KivLeadEditor.h"
#include "imaging/KivLeadToolkit.h"
#include "platform/PathNoCase.h"

#include <cmath>

namespace cli {

namespace {

QString shown(const QString& path)
{
    return QString::fromStdString(escapeControls(utf8(path).toStdString()));
}

void failed(const QString& what, int status)
{
    printError(QString("%1: %2 (status %3)").arg(what, QString::fromUtf8(KivLeadStatusText(status))).arg(status));
}

int info(const QStringList& files)
{
    int exit = Ok;
    for (const QString& file : files) {
        KivLeadFileInfo i;
        const int status = KivLeadGetFileInfo(ResolvePathNoCase(utf8(file).constData()).c_str(), &i);
        if (status != KIVLEAD_SUCCESS) {
            failed(QString("cannot read %1").arg(shown(file)), status);
            exit = Failed;
            continue;
        }
        std::printf("image:           %s\n", utf8(shown(file)).constData());
        std::printf("format:          %s\n", KivLeadFormatName(i.format));
        std::printf("width:           %d\n", i.width);
        std::printf("height:          %d\n", i.height);
        std::printf("bits per pixel:  %d\n", i.bitsPerPixel);
        std::printf("pages:           %d\n", i.pages);
    }
    return exit;
}

void list()
{
    for (const KivLeadCommand& c : KivLeadCommands()) {
        const QString name = c.count ? QString("%1=%2").arg(c.name, c.values) : QString(c.name);
        std::printf("  %-40s %s\n", utf8(name).constData(), c.summary);
    }
}

// "name" or "name=v1,v2": the command and its values in toolkit units, the
// values not given taken from the command's defaults.
const KivLeadCommand* parseDo(const QString& text, int* values)
{
    const QString name = text.section('=', 0, 0);
    const KivLeadCommand* command = KivLeadFindCommand(utf8(name).constData());
    if (!command) {
        printError(QString("unknown command '%1' (see vandrel image edit --list)").arg(shown(name)));
        return nullptr;
    }
    std::copy(command->defaults, command->defaults + command->count, values);
    if (!text.contains('='))
        return command;
    const QStringList parts = text.section('=', 1).split(',');
    if (parts.size() > command->count) {
        printError(QString("%1 takes %2").arg(command->name, command->count ? command->values : "no values"));
        return nullptr;
    }
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const double v = parts[i].trimmed().toDouble(&ok) * command->scale[i];
        if (!ok || !std::isfinite(v) || std::fabs(v) > 1e9) {
            printError(QString("%1 takes numbers: %1=%2").arg(command->name, command->values));
            return nullptr;
        }
        values[i] = static_cast<int>(std::trunc(v));
    }
    return command;
}

int edit(const QString& in, const QString& out, int page, const QStringList& steps)
{
    struct Step {
        const KivLeadCommand* command;
        int values[KivLeadCommand::kMaxValues];
    };
    std::vector<Step> plan;
    for (const QString& s : steps) {
        Step step {};
        step.command = parseDo(s, step.values);
        if (!step.command)
            return Failed;
        plan.push_back(step);
    }
    const int format = KivLeadFormatFromName(utf8(out).constData());
    if (format == KIVLEAD_FORMAT_UNKNOWN) {
        printError(QString("cannot tell the format of %1: name it .png, .jpg, .bmp, .gif, .tif, .webp or .ppm")
                       .arg(shown(out)));
        return Failed;
    }
    CLeadBitmap bitmap;
    CLeadBitmap* image = &bitmap;
    int status = KivLeadLoadFile(ResolvePathNoCase(utf8(in).constData()).c_str(), image, 0, page);
    if (status != KIVLEAD_SUCCESS) {
        failed(QString("cannot load %1").arg(shown(in)), status);
        return Failed;
    }
    KivLeadEditor editor(image);
    for (const Step& step : plan) {
        KivLeadCommandContext context;
        status = editor.Run(*step.command, step.values, context);
        if (!context.message.empty())
            std::printf("%s\n", context.message.c_str());
        if (status != KIVLEAD_SUCCESS) {
            failed(QString("%1 failed").arg(step.command->name), status);
            return Failed;
        }
    }
    status = KivLeadSaveFile(utf8(out).constData(), image, format, 0, 2);
    if (status != KIVLEAD_SUCCESS) {
        failed(QString("cannot write %1").arg(shown(out)), status);
        return Failed;
    }
    return Ok;
}

} // namespace

int runImage(const QStringList& args)
{
    const QString sub = args.size() > 1 ? args.at(1) : QString();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Shows and edits images (BMP, JPEG, PNG, GIF, TIFF, WebP, PNM).\n\n"
        "  info FILE...                        format, size, bits per pixel, pages\n"
        "  edit IN -o OUT --do CMD[=V,...]...  runs the edit commands in order, saves OUT\n"
        "                                      in the format its extension names\n"
        "  edit --list                         every command with its values");
    parser.addPositionalArgument("ACTION", "info or edit");
    const QCommandLineOption output({"o", "output"}, "The file to write.", "OUT");
    const QCommandLineOption doOption("do", "An edit command, repeatable.", "CMD");
    const QCommandLineOption listOption("list", "List the edit commands.");
    const QCommandLineOption pageOption("page", "The page of IN to edit (1).", "N", "1");
    parser.addOption(output);
    parser.addOption(doOption);
    parser.addOption(listOption);
    parser.addOption(pageOption);
    const bool option = sub.isEmpty() || sub.startsWith('-');
    int exit = Ok;
    if (!parse(parser, option ? args : args.mid(1), "image info FILE... | image edit IN -o OUT --do CMD...", exit))
        return exit;
    const QStringList pos = parser.positionalArguments();
    if (!option && sub == "info" && !pos.isEmpty())
        return info(pos);
    if (!option && sub == "edit" && parser.isSet(listOption)) {
        list();
        return Ok;
    }
    if (!option && sub == "edit" && pos.size() == 1 && parser.isSet(output)) {
        bool ok = false;
        const int page = parser.value(pageOption).toInt(&ok);
        if (!ok || page < 1) {
            printError("--page takes a page number from 1");
            return Failed;
        }
        return edit(pos.at(0), parser.value(output), page, parser.values(doOption));
    }
    printError("image takes info FILE... or edit IN -o OUT --do CMD... (see vandrel image --help)");
    return Failed;
}

} // namespace cli
