// SPDX-License-Identifier: MIT
#include "Cli.h"

#include "JsonWriter.h"
#include "Terminal.h"

#include "cad/KivSlideFile.h"
#include "platform/io/ByteSource.h"
#include "platform/io/FileSystem.h"
#include "platform/io/PathNoCase.h"
#include "platform/services/MessageBox.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <unistd.h>
#include <unordered_set>

namespace cli {

namespace {

struct Counter : KivSlideSink {
    long lines = 0, fills = 0, colours = 0;
    void SlideLine(KivSlidePoint, KivSlidePoint) override { ++lines; }
    void SlidePolygon(const std::vector<KivSlidePoint>&) override { ++fills; }
    void SlideColor(int) override { ++colours; }
};

// Why an existing file was refused, or nothing when it is not there or
// nothing is wrong with it that a reader can see.
std::string refusalOf(const std::string& path)
{
    const std::optional<unsigned> permissions = PermissionsOf(path.c_str());
    if (!permissions) {
        // Not there: what keeps it from being made is its folder.
        const auto slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        if (!IsFolder(folder.c_str()))
            return "the folder " + folder + " does not exist";
        if (!MayWrite(folder.c_str()))
            return "cannot write in " + folder + ": " + std::strerror(errno);
        return {};
    }
    ByteSource source;
    if (!source.openFile(path))
        return source.errorText();
    if (source.size() > 0x7FFFFFFF)
        return "larger than the 2 GiB a slide or library can address";
    if ((*permissions & 0222) == 0)
        return "read-only";
    return {};
}

// Failure of a slide or library operation: its message, its code as status.
// "Can't open file" names the file; what keeps a file that is there from
// being used follows (read-only, too large), else the system's reason.
int slideFailure(int code)
{
    const std::string message = KivSlideFile::GetSlideError();
    printError(QString::fromUtf8(message));
    const auto open = message.find('"'), close = message.rfind('"');
    if (code == 1 && open != std::string::npos && close > open) {
        const std::string path = ResolvePathNoCase(message.substr(open + 1, close - open - 1).c_str());
        if (const std::string why = refusalOf(path); !why.empty()) {
            printError(QString::fromStdString(escapeControls(path) + ": " + why));
            return code;
        }
    }
    if (const std::string reason = KivSlideFile::GetSlideErrorReason(); !reason.empty())
        printError(QString::fromStdString(escapeControls(reason)));
    return code;
}

// The folder -d names, made with its parents when it is not there yet.
bool ensureFolder(const QByteArray& dir)
{
    if (IsFolder(dir.constData()))
        return true;
    if (PathExists(dir.constData())) {
        printError(QString("%1 is no folder").arg(QString::fromStdString(escapeControls(dir.toStdString()))));
        return false;
    }
    if (std::string error; !MakeFolders(dir.constData(), &error)) {
        printError(QString("cannot make the folder %1: %2")
                       .arg(QString::fromStdString(escapeControls(dir.toStdString())), QString::fromStdString(error)));
        return false;
    }
    return true;
}

// Slide files that exist already are replaced only with the user's consent
// (a console answers No unless --yes was given). slides are names as the
// user wrote them; the files are named as the library stores them.
bool mayOverwrite(const char* library, const std::vector<std::string>* slides, const char* dir, const QString& action)
{
    int count = 0;
    std::unique_ptr<KivSldLibInfo[], void (*)(KivSldLibInfo*)> info(
        KivSlideFile::GetSlideLibraryInfo(library, &count), &KivSlideFile::FreeSlideLibraryInfo);
    std::unordered_set<std::string> wanted;
    for (std::size_t j = 0; slides && j < slides->size(); ++j)
        wanted.insert(MakeLower((*slides)[j]));
    std::vector<std::string> stored;
    for (int i = 0; info && i < count; ++i)
        if (!slides || wanted.count(MakeLower(info[i].name)))
            stored.push_back(info[i].name);
    const std::vector<CString> existing = KivSlideFile::ExtractedFilesThatExist(dir, library, stored);
    if (existing.empty())
        return true;
    const QString first = QString::fromStdString(escapeControls(existing.front()));
    const QString question = existing.size() == 1
        ? QString("%1 exists. Overwrite it?").arg(first)
        : QString("%1 and %2 more slide files exist. Overwrite them?").arg(first).arg(existing.size() - 1);
    if (AfxMessageBox(question.toUtf8().constData(), MB_YESNO | MB_ICONQUESTION) == IDYES)
        return true;
    printError(QString("nothing written (vandrel --yes slb %1 overwrites existing slide files)").arg(action));
    return false;
}

int slideInfo(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Shows a slide's format, extent and records. REF is a slide file or "
                                     "LIBRARY(SLIDE). The status is the slide's result code: 0 valid, 2 made for "
                                     "another display or cut short, 3 invalid, 1, 4, 5 or 7 not found.");
    parser.addPositionalArgument("REF", "slide.sld or library.slb(SLIDE)");
    const QCommandLineOption json = jsonOption();
    parser.addOption(json);
    int exit = Ok;
    if (!parse(parser, args, "slide info REF", exit))
        return exit;
    // The parser takes "info" for the program's name: what is left is REF.
    if (parser.positionalArguments().size() != 1)
        return usageError("slide info takes one slide");
    const QByteArray ref = utf8(parser.positionalArguments().at(0));
    KivSlideFile slide;
    if (const int code = slide.Open(ref.constData()))
        return slideFailure(code);
    const int level = slide.GetLevel();
    int result = slide.ReadHeader();
    Counter counter;
    KivSlidePoint last;
    const int ended = slide.DecodeRecords(counter, last);
    if (!ended && result == 0)
        result = 2; // as a drawing reports a slide that ends early
    KivSlideFile::SetSlideError(result, nullptr, nullptr);

