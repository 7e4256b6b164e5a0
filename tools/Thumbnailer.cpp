// SPDX-License-Identifier: MIT
#include "Thumbnailer.h"

#include "platform/io/AtomicFile.h"
#include "platform/io/FileSystem.h"

#include <QString>
#include <QUrl>
#include <QtGlobal>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace thumbnailer {

namespace {

constexpr int kMaxSize = 4096;

} // namespace

bool parse(int argc, char** argv, Request& request)
{
    int size = 0;
    std::string input, output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-s" && i + 1 < argc) {
            char* end = nullptr;
            const long s = std::strtol(argv[++i], &end, 10);
            size = end && *end == '\0' && s >= 1 && s <= kMaxSize ? static_cast<int>(s) : -1;
        } else if (input.empty()) {
            input = arg;
        } else if (output.empty()) {
            output = arg;
        } else {
            input.clear();
            break;
        }
    }
    if (size < 1 || input.empty() || output.empty()) {
        std::fprintf(stderr, "usage: vandrel-thumbnailer -s SIZE INPUT OUTPUT (SIZE 1 to %d)\n", kMaxSize);
        return false;
    }
    // File managers may hand over a file: address.
    if (input.rfind("file://", 0) == 0)
        input = QUrl(QString::fromUtf8(input.c_str())).toLocalFile().toUtf8().toStdString();
    request = {size, input, output};
    return true;
}

void fitted(double w, double h, int size, bool enlarge, int& width, int& height)
{
    if (!(w >= 1.0) || !(h >= 1.0)) {
        width = height = size;
        return;
    }
    double scale = size / std::max(w, h);
    if (!enlarge)
        scale = std::min(scale, 1.0);
    width = std::clamp(static_cast<int>(std::lround(w * scale)), 1, size);
    height = std::clamp(static_cast<int>(std::lround(h * scale)), 1, size);
}

int fail(const std::string& input, const std::string& why)
{
    std::fprintf(stderr, "vandrel-thumbnailer: %s: %s\n", input.c_str(), why.c_str());
    return 1;
}

void quiet()
{
    if (!qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        return;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg)
            std::fprintf(stderr, "vandrel-thumbnailer: %s\n", text.toLocal8Bit().constData());
    });
}

int guarded(int (*run)(int, char**), int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vandrel-thumbnailer: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "vandrel-thumbnailer: failed\n");
    }
    return 1;
}

bool writePng(const Request& request, const std::vector<std::uint8_t>& png, std::string& why)
{
    const std::string& output = request.output;
    if (SameFile(request.input.c_str(), output.c_str())) {
        why = "the output " + output + " is the input itself";
        return false;
    }
    AtomicFile out(output);
    if (!out.open() || !out.write(png.data(), png.size()) || !out.commit()) {
        why = std::string("cannot write ") + output + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace thumbnailer
