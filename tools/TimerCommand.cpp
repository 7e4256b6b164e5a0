// SPDX-License-Identifier: MIT
#include "Cli.h"

#include "Terminal.h"

#include "controls/KivTimerClock.h"
#include "platform/base/TickCount.h"
#include "platform/services/SoundService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <csignal>

namespace cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

// "HH:MM:SS", "MM:SS" or "SS", each part a whole number; hours below 100.
bool parseDuration(const QString& text, int& h, int& m, int& s)
{
    const QStringList parts = text.split(':');
    if (parts.isEmpty() || parts.size() > 3)
        return false;
    int values[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const int v = parts.at(i).toInt(&ok);
        if (!ok || v < 0 || v > 359999)
            return false;
        values[3 - parts.size() + i] = v;
    }
    h = values[0];
    m = values[1];
    s = values[2];
    return h < 100;
}

// The display as three rows of seven-segment characters.
std::string segmentRows(const CString& text)
{
    std::string rows[3];
    for (const char c : text) {
        if (c == ':') {
            rows[0] += "  ";
            rows[1] += ". ";
            rows[2] += ". ";
            continue;
        }
        const unsigned lit = KivTimerClock::Segments(c);
        const auto on = [lit](int segment, char mark) { return (lit & (1u << segment)) ? mark : ' '; };
        rows[0] += std::string {' ', on(0, '_'), ' ', ' '};
        rows[1] += std::string {on(3, '|'), on(1, '_'), on(4, '|'), ' '};
        rows[2] += std::string {on(5, '|'), on(2, '_'), on(6, '|'), ' '};
    }
    return rows[0] + "\n" + rows[1] + "\n" + rows[2] + "\n";
}

} // namespace

int runTimer(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Counts down, or up to a limit, or runs as a stopwatch, showing the time as seven-segment digits "
        "(hours:minutes:seconds:fraction) that update in place. Exits 0 when the time is reached, 1 on bad "
        "arguments, 130 when interrupted.");
    const QCommandLineOption countdown("countdown", "Count down from TIME to zero.", "TIME");
    const QCommandLineOption countUp("up", "Count up to TIME.", "TIME");
    const QCommandLineOption stopwatch("stopwatch", "Count up until interrupted.");
    const QCommandLineOption sound("sound", "Play this WAV file when the time is reached.", "FILE.wav");
    parser.addOption(countdown);
    parser.addOption(countUp);
    parser.addOption(stopwatch);
    parser.addOption(sound);
    int exit = Ok;
    if (!parse(parser, args, "timer --countdown HH:MM:SS [--sound FILE.wav]", exit))
        return exit;
    const int modes = int(parser.isSet(countdown)) + int(parser.isSet(countUp)) + int(parser.isSet(stopwatch));
    if (modes != 1)
        return usageError("timer takes one of --countdown TIME, --up TIME or --stopwatch");
    int h = 0, m = 0, s = 0;
    const QString time = parser.value(parser.isSet(countdown) ? countdown : countUp);
    if (!parser.isSet(stopwatch) && !parseDuration(time, h, m, s)) {
        printError(QString("timer: '%1' is no time; write HH:MM:SS with hours below 100").arg(time));
        return Failed;
    }
    const QString wav = parser.value(sound);
    if (parser.isSet(sound) && !QFileInfo(wav).isFile()) {
        printError(QString("timer: no such sound file: %1").arg(wav));
        return Failed;
    }

    KivTimerClock clock;
    clock.SetTime(h, m, s);
    clock.SetMode(parser.isSet(countdown) ? KivTimerClock::Countdown
            : parser.isSet(countUp)       ? KivTimerClock::CountUp
                                          : KivTimerClock::Stopwatch);
    std::signal(SIGINT, [](int) { g_interrupted = 1; });
    const bool terminal = IsTerminal(stdout);
    clock.Start(GetTickCount());
    bool first = true;
    int running = 1;
    while (!g_interrupted) {
        running = clock.Update(GetTickCount());
        if (terminal) {
            // Back over the three rows drawn before, then draw them again.
            std::printf("%s%s", first ? "" : "\x1b[3A", segmentRows(clock.GetText()).c_str());
            std::fflush(stdout);
            first = false;
        }
        if (!running)
            break;
        QThread::msleep(KivTimerClock::kTickMs);
    }
    if (!terminal)
        std::printf("%s\n", clock.GetText().c_str());
    if (running)
        return 130; // interrupted
    if (!wav.isEmpty() && PlaySound(utf8(wav).constData(), nullptr, SND_ASYNC | SND_FILENAME)) {
        // The sound plays from the event loop: let it finish, within reason.
        QElapsedTimer played;
        played.start();
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        while (IsSoundPlaying() && played.elapsed() < 30000 && !g_interrupted);
    }
    return Ok;
}

} // namespace cli