    if (parser.isSet(json)) {
        JsonWriter out;
        out.beginObject()
            .member("slide", ref.toStdString())
            .member("level", level)
            .member("byte_order", slide.IsSwapped() ? "big-endian" : "little-endian")
            .member("width", slide.GetHighX())
            .member("height", slide.GetHighY())
            .member("vectors", counter.lines)
            .member("fills", counter.fills)
            .member("colours", counter.colours)
            .member("end_record", ended != 0)
            .member("result", result)
            .member("message", KivSlideFile::GetSlideError())
            .endObject();
        out.writeLine();
        return result;
    }
    std::printf("slide:    %s\n", escapeControls(ref.toStdString()).c_str());
    std::printf("format:   level %d (%s header), %s\n", level, level == 1 ? "old 34-byte" : "new 31-byte",
        slide.IsSwapped() ? "big-endian" : "little-endian");
    std::printf("extent:   %u x %u\n", slide.GetHighX(), slide.GetHighY());
    std::printf("records:  %ld vectors, %ld fills, %ld colours, %s\n", counter.lines, counter.fills, counter.colours,
        ended ? "end record" : "no end record");
    std::printf("result:   %d %s\n", result, KivSlideFile::GetSlideError());
    return result;
}

int librarySub(const QStringList& args)
{
    const QString sub = args.size() > 1 ? args.at(1) : QString();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Maintains AutoCAD slide libraries. A library named without an extension gets \".slb\"; "
        "names match ignoring case. Every change rewrites the library through a temporary file, so a "
        "failure leaves it as it was. The status is 0 or the operation's code.\n\n"
        "  create LIB              make an empty library (or empty an existing one)\n"
        "  list LIB [--long]       the slide names, with addresses and sizes when long\n"
        "  append LIB FILE.sld...  add slides, named by their file titles\n"
        "  replace LIB FILE.sld... put slides in place of those of the same name\n"
        "  delete LIB SLIDE...     remove slides\n"
        "  extract LIB SLIDE... [-d DIR]  write slides out as SLIDE.SLD\n"
        "  remove LIB SLIDE... [-d DIR]   extract, then delete\n"
        "  explode LIB [-d DIR]    write every slide out");
    parser.addPositionalArgument("ACTION", "create, list, append, replace, delete, extract, remove or explode");
    parser.addPositionalArgument("LIB", "the library");
    const QCommandLineOption longList({"l", "long"}, "With list: addresses and sizes too.");
    const QCommandLineOption folder({"d", "dir"}, "Where extracted slides go (default: beside the library).", "DIR");
    const QCommandLineOption json = jsonOption("With list: the slides as JSON, with addresses and sizes.");
    parser.addOption(json);
    parser.addOption(longList);
    parser.addOption(folder);
    int exit = Ok;
    const bool option = sub.isEmpty() || sub.startsWith('-');
    if (!parse(parser, option ? args : args.mid(1), "slb ACTION LIB [ARGS]...", exit))
        return exit;
    // The parser takes the action for the program's name: LIB comes first.
    const QStringList pos = parser.positionalArguments();
    if (option || pos.isEmpty())
        return usageError("slb needs an action and a library (see vandrel slb --help)");
    const QByteArray lib = utf8(pos.at(0));
    QList<QByteArray> rest;
    for (const QString& p : pos.mid(1))
        rest << utf8(p);
    const QByteArray dir = utf8(parser.value(folder));
    const char* dirArg = parser.isSet(folder) ? dir.constData() : nullptr;

    auto needs = [&](bool ok, const char* what) {
        if (!ok)
            printError(QString("slb %1 %2").arg(sub, what));
        return ok;
    };
    using Each = int (*)(const char*, const char*, const char*);
    auto forEach = [&](Each op) {
        if (!needs(!rest.isEmpty(), "needs at least one more argument"))
            return static_cast<int>(Failed);
        for (const QByteArray& item : rest)
            if (const int code = op(lib.constData(), item.constData(), dirArg))
                return slideFailure(code);
        return static_cast<int>(Ok);
    };

