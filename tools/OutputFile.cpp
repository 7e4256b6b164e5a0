// SPDX-License-Identifier: MIT
#include "OutputFile.h"

#include "Cli.h"
#include "Terminal.h"

#include "platform/io/AtomicFile.h"

#include <cerrno>
#include <cstring>

namespace cli {

void printWriteError(const QString& path, int error)
{
    printError(QString("cannot write %1: %2")
                   .arg(QString::fromStdString(escapeControls(utf8(path).toStdString())),
                       QString::fromLocal8Bit(std::strerror(error ? error : EIO))));
}

bool writeOutputFile(const QString& path, const QByteArray& bytes)
{
    AtomicFile out(utf8(path).toStdString());
    errno = 0;
    if (!out.open() || !out.write(bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
        const int error = errno;
        out.discard();
        printWriteError(path, error);
        return false;
    }
    if (!out.commit()) {
        printWriteError(path, errno);
        return false;
    }
    return true;
}

} // namespace cli
