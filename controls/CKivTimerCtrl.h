// SPDX-License-Identifier: MIT
// A stopwatch, countdown or count-up to a limit, shown as eight
// seven-segment digits scaled to the window. It ticks every 100 ms from the
// monotonic tick counter and tells its parent when it stops: code 2024 when
// its time was reached (then the sound file, if any, plays), 2025 for any
// other stop, including the window's destruction. Settings can be saved in
// and loaded from the application's profile (section "Setup").
#pragma once

#include "core/KivCtrl_export.h"

#include "controls/CKivStatic.h"
#include "controls/KivTimerClock.h"

class CWinApp;

class KIVCTRL_EXPORT CKivTimerCtrl : public CKivStatic {
public:
    static constexpr UINT kReachedCode = 2024;
    static constexpr UINT kStoppedCode = 2025;
    static constexpr UINT kTickMs = 100;

    explicit CKivTimerCtrl(QWidget* parent = nullptr);
    ~CKivTimerCtrl() override; // stops a running timer first (2025)

    void SetTime(int h, int m, int s)
    {
        m_clock.SetTime(h, m, s);
        update();
    }
    void GetTime(int* h, int* m, int* s) const { m_clock.GetTime(h, m, s); }
    CString GetTime() const { return m_clock.GetText(); }
    void SetMode(int mode) { m_clock.SetMode(mode); }
    int GetMode() const { return m_clock.GetMode(); }
    void SetLoop(int loop) { m_loop = loop; }
    int GetLoop() const { return m_loop; }
    void SetSound(const char* sound) { m_sound = sound ? sound : ""; }
    const CString& GetSound() const { return m_sound; }
    int IsBusy() const { return m_busy; }
    void SetForeColor(COLORREF color)
    {
        m_foreColor = color;
        update();
    }
    void SetBackColor(COLORREF color)
    {
        m_backColor = color;
        update();
    }

    void Start();
    void Stop(int reached);

    // 1, or 0 when app is null.
    int LoadConfig(CWinApp* app);
    int SaveConfig(CWinApp* app);

    // Draws the display on dc over the client rectangle: 0, or E_INVALIDARG
    // for a null context.
    HRESULT DrawTimer(CDC* dc);

protected:
    // Recomputes the display for the current tick: 1 to keep running.
    int UpdateTimer();
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;

private:
    void DrawDigit(CDC* dc, char digit, int x, int y, int w, int h);
    void DrawColon(CDC* dc, int x, int y, int w, int h);

    COLORREF m_foreColor = 0;
    COLORREF m_backColor = 0xFFFFFF;
    CString m_sound;
    KivTimerClock m_clock;
    UINT_PTR m_timerId = 1;
    int m_loop = 0;
    int m_busy = 0;
};
