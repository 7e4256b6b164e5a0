// SPDX-License-Identifier: MIT
#include "Cli.h"

#include "platform/services/ProcessService.h"

#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

// This program starts with Qt Core alone. The commands that draw, show or
// edit pixels or play sounds live in the full program,
// which gets the same arguments: one command line, and a script that reads a
// table or evaluates an expression never waits for a GUI toolkit to load.

namespace cli {

namespace {

// Beside this program, by the install layout's relative path.
std::string fullProgram()
{
    return ProgramFolder() + VANDREL_FULL_PATH;
}

int runFullProgram()
{
    const std::string program = fullProgram();
    std::fflush(stdout);
    std::fflush(stderr);
    ::execv(program.c_str(), keptArguments());
    printError(QString("cannot run %1: %2")
                   .arg(QString::fromStdString(program), QString::fromLocal8Bit(std::strerror(errno))));
    return Failed;
}

} // namespace

int runSlideRender(const QStringList&)
{
    return runFullProgram();
}
int runDwgDrawing(const QStringList&)
{
    return runFullProgram();
}
int runDxfRender(const QStringList&)
{
    return runFullProgram();
}
int runBmp(const QStringList&)
{
    return runFullProgram();
}
int runImage(const QStringList&)
{
    return runFullProgram();
}
int runSheet(const QStringList&)
{
    return runFullProgram();
}
int runTimer(const QStringList&)
{
    return runFullProgram();
}
int runThumbs(const QStringList&)
{
    return runFullProgram();
}

int drawAirfoilPng(const ZopAirfoil&, const QString&, const QString&, const std::string&, const std::string&)
{
    return runFullProgram();
}

} // namespace cli
