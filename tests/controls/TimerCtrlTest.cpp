// SPDX-License-Identifier: MIT
#include "controls/CKivTimerCtrl.h"
#include "platform/base/TickCount.h"
#include "platform/docview/CWinApp.h"
#include "platform/gdi/CDC.h"
#include "platform/services/SoundService.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimerEvent>

using namespace testsupport;

namespace {

// The parent's posted notifications, by code.
struct Host : QWidget {
    std::vector<int> codes;
    bool event(QEvent* e) override
    {
        if (e->type() != WinMessageEvent::type())
            return QWidget::event(e);
        const auto* m = static_cast<WinMessageEvent*>(e);
        if (m->message == WM_COMMAND)
            codes.push_back(HIWORD(m->wParam));
        return true;
    }
};

// A timer whose ticks the test delivers by hand at chosen tick counts.
struct Timer : CKivTimerCtrl {
    using CKivTimerCtrl::CKivTimerCtrl;
    using CKivTimerCtrl::DrawTimer;
    void tick() { OnTimer(1); }
};

class TimerCtrl : public testing::Test {
protected:
    DWORD now = 0;
    Host host;
    Timer* timer = new Timer;
    SoundRecorder sounds;
    void SetUp() override
    {
        SetTickCountForTesting([this] { return now; });
        timer->Create(WS_VISIBLE, CRect(0, 0, 250, 60), &host, 77);
    }
    void TearDown() override { SetTickCountForTesting({}); }
    std::vector<int> codes()
    {
        QCoreApplication::processEvents();
        return host.codes;
    }
};

} // namespace

TEST(KivTimerClock, SetTimeAndSplitting)
{
    KivTimerClock clock;
    clock.SetTime(123, 4, 5);
    int h = 0, m = 0, s = 0, f = 0;
    clock.GetTime(&h, &m, &s);
    EXPECT_EQ(h, 23);
    EXPECT_EQ(clock.GetText(), "23:04:05:00");
    EXPECT_EQ(clock.GetTotalMs(), 83045000u);
    KivTimerClock::GetTime(3723456, &h, &m, &s, &f);
    EXPECT_EQ(KivTimerClock::Format(h, m, s, f), "01:02:03:56");
    // Minutes and seconds beyond their range do not overflow the milliseconds.
    EXPECT_EQ(KivTimerClock::GetSeconds(99, 2000000, 0), 0xFFFFFFFFu);
}

TEST_F(TimerCtrl, CountdownRunsDownAndReachesZeroAcrossTheCounterWrap)
{
    now = 0xFFFFF000; // 4 s before the 32-bit tick counter wraps
    timer->SetTime(0, 0, 10);
    timer->SetMode(KivTimerClock::Countdown);
    timer->SetSound("/media/bell.wav");
    timer->Start();
    EXPECT_TRUE(timer->IsBusy());
    EXPECT_EQ(timer->GetTime(), "00:00:10:00");
    now += 2500;
    timer->tick();
    EXPECT_EQ(timer->GetTime(), "00:00:07:00");
    now += 7400; // past the wrap
    timer->tick();
    EXPECT_EQ(timer->GetTime(), "00:00:00:00") << "100 ms left shows as the remainder 00";
    EXPECT_TRUE(timer->IsBusy());
    EXPECT_TRUE(codes().empty());
    now += 100;
    timer->tick();
    EXPECT_FALSE(timer->IsBusy());
    EXPECT_EQ(codes(), std::vector<int>({2024}));
    ASSERT_EQ(sounds.requests().size(), 1u);
    EXPECT_EQ(sounds.requests()[0].file, "/media/bell.wav");
    EXPECT_EQ(sounds.requests()[0].flags, SND_ASYNC | SND_FILENAME);
}

TEST_F(TimerCtrl, ACountdownFromZeroStopsAtOnceWithoutSound)
{
    timer->SetMode(KivTimerClock::Countdown);
    timer->SetSound("/media/bell.wav");
    timer->Start();
    EXPECT_FALSE(timer->IsBusy());
    EXPECT_EQ(codes(), std::vector<int>({2025}));
    EXPECT_TRUE(sounds.requests().empty());
}

TEST_F(TimerCtrl, CountUpStopsAtItsLimitAndTheStopwatchNever)
{
    now = 5000;
    timer->SetTime(0, 0, 1);
    timer->SetMode(KivTimerClock::CountUp);
    timer->Start();
    now += 950;
    timer->tick();
    EXPECT_EQ(timer->GetTime(), "00:00:00:50");
    now += 300;
    timer->tick();
    EXPECT_EQ(timer->GetTime(), "00:00:01:00");
    EXPECT_EQ(codes(), std::vector<int>({2024}));
    EXPECT_TRUE(sounds.requests().empty()) << "no sound was set";

    host.codes.clear();
    timer->SetMode(KivTimerClock::Stopwatch);
    timer->Start();
    now += 100u * 3600 * 1000; // a hundred hours
    timer->tick();
    EXPECT_TRUE(timer->IsBusy());
    EXPECT_EQ(timer->GetTime(), "00:00:00:00") << "hours count modulo 100";
    timer->Stop(0);
    EXPECT_EQ(codes(), std::vector<int>({2025}));

    // Destroying a running timer tells its parent it stopped.
    host.codes.clear();
    timer->Start();
    delete timer;
    EXPECT_EQ(codes(), std::vector<int>({2025}));
}

