// SPDX-License-Identifier: MIT
// The sound service: wave files played through Qt Multimedia. A machine
// without an audio output plays nothing and reports nothing, as a silent
// Win32 machine does. Tests record the requests through SoundRecorder
// instead of playing them.
#pragma once

#include "platform/KivGui_export.h"
#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <vector>

namespace vandrel::win32 {

constexpr UINT SND_SYNC = 0x0000;
constexpr UINT SND_ASYNC = 0x0001;
constexpr UINT SND_NODEFAULT = 0x0002;
constexpr UINT SND_NOSTOP = 0x0010;
constexpr UINT SND_FILENAME = 0x00020000;

} // namespace vandrel::win32

// Starts playing the wave file and returns at once: SND_SYNC is played like
// SND_ASYNC, since waiting would stop the window's thread. A new sound
// replaces one still playing, unless SND_NOSTOP asks to leave it (FALSE).
// Only SND_FILENAME requests are served; a null file stops the sound. FALSE
// when nothing can be played (no audio output, no such file).
KIVGUI_EXPORT BOOL PlaySound(const char* file, void* module, UINT flags);
// Where the system's wave files are, in place of Win32's %WINDIR%\MEDIA:
// $VANDREL_SOUNDS when set, else /usr/share/sounds/alsa (the ALSA test
// sounds, the wave files a Linux desktop has).
KIVGUI_EXPORT CString GetMediaFolder();
// A sound started by PlaySound is still playing.
KIVGUI_EXPORT BOOL IsSoundPlaying();

// While one exists, PlaySound records each request and plays nothing.
class KIVGUI_EXPORT SoundRecorder {
public:
    struct Request {
        CString file;
        UINT flags;
    };
    SoundRecorder();
    ~SoundRecorder();
    SoundRecorder(const SoundRecorder&) = delete;
    SoundRecorder& operator=(const SoundRecorder&) = delete;

    const std::vector<Request>& requests() const { return m_requests; }
    void clear() { m_requests.clear(); }

private:
    friend BOOL PlaySound(const char*, void*, UINT);
    SoundRecorder* m_previous;
    std::vector<Request> m_requests;
};
