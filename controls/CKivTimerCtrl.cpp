// SPDX-License-Identifier: MIT
#include "controls/CKivTimerCtrl.h"

#include "platform/base/TickCount.h"
#include "platform/docview/CWinApp.h"
#include "platform/gdi/CDC.h"
#include "platform/services/SoundService.h"

namespace {
constexpr HRESULT kInvalidArg = static_cast<HRESULT>(0x80070057);
constexpr const char* kSection = "Setup";
} // namespace

CKivTimerCtrl::CKivTimerCtrl(QWidget* parent) : CKivStatic(parent)
{
    m_clock.SetTime(0, 0, 0);
}

CKivTimerCtrl::~CKivTimerCtrl()
{
    if (m_busy)
        Stop(0);
}

void CKivTimerCtrl::Start()
{
    m_busy = 1;
    m_clock.Start(GetTickCount());
    SetTimer(m_timerId, kTickMs);
    if (UpdateTimer() != 1)
        Stop(0);
}

void CKivTimerCtrl::Stop(int reached)
{
    KillTimer(m_timerId);
    if (reached == 1) {
        PostNotifyToParent(kReachedCode, 0);
        if (!m_sound.empty())
            PlaySound(m_sound.c_str(), nullptr, SND_ASYNC | SND_FILENAME);
    } else {
        PostNotifyToParent(kStoppedCode, 0);
    }
    m_busy = 0;
}

int CKivTimerCtrl::UpdateTimer()
{
    const int running = m_clock.Update(GetTickCount());
    update();
    return running;
}

void CKivTimerCtrl::OnTimer(UINT_PTR id)
{
    if (id != m_timerId) {
        CKivStatic::OnTimer(id);
        return;
    }
    KillTimer(m_timerId);
    if (UpdateTimer() == 1)
        SetTimer(m_timerId, kTickMs);
    else
        Stop(1);
}

void CKivTimerCtrl::OnPaint()
{
    // Qt's backing store already buffers the window: the digits are drawn
    // straight into it without flicker.
    CPaintDC dc(this);
    DrawTimer(&dc);
}

HRESULT CKivTimerCtrl::DrawTimer(CDC* dc)
{
    if (!dc)
        return kInvalidArg;
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, m_backColor);
    const int W = client.Width(), H = client.Height();
    int h = (3 * W) / 25;
    if ((6 * H) / 10 <= h)
        h = (6 * H) / 10;
    const int gap = h / 4;
    const int dw = h / 2;
    int x = (W - 12 * gap - 8 * dw) / 2;
    const int y = (H - h) / 2;
    CPen pen(PS_SOLID, 4, m_foreColor);
    CPen* old = dc->SelectObject(&pen);
    for (const char c : m_clock.GetText()) {
        if (c == ':') {
            DrawColon(dc, x, y, gap, h);
            x += gap;
        } else {
            DrawDigit(dc, c, x, y, dw, h);
            x += dw;
        }
        x += gap;
    }
    dc->SelectObject(old);
    return 0;
}

void CKivTimerCtrl::DrawDigit(CDC* dc, char digit, int x, int y, int w, int h)
{
    const int half = h / 2;
    const int g = half / 10;
    const struct {
        int x1, y1, x2, y2;
    } segments[7] = {
        {x, y, x + w, y}, // top
        {x, y + half, x + w, y + half}, // middle
        {x, y + h, x + w, y + h}, // bottom
        {x, y + g, x, y + half - g}, // upper left
        {x + w, y + g, x + w, y + half - g}, // upper right
        {x, y + half + g, x, y + h - g}, // lower left
        {x + w, y + half + g, x + w, y + h - g}, // lower right
    };
    const unsigned lit = KivTimerClock::Segments(digit);
    for (int i = 0; i < 7; ++i)
        if (lit & (1u << i)) {
            dc->MoveTo(segments[i].x1, segments[i].y1);
            dc->LineTo(segments[i].x2, segments[i].y2);
        }
}

void CKivTimerCtrl::DrawColon(CDC* dc, int x, int y, int w, int h)
{
    const int cx = x + w / 2;
    const int q = h / 12;
    const int mid = h / 2;
    dc->MoveTo(cx, y + mid - 4 * q);
    dc->LineTo(cx, y + mid - 2 * q);
    dc->MoveTo(cx, y + mid + 2 * q);
    dc->LineTo(cx, y + mid + 4 * q);
}

int CKivTimerCtrl::LoadConfig(CWinApp* app)
{
    if (!app)
        return 0;
    const int h = static_cast<int>(app->GetProfileInt(kSection, "Hour", 0));
    const int m = static_cast<int>(app->GetProfileInt(kSection, "Minute", 0));
    const int s = static_cast<int>(app->GetProfileInt(kSection, "Second", 0));
    SetTime(h, m, s);
    SetMode(static_cast<int>(app->GetProfileInt(kSection, "Mode", GetMode())));
    SetLoop(static_cast<int>(app->GetProfileInt(kSection, "Loop", GetLoop())));
    SetSound(app->GetProfileString(kSection, "Sound", m_sound.c_str()).c_str());
    return 1;
}

int CKivTimerCtrl::SaveConfig(CWinApp* app)
{
    if (!app)
        return 0;
    int h = 0, m = 0, s = 0;
    GetTime(&h, &m, &s);
    app->WriteProfileInt(kSection, "Hour", h);
    app->WriteProfileInt(kSection, "Minute", m);
    app->WriteProfileInt(kSection, "Second", s);
    app->WriteProfileInt(kSection, "Mode", GetMode());
    app->WriteProfileInt(kSection, "Loop", GetLoop());
    app->WriteProfileString(kSection, "Sound", m_sound.c_str());
    return 1;
}