TEST_F(TimerCtrl, TicksComeFromTheWindowTimer)
{
    SetTickCountForTesting([this] { return now += 1234; });
    timer->SetMode(KivTimerClock::Stopwatch);
    timer->Start();
    const CString started = timer->GetTime();
    QElapsedTimer wait;
    wait.start();
    while (timer->GetTime() == started && wait.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_NE(timer->GetTime(), started) << "the 100 ms window timer updates the display";
    timer->Stop(0);
}

TEST_F(TimerCtrl, DrawsEightScaledDigits)
{
    EXPECT_EQ(timer->DrawTimer(nullptr), static_cast<HRESULT>(0x80070057));
    timer->SetTime(88, 88, 88); // every segment of every digit lit
    QImage image(250, 60, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
        CDC dc(&image);
        EXPECT_EQ(timer->DrawTimer(&dc), 0);
    }
    // h = 30 from the width, gap 7, digit width 15, first x 23, y 15.
    const auto black = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; };
    EXPECT_TRUE(black(30, 15)) << "top of the first digit";
    EXPECT_TRUE(black(30, 45)) << "bottom of the first digit";
    EXPECT_TRUE(black(23, 20)) << "its upper left";
    EXPECT_FALSE(black(30, 22)) << "inside it";
    EXPECT_TRUE(black(30 + 22, 30)) << "the second digit's middle";
    EXPECT_FALSE(black(10, 30)) << "left of the digits";
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu) << "white background, no red left";
}

TEST(CKivTimerCtrlConfig, ProfileRoundTrip)
{
    TempDir dir;
    CWinApp app(dir.file("conf/profile.ini"));
    CKivTimerCtrl timer;
    timer.SetMode(2);
    timer.SetLoop(1);
    timer.SetSound("/snd/ding ding.wav");
    EXPECT_EQ(timer.LoadConfig(&app), 1);
    EXPECT_EQ(timer.GetTime(), "00:00:00:00");
    EXPECT_EQ(timer.GetMode(), 2) << "no stored values keep mode, loop and sound";
    EXPECT_EQ(timer.GetSound(), "/snd/ding ding.wav");

    timer.SetTime(1, 2, 3);
    EXPECT_EQ(timer.SaveConfig(&app), 1);
    CKivTimerCtrl other;
    EXPECT_EQ(other.LoadConfig(&app), 1);
    int h = 0, m = 0, s = 0;
    other.GetTime(&h, &m, &s);
    EXPECT_EQ(h * 10000 + m * 100 + s, 10203);
    EXPECT_EQ(other.GetMode(), 2);
    EXPECT_EQ(other.GetLoop(), 1);
    EXPECT_EQ(other.GetSound(), "/snd/ding ding.wav");
    EXPECT_EQ(timer.LoadConfig(nullptr), 0);
    EXPECT_EQ(timer.SaveConfig(nullptr), 0);
}

TEST(CWinApp, ProfileIsOneEditableIniFile)
{
    TempDir dir;
    writeText(dir.file("p.ini"), "; kept\n[other]\nHour=7\n[setup]\nhour = 5\nJunk line\n");
    CWinApp app(dir.file("p.ini"));
    EXPECT_EQ(app.GetProfileInt("Setup", "Hour", 0), 5u) << "names match ignoring case";
    EXPECT_EQ(app.GetProfileInt("Setup", "Minute", 9), 9u);
    EXPECT_EQ(app.GetProfileString("Setup", "Sound", "none"), "none");
    EXPECT_TRUE(app.WriteProfileInt("Setup", "Hour", 6));
    EXPECT_TRUE(app.WriteProfileString("New", "Text", "two\nlines"));
    EXPECT_FALSE(app.WriteProfileString("Bad]", "x", "y"));
    const Bytes b = readFile(dir.file("p.ini"));
    EXPECT_EQ(std::string(b.begin(), b.end()),
        "; kept\n[other]\nHour=7\n[setup]\nHour=6\nJunk line\n[New]\nText=two lines\n");
    EXPECT_TRUE(app.WriteProfileString("setup", nullptr, nullptr));
    EXPECT_EQ(app.GetProfileInt("Setup", "Hour", -1), static_cast<UINT>(-1));
    EXPECT_EQ(app.GetProfileInt("other", "Hour", 0), 7u);

    // The default place is the application's own configuration folder.
    EXPECT_NE(CWinApp().GetProfilePath().find("profile.ini"), std::string::npos);
}
