// SPDX-License-Identifier: MIT
#include "Cli.h"
#include "JsonWriter.h"
#include "Terminal.h"

#include "imaging/thumbcache/KivLeadThumbFolder.h"
#include "imaging/thumbcache/KivLeadThumbIndex.h"
#include "imaging/thumbcache/KivLeadThumbMgr.h"
#include "imaging/widgets/CKivLeadThumbListCtrl.h"
#include "platform/io/ByteSource.h"
#include "platform/io/FileSystem.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <limits>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

namespace cli {

namespace {

// The images the browser shows, in name order.
std::vector<std::string> imagesIn(const QString& folder)
{
    CStringArray names;
    CKivLeadThumbListCtrl::GetImageList(utf8(folder).constData(), &names);
    std::vector<std::string> files;
    for (int i = 0; i < names.GetSize(); ++i)
        files.push_back(names.GetAt(i));
    return files;
}

// Thumbnails no line names are swept once they are this old: a younger
// one may be another program's, about to be indexed.
constexpr std::int64_t kSweepAgeNs = 10LL * 60 * 1000000000;

std::int64_t sweepBefore()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() - kSweepAgeNs;
}

int check(const std::string& cache, bool json)
{
    KivLeadThumbFolder folder(cache, true); // a check changes nothing
    const KivLeadThumbIndex& index = folder.refresh();
    if (!folder.isOpen() || !folder.indexUsable()) {
        printError(QString::fromStdString(escapeControls(folder.note())));
        return Failed;
    }
    const bool noted = !folder.note().empty();
    if (noted)
        printError(QString::fromStdString(escapeControls(folder.note())));
    // Each finding in the index's order.
    std::vector<std::pair<const char*, std::string>> findings;
    std::vector<std::string> missing, gone;
    for (const KivLeadThumbEntry* entry : index.entries()) {
        const std::string source(entry->source);
        FileStamp stamp;
        if (folder.thumb(std::string(entry->name), &stamp) != CacheFolder::Entry::File || stamp.size == 0) {
            missing.push_back(source);
            findings.emplace_back("missing thumbnail", source);
        }
        if (!PathExists(source.c_str())) {
            gone.push_back(source);
            findings.emplace_back("source gone", source);
        }
    }
    const std::vector<std::string> unused = folder.unreferenced(std::numeric_limits<std::int64_t>::max());
    const int status = missing.empty() && gone.empty() && unused.empty() && !noted ? Ok : Failed;
    if (json) {
        JsonWriter out;
        out.beginObject().member("lines", index.lines()).member("live", index.live());
        const auto writeList = [&out](const char* name, const std::vector<std::string>& list) {
            out.key(name).beginArray();
            for (const std::string& path : list)
                out.value(path);
            out.endArray();
        };
        writeList("missing_thumbnails", missing);
        writeList("sources_gone", gone);
        writeList("unreferenced_thumbnails", unused);
        out.key("note");
        if (noted)
            out.value(folder.note());
        else
            out.null();
        out.endObject().writeLine();
        return status;
    }
    for (const auto& [what, source] : findings)
        std::printf("%s: %s\n", what, escapeControls(source).c_str());
    for (const std::string& file : unused)
        std::printf("unreferenced thumbnail: %s\n", escapeControls(file).c_str());
    std::printf("%zu lines, %zu live, %zu thumbnails missing, %zu sources gone, %zu unreferenced thumbnails\n",
        index.lines(), index.live(), missing.size(), gone.size(), unused.size());
    return status;
}

} // namespace

