// SPDX-License-Identifier: MIT
#include "platform/services/SoundService.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include <cstdlib>

using namespace vandrel::win32;

namespace {
SoundRecorder* g_recorder = nullptr;
QPointer<QSoundEffect> g_effect;
QtMessageHandler g_previousHandler = nullptr;

// Qt's audio back end complains on its first use when there is no sound
// server; a machine without sound is no error worth telling the user.
void quietAudio(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && g_previousHandler)
        g_previousHandler(type, context, message);
}

bool hasAudioOutput()
{
    g_previousHandler = qInstallMessageHandler(quietAudio);
    const bool any = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(g_previousHandler);
    return any;
}
} // namespace

BOOL PlaySound(const char* file, void*, UINT flags)
{
    if (g_recorder) {
        g_recorder->m_requests.push_back({file ? file : "", flags});
        return TRUE;
    }
    if (!file) {
        if (g_effect)
            g_effect->stop();
        return TRUE;
    }
    if (!(flags & SND_FILENAME) || !QCoreApplication::instance())
        return FALSE;
    if ((flags & SND_NOSTOP) && g_effect && g_effect->isPlaying())
        return FALSE;
    const QFileInfo info(QString::fromUtf8(file));
    if (!info.isFile() || !info.isReadable())
        return FALSE;
    // Without an audio output there is nobody to hear it: nothing is tried.
    if (!hasAudioOutput())
        return FALSE;
    if (!g_effect)
        g_effect = new QSoundEffect(QCoreApplication::instance());
    g_effect->stop();
    g_effect->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    g_effect->play();
    return TRUE;
}

CString GetMediaFolder()
{
    if (const char* folder = std::getenv("VANDREL_SOUNDS"); folder && *folder)
        return folder;
    return "/usr/share/sounds/alsa";
}

BOOL IsSoundPlaying()
{
    return g_effect && (g_effect->isPlaying() || g_effect->status() == QSoundEffect::Loading) ? TRUE : FALSE;
}

SoundRecorder::SoundRecorder() : m_previous(g_recorder)
{
    g_recorder = this;
}

SoundRecorder::~SoundRecorder()
{
    g_recorder = m_previous;
}
