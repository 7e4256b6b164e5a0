// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "JsonWriter.h"
#include "Terminal.h"

#include "imaging/toolkit/KivLeadCommand.h"
#include "imaging/toolkit/KivLeadEditor.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "platform/io/FileSystem.h"
#include "platform/io/PathNoCase.h"

#include <cmath>
#include <vector>

namespace cli {

namespace {

QString shown(const QString& path)
{
    return QString::fromStdString(escapeControls(utf8(path).toStdString()));
}

// The toolkit's own reason names the file and the cause; else the status says.
void failed(const QString& what, int status)
{
    const QString reason = QString::fromStdString(escapeControls(KivLeadLastError()));
    printError(reason.isEmpty()
            ? QString("%1: %2 (status %3)").arg(what, QString::fromUtf8(KivLeadStatusText(status))).arg(status)
            : QString("%1 (status %2)").arg(reason).arg(status));
}

// The reason a file could not be read, for JSON.
std::string reasonOf(int status)
{
    const std::string reason = KivLeadLastError();
    return reason.empty() ? std::string(KivLeadStatusText(status)) : reason;
}

// One array, an object a file; a file that cannot be read has an "error".
int infoJson(const QStringList& files)
{
    int exit = Ok;
    JsonWriter out;
    out.beginArray();
    for (const QString& file : files) {
        KivLeadFileInfo i;
        const int status = KivLeadGetFileInfo(ResolvePathNoCase(utf8(file).constData()).c_str(), &i);
        out.beginObject().member("image", utf8(file).toStdString());
        if (status != KIVLEAD_SUCCESS) {
            failed(QString("cannot read %1").arg(shown(file)), status);
            out.member("error", reasonOf(status)).member("status", status).endObject();
            exit = Failed;
            continue;
        }
        out.member("format", KivLeadFormatName(i.format))
            .member("width", i.width)
            .member("height", i.height)
            .member("bits_per_pixel", i.bitsPerPixel)
            .member("pages", i.pages)
            .endObject();
    }
    out.endArray().writeLine();
    return exit;
}

int info(const QStringList& files, bool json)
{
    if (json)
        return infoJson(files);
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

// Saves the edited page. An output that is the input itself (also through
// a link) and holds other pages gets only this page replaced, as the editor
// saves a page; it never loses the others. Written in another format, those
// pages would have no place: that is refused. KIVLEAD_SUCCESS, or a status
// after the message was printed (KIVLEAD_ERROR_INVALID_ARGUMENT).
int saveEdited(const QString& in, const QString& out, int page, CLeadBitmap* image, int format)
{
    const std::string input = ResolvePathNoCase(utf8(in).constData());
    KivLeadFileInfo info;
    if (!SameFile(input.c_str(), utf8(out).constData()) || KivLeadGetFileInfo(input.c_str(), &info) != KIVLEAD_SUCCESS
        || info.pages <= 1)
        return KivLeadSaveFile(utf8(out).constData(), image, format, 0, 2);
    if (format != info.format) {
        printError(QString("%1 holds %2 pages, which a %3 file cannot keep: write the page elsewhere, or put it back "
                           "with vandrel image page %1 replace %4 FILE")
                       .arg(shown(in))
                       .arg(info.pages)
                       .arg(KivLeadFormatName(format))
                       .arg(page));
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    }
    return KivLeadSaveFile(input.c_str(), image, format, 0, 2, page, KIVLEAD_SAVE_REPLACE);
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
    // Nothing here is undone: the commands change the pixels in place.
    image->SetChangeInPlace(true);
    KivLeadEditor editor(image);
    editor.SetSnapshots(false);
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
    status = saveEdited(in, out, page, image, format);
    if (status != KIVLEAD_SUCCESS) {
        failed(QString("cannot write %1").arg(shown(out)), status);
        return Failed;
    }
    return Ok;
}

// "N" as a page from 1; prints the error and gives 0 otherwise.
int pageNumber(const QString& text)
{
    bool ok = false;
    const int page = text.toInt(&ok);
    if (!ok || page < 1) {
        printError(QString("'%1' is no page number (pages count from 1)").arg(shown(text)));
        return 0;
    }
    return page;
}

int pages(const QString& file, bool json)
{
    std::vector<KivLeadFileInfo> list;
    const int status = KivLeadGetPagesInfo(ResolvePathNoCase(utf8(file).constData()).c_str(), &list);
    if (status != KIVLEAD_SUCCESS) {
        failed(QString("cannot read %1").arg(shown(file)), status);
        return Failed;
    }
    if (json) {
        JsonWriter out;
        out.beginObject()
            .member("image", utf8(file).toStdString())
            .member("format", KivLeadFormatName(list.empty() ? 0 : list.front().format))
            .key("pages")
            .beginArray();
        for (std::size_t i = 0; i < list.size(); ++i)
            out.beginObject()
                .member("page", i + 1)
                .member("width", list[i].width)
                .member("height", list[i].height)
                .member("bits_per_pixel", list[i].bitsPerPixel)
                .endObject();
        out.endArray().endObject().writeLine();
        return Ok;
    }
    std::printf("image:  %s\n", utf8(shown(file)).constData());
    std::printf("format: %s\n", KivLeadFormatName(list.empty() ? 0 : list.front().format));
    std::printf("pages:  %zu\n", list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        std::printf("%6zu  %d x %d  %d bits\n", i + 1, list[i].width, list[i].height, list[i].bitsPerPixel);
    return Ok;
}

// Every page of source before page of file, in one rewrite; the file keeps
// its own format.
int insertPages(const std::string& file, int page, const std::string& source, const QString& shownSource)
{
    KivLeadFileInfo target, from;
    int status = KivLeadGetFileInfo(file.c_str(), &target);
    if (status == KIVLEAD_SUCCESS)
        status = KivLeadGetFileInfo(source.c_str(), &from);
    if (status != KIVLEAD_SUCCESS) {
        failed("cannot read the file or the source", status);
        return Failed;
    }
    if (!KivLeadFormatHoldsPages(target.format)) {
        failed(QString("%1 files hold one page").arg(KivLeadFormatName(target.format)), KIVLEAD_ERROR_INVALID_ARGUMENT);
        return Failed;
    }
    if (page > target.pages + 1) {
        failed(QString("page %1 is past the end (%2 pages)").arg(page).arg(target.pages), KIVLEAD_ERROR_PAGE_NOT_FOUND);
        return Failed;
    }
    status = KivLeadInsertPages(file.c_str(), page, source.c_str());
    if (status != KIVLEAD_SUCCESS) {
        failed(QString("the pages of %1 were not inserted; the file is as it was").arg(shownSource), status);
        return Failed;
    }
    std::printf("inserted %d page%s at page %d\n", from.pages, from.pages == 1 ? "" : "s", page);
    return Ok;
}

int pageAction(const QStringList& pos, const QString& out)
{
    const QString& action = pos.at(1);
    const int page = pageNumber(pos.at(2));
    if (page == 0)
        return Failed;
    const std::string file = ResolvePathNoCase(utf8(pos.at(0)).constData());
    int status = KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (action == "extract" && pos.size() == 3 && !out.isEmpty()) {
        const int format = KivLeadFormatFromName(utf8(out).constData());
        if (format == KIVLEAD_FORMAT_UNKNOWN) {
            printError(QString("cannot tell the format of %1 by its name").arg(shown(out)));
            return Failed;
        }
        status = KivLeadExtractPage(file.c_str(), page, utf8(out).constData(), format);
    } else if (action == "delete" && pos.size() == 3) {
        status = KivLeadDeletePage(file.c_str(), page);
    } else if (action == "insert" && pos.size() == 4) {
        return insertPages(file, page, ResolvePathNoCase(utf8(pos.at(3)).constData()), shown(pos.at(3)));
    } else if (action == "replace" && pos.size() == 4) {
        status = KivLeadReplacePage(file.c_str(), page, ResolvePathNoCase(utf8(pos.at(3)).constData()).c_str());
    } else {
        printError("page takes FILE extract N -o OUT, FILE delete N, FILE insert N SRC or FILE replace N SRC");
        return Failed;
    }
    if (status != KIVLEAD_SUCCESS) {
        failed(QString("%1 of page %2 failed").arg(action).arg(page), status);
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
        "  edit --list                         every command with its values\n"
        "  pages FILE                          each page's size and bits\n"
        "  page FILE extract N -o OUT          page N (from 1) as OUT\n"
        "  page FILE delete N                  removes page N\n"
        "  page FILE insert N SRC              every page of SRC before page N\n"
        "                                      (N = pages + 1 appends)\n"
        "  page FILE replace N SRC             page N becomes the first page of SRC");
    parser.addPositionalArgument("ACTION", "info, edit, pages or page");
    const QCommandLineOption output({"o", "output"}, "The file to write.", "OUT");
    const QCommandLineOption doOption("do", "An edit command, repeatable.", "CMD");
    const QCommandLineOption listOption("list", "List the edit commands.");
    const QCommandLineOption pageOption("page", "The page of IN to edit (1).", "N", "1");
    const QCommandLineOption json = jsonOption("With info and pages: the result as JSON.");
    parser.addOption(json);
    parser.addOption(output);
    parser.addOption(doOption);
    parser.addOption(listOption);
    parser.addOption(pageOption);
    const bool option = sub.isEmpty() || sub.startsWith('-');
    int exit = Ok;
    if (!parse(parser, option ? args : args.mid(1),
            "image info FILE... | image edit IN -o OUT --do CMD... | image pages FILE | image page FILE ACTION N ...",
            exit))
        return exit;
    const QStringList pos = parser.positionalArguments();
    if (!option && sub == "info" && !pos.isEmpty())
        return info(pos, parser.isSet(json));
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
    if (!option && sub == "pages" && pos.size() == 1)
        return pages(pos.at(0), parser.isSet(json));
    if (!option && sub == "page" && pos.size() >= 3)
        return pageAction(pos, parser.value(output));
    return usageError("image takes info, edit, pages or page (see vandrel image --help)");
}

} // namespace cli