int runThumbs(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Makes or refreshes the thumbnail cache of the images in FOLDER: 160x120 JPEGs and their index THUMB.DB in "
        "the cache folder (FOLDER/.thumbs unless --cache says otherwise), as the image browser uses them. Prints how "
        "many thumbnails were made, reused, remade because the image changed (stale) and could not be made "
        "(failed); exits 1 when any failed. With --check, lists index lines whose thumbnail is missing and sources "
        "that no longer exist, and exits 1 when there are any.");
    parser.addPositionalArgument("FOLDER", "the folder of images");
    const QCommandLineOption cacheOption("cache", "The cache folder.", "DIR");
    const QCommandLineOption jobsOption("jobs", "Thumbnails made at once (1 to 64, default 1).", "N", "1");
    const QCommandLineOption checkOption("check", "Check the cache instead of filling it.");
    const QCommandLineOption json = jsonOption("With --check: the findings as JSON.");
    parser.addOption(json);
    parser.addOption(cacheOption);
    parser.addOption(jobsOption);
    parser.addOption(checkOption);
    int exit = Ok;
    if (!parse(parser, args, "thumbs FOLDER [--cache DIR] [--jobs N] [--check [--json]]", exit))
        return exit;
    if (parser.positionalArguments().size() != 1)
        return usageError("thumbs takes one FOLDER");
    const QString folder = parser.positionalArguments().front();
    if (!QFileInfo(folder).isDir()) {
        printError(QString("%1 is no folder").arg(folder));
        return Failed;
    }
    bool ok = false;
    const int jobs = parser.value(jobsOption).toInt(&ok);
    if (!ok || jobs < 1 || jobs > 64) {
        printError("--jobs takes a number from 1 to 64");
        return Failed;
    }
    QString cacheDir = parser.isSet(cacheOption) ? parser.value(cacheOption) : QDir(folder).filePath(".thumbs");
    std::string cache = utf8(QFileInfo(cacheDir).absoluteFilePath()).toStdString() + "/";
    // The folder's own cache is found, not named: someone who can write the
    // folder could have made it a link to a folder of ours.
    if (!parser.isSet(cacheOption) && QFileInfo(cacheDir).isSymLink()) {
        printError(QString("%1 is a symbolic link: refused (name a cache folder with --cache)")
                       .arg(QString::fromStdString(escapeControls(utf8(cacheDir).toStdString()))));
        return Failed;
    }
    if (parser.isSet(checkOption))
        return check(cache, parser.isSet(json));

    KivLeadThumbMgr first;
    if (!first.SetThumbPath(cache.c_str())) {
        printError(QString("cannot make the cache folder %1").arg(cacheDir));
        return Failed;
    }
    // The index as it was, for telling remade thumbnails from new ones; an
    // index that is a link, or too large, is refused or dealt with here.
    KivLeadThumbFolder before(cache);
    before.refresh();
    if (!before.note().empty())
        printError(QString::fromStdString(escapeControls(before.note())));
    if (!before.isOpen() || !before.indexUsable())
        return Failed;
    std::unordered_set<std::string> indexed;
    for (const KivLeadThumbEntry* entry : before.refresh().entries())
        indexed.insert(KivLeadThumbIndex::fold(entry->source));
    const std::vector<std::string> files = imagesIn(QFileInfo(folder).absoluteFilePath());
    std::atomic<std::size_t> next {0}, done {0};
    std::atomic<int> made {0}, reused {0}, stale {0}, failed {0};
    ProgressBar progress("thumbnails", files.size(), false);
    // Each worker has a manager of its own; they share the folder as two
    // programs would, through its locked index.
    const auto work = [&](bool shows) {
        KivLeadThumbMgr mgr(first);
        char out[4096];
        for (std::size_t i; (i = next++) < files.size();) {
            const char* file = files[i].c_str();
            if (mgr.FindThumb(cache.c_str(), file, out, sizeof out))
                ++reused;
            else if (!mgr.GetThumb(file, out, sizeof out))
                ++failed;
            else if (indexed.count(KivLeadThumbIndex::fold(files[i])))
                ++stale;
            else
                ++made;
            ++done;
            if (shows)
                progress.tick(done);
        }
    };
    std::vector<std::thread> workers;
    for (int j = 1; j < jobs; ++j)
        workers.emplace_back(work, false);
    work(true);
    for (auto& w : workers)
        w.join();
    progress.finish();
    const int swept = before.sweep(sweepBefore());
    std::printf("%zu images: made %d, reused %d, stale %d, failed %d; %d unreferenced thumbnails removed\n",
        files.size(), made.load(), reused.load(), stale.load(), failed.load(), swept);
    return failed == 0 ? Ok : Failed;
}

} // namespace cli
