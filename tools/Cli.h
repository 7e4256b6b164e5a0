// SPDX-License-Identifier: MIT
// The subcommands of the vandrel tool: each parses its own arguments (with
// --help), calls the libraries and gives the process exit status.
#pragma once

#include "platform/base/Win32Types.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <string>
#include <string_view>

class ZopAirfoil;

namespace cli {

// 2 is also a slide result code: slide and slb give those codes as they are.
enum Exit { Ok = 0, Failed = 1, Usage = 2 };

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args); // args[0] is the subcommand's name
};

// Parses args for a subcommand: prints help and returns false with exit set
// to Ok on --help, prints the error and returns false with Usage on misuse.
bool parse(QCommandLineParser& parser, const QStringList& args, const char* usage, int& exit);

void printError(const QString& text);
// Prints text as a misuse of the command line and gives Usage.
int usageError(const QString& text);
// --json: the command's result as JSON on standard output.
QCommandLineOption jsonOption(const char* what = "Write the result as JSON.");

// "#RRGGBB" into a COLORREF; prints the error for option and gives false.
bool parseColor(const QString& text, const char* option, COLORREF& out);
// A COLORREF as "#rrggbb".
QString colorText(COLORREF c);
// "WxH" with each side from 1 to 16384; prints the error, naming --option,
// and gives false.
bool parseSize(const QString& text, int& width, int& height, const char* option = "size");
// Arguments as text that keeps every byte: bytes that are no UTF-8 (a
// Latin-1 file name) become the code points U+DC80..U+DCFF, which utf8()
// turns back into those bytes, so paths stay bytes end to end.
QStringList argumentsOf(int argc, char** argv);
QByteArray utf8(const QString& s);
// value as one CSV field (RFC 4180): quoted when it holds a comma, quote,
// CR or LF, with its quotes doubled.
void appendCsv(std::string& line, std::string_view value);

int runCalc(const QStringList& args);
int runSlide(const QStringList& args);
int runSlb(const QStringList& args);
int runRegsvr(const QStringList& args);
int runDbf(const QStringList& args);
int runSlideRender(const QStringList& args);
int runAci(const QStringList& args);
int runDwg(const QStringList& args);
// dwg preview, and dwg info of an address: the full program's.
int runDwgDrawing(const QStringList& args);
int runDxf(const QStringList& args);
// dxf render: the full program's.
int runDxfRender(const QStringList& args);
// The dxf command's options and its parsing, which both programs share.
QList<QCommandLineOption> dxfOptions();
bool parseDxf(const QStringList& args, QCommandLineParser& parser, const QList<QCommandLineOption>& options,
    QString& sub, QByteArray& path, int& exit);
int runIni(const QStringList& args);
int runBmp(const QStringList& args);
int runAirfoil(const QStringList& args);
int runImage(const QStringList& args);
int runAlbum(const QStringList& args);
int runSheet(const QStringList& args);
int runTimer(const QStringList& args);
int runThumbs(const QStringList& args);
// Writes the outline's drawing to path as a PNG of size "WxH" (800x600 when
// empty); folder and file name a coordinate file's plot, if any.
int drawAirfoilPng(const ZopAirfoil& airfoil, const QString& path, const QString& size, const std::string& folder,
    const std::string& file);
// The command line runs a command that draws with widgets (sheet).
bool needsWidgets(int argc, char** argv);

// The arguments main() was given, for handing a command to the full program.
void keepArguments(char** argv);
char** keptArguments();

} // namespace cli