    if (sub == "create") {
        if (!needs(rest.isEmpty(), "takes only the library"))
            return Failed;
        // An existing library is emptied only with the user's consent.
        if (const QByteArray name = lib.contains('.') ? lib : lib + ".slb";
            PathExists(ResolvePathNoCase(name.constData()).c_str())
            && AfxMessageBox(
                   QString("%1 exists. Remove all its slides?").arg(QString::fromUtf8(name)).toUtf8().constData(),
                   MB_YESNO | MB_ICONQUESTION)
                != IDYES) {
            printError("nothing changed (vandrel --yes slb create empties an existing library)");
            return Failed;
        }
        const int code = KivSlideFile::CreateLibrary(lib.constData());
        return code ? slideFailure(code) : Ok;
    }
    if (sub == "list") {
        int count = 0;
        std::unique_ptr<KivSldLibInfo[], void (*)(KivSldLibInfo*)> info(
            KivSlideFile::GetSlideLibraryInfo(lib.constData(), &count), &KivSlideFile::FreeSlideLibraryInfo);
        if (!info)
            return slideFailure(KivSlideFile::m_nSldError);
        if (parser.isSet(json)) {
            JsonWriter out;
            out.beginArray();
            for (int i = 0; i < count; ++i)
                out.beginObject()
                    .member("name", info[i].name)
                    .member("address", info[i].address)
                    .member("size", info[i].size)
                    .endObject();
            out.endArray().writeLine();
            return Ok;
        }
        for (int i = 0; i < count; ++i) {
            if (parser.isSet(longList))
                std::printf("%-31s %10ld %10ld\n", escapeControls(info[i].name).c_str(), info[i].address, info[i].size);
            else
                std::printf("%s\n", escapeControls(info[i].name).c_str());
        }
        return Ok;
    }
    if (sub == "append")
        return forEach([](const char* l, const char* f, const char*) { return KivSlideFile::AppendLibrary(l, f); });
    if (sub == "replace")
        return forEach([](const char* l, const char* f, const char*) { return KivSlideFile::ReplaceLibrary(l, f); });
    // Deleting many slides rewrites the library once.
    auto names = [&] {
        std::vector<std::string> list;
        for (const QByteArray& item : rest)
            list.push_back(item.toStdString());
        return list;
    };
    if (sub == "delete") {
        if (!needs(!rest.isEmpty(), "needs at least one more argument"))
            return Failed;
        const int code = KivSlideFile::DeleteLibrary(lib.constData(), names());
        return code ? slideFailure(code) : Ok;
    }
    const bool writesSlides = sub == "extract" || sub == "remove" || sub == "explode";
    if (writesSlides && dirArg && !ensureFolder(dir))
        return Failed;
    if (sub == "extract") {
        if (!needs(!rest.isEmpty(), "needs at least one more argument"))
            return Failed;
        const std::vector<std::string> slides = names();
        if (!mayOverwrite(lib.constData(), &slides, dirArg, sub))
            return Failed;
        return forEach(
            [](const char* l, const char* s, const char* d) { return KivSlideFile::ExtractLibrary(l, s, d); });
    }
    if (sub == "remove") {
        // Every slide is written out before the one rewrite takes them all
        // from the library; a slide that cannot be written stays in it.
        if (!needs(!rest.isEmpty(), "needs at least one more argument"))
            return Failed;
        const std::vector<std::string> slides = names();
        if (!mayOverwrite(lib.constData(), &slides, dirArg, sub))
            return Failed;
        std::vector<std::string> extracted;
        int failed = 0;
        for (const std::string& slide : names()) {
            if (const int code = KivSlideFile::ExtractLibrary(lib.constData(), slide.c_str(), dirArg)) {
                failed = slideFailure(code);
                break;
            }
            extracted.push_back(slide);
        }
        if (const int code = KivSlideFile::DeleteLibrary(lib.constData(), extracted))
            return slideFailure(code);
        return failed ? failed : static_cast<int>(Ok);
    }
    if (sub == "explode") {
        if (!needs(rest.isEmpty(), "takes only the library and -d"))
            return Failed;
        if (!mayOverwrite(lib.constData(), nullptr, dirArg, sub))
            return Failed;
        std::unique_ptr<ProgressBar> shown;
        const int code = KivSlideFile::ExplodeLibrary(lib.constData(), dirArg, [&](int done, int total) {
            if (!shown)
                shown = std::make_unique<ProgressBar>("explode", static_cast<std::uint64_t>(total), false);
            shown->update(static_cast<std::uint64_t>(done));
        });
        return code ? slideFailure(code) : Ok;
    }
    return usageError(QString("unknown slb action '%1'").arg(sub));
}

} // namespace

int runSlide(const QStringList& args)
{
    if (args.size() >= 2 && args.at(1) == "info")
        return slideInfo(args.mid(1));
    if (args.size() >= 2 && args.at(1) == "render")
        return runSlideRender(args.mid(1));
    if (args.size() >= 2 && (args.at(1) == "--help" || args.at(1) == "-h")) {
        std::printf("Usage: vandrel slide ACTION REF ...\n\nActions:\n"
                    "  info REF                 a slide's format, extent and records\n"
                    "  render REF -o OUT ...    draw it to PNG or SVG (see vandrel slide render --help)\n");
        return Ok;
    }
    return usageError("slide takes an action: info or render (see vandrel slide --help)");
}

int runSlb(const QStringList& args)
{
    return librarySub(args);
}

} // namespace cli
