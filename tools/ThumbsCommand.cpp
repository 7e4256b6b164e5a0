#include "Cli.h"
#include "Terminal.h"

#include "imaging/CKivLeadThumbListCtrl.h"
#include "imaging/KivLeadThumbIndex.h"
#include "imaging/KivLeadThumbMgr.h"
#include "platform/ByteSource.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
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

bool readIndex(const std::string& folder, KivLeadThumbIndex& index)
{
    ByteSource source;
    if (!source.openFile(folder + "THUMB.DB"))
        return source.error() == ENOENT;
    std::vector<std::uint8_t> bytes;
    if (source.size() > 64ULL * 1024 * 1024 || !source.readRange(0, source.size(), bytes))
        return false;
    index.parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return true;
}

int check(const std::string& cache)
{
    KivLeadThumbIndex index;
    if (!readIndex(cache, index)) {
        printError(QString("cannot read %1THUMB.DB").arg(QString::fromStdString(cache)));
        return Failed;
    }
    const std::string text = index.compacted();
    int missing = 0, gone = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line(text.data() + start, end - start);
        const std::string source(line.substr(0, line.rfind('|', line.rfind('|') - 1)));
        start = end + 1;
        const KivLeadThumbEntry* entry = index.find(source);
        if (FileSizeOf((cache + entry->name + ".jpg").c_str()) <= 0) {
            ++missing;
            std::printf("missing thumbnail: %s\n", escapeControls(source).c_str());
        }
        if (!PathExists(source.c_str())) {
            ++gone;
            std::printf("source gone: %s\n", escapeControls(source).c_str());
        }
    }
    std::printf(
        "%zu lines, %zu live, %d thumbnails missing, %d sources gone\n", index.lines(), index.live(), missing, gone);
    return missing + gone == 0 ? Ok : Failed;
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
    parser.addOption(cacheOption);
    parser.addOption(jobsOption);
    parser.addOption(checkOption);
    int exit = Ok;
    if (!parse(parser, args, "thumbs FOLDER [--cache DIR] [--jobs N] [--check]", exit))
        return exit;
    if (parser.positionalArguments().size() != 1) {
        printError("thumbs takes one FOLDER");
        return Failed;
    }
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
    if (parser.isSet(checkOption))
        return check(cache);

    KivLeadThumbMgr first;
    if (!first.SetThumbPath(cache.c_str())) {
        printError(QString("cannot make the cache folder %1").arg(cacheDir));
        return Failed;
    }
    KivLeadThumbIndex before;
    readIndex(cache, before);
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
            else if (before.find(files[i]))
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
    std::printf("%zu images: made %d, reused %d, stale %d, failed %d\n", files.size(), made.load(), reused.load(),
        stale.load(), failed.load());
    return failed == 0 ? Ok : Failed;
}

} // namespace cli
