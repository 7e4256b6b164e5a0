// SPDX-License-Identifier: MIT
#include "platform/services/ProcessService.h"

#include <QProcess>
#include <QStandardPaths>

#include <climits>
#include <unistd.h>

namespace {
ProcessRecorder* g_recorder = nullptr;
}

int RunProcess(const CString& program, const std::vector<CString>& arguments, bool wait)
{
    if (g_recorder) {
        g_recorder->m_requests.push_back({program, arguments, wait});
        if (g_recorder->m_answers.empty())
            return 0;
        const int code = g_recorder->m_answers.front();
        g_recorder->m_answers.pop_front();
        return code;
    }
    QStringList args;
    for (const auto& a : arguments)
        args << QString::fromStdString(a);
    const QString exe = QString::fromStdString(program);
    if (!wait)
        return QProcess::startDetached(exe, args) ? 0 : -1;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(exe, args);
    if (!process.waitForStarted(-1))
        return -1;
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

CString FindProgram(const char* name)
{
    return QStandardPaths::findExecutable(QString::fromUtf8(name ? name : "")).toStdString();
}

CString ProgramFolder()
{
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return {};
    const std::string path(self, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

ProcessRecorder::ProcessRecorder() : m_previous(g_recorder)
{
    g_recorder = this;
}

ProcessRecorder::~ProcessRecorder()
{
    g_recorder = m_previous;
}
