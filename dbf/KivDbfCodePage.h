// SPDX-License-Identifier: MIT
// Which code page a dBASE table's text is in, by what its header, a .cpg
// file beside it or its text says. The names are those Qt's QStringDecoder
// takes.
#pragma once

#include "dbf/KivDbf_export.h"

#include <QByteArray>

#include <string>

struct KivDbfHeader;

class KIVDBF_EXPORT KivDbfCodePage {
public:
    // The language-driver byte of the header; null when it names none known.
    static const char* ofDriver(int driver);
    // dBASE 7 names its language driver: "DBWINUS0" is Windows ANSI,
    // "DB437US0" and "DB866RU0" name DOS code pages. Empty when unknown.
    static QByteArray ofDriverName(const char* name);
    // A .cpg file names the code page the way its writer liked: "UTF-8",
    // "1251", "ANSI 1252", "88591", "CP949", "GBK".
    static QByteArray ofCpg(QByteArray text);
    // Whether text reads in codePage without a byte it cannot map, and
    // without the C1 controls (U+0080 to U+009F) no table's text holds: what
    // a byte of a DOS code page becomes when taken for ISO-8859-1.
    static bool decodesCleanly(const QByteArray& codePage, const std::string& text);
    // dBASE III and IV and FoxPro 2 tables come from DOS more often than not.
    static bool fromDos(const KivDbfHeader& header);
    // The code page of non-ASCII text from a table that names none: UTF-8
    // when the text is that, else what uchardet finds if the text decodes
    // cleanly in it (a DOS-era table, dos, tries IBM850 first for Latin
    // text), else ISO-8859-1, which reads every byte. Empty for no text.
    static QByteArray guess(const std::string& sample, bool dos);
};
