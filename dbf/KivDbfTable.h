// SPDX-License-Identifier: MIT
// A dBASE table as a reader of its text needs it: the records, the memo
// file beside it and the code page its text is in.
#pragma once

#include "dbf/KivDbfData.h"
#include "dbf/KivDbfMemo.h"
#include "dbf/KivDbf_export.h"

#include <QByteArray>
#include <QString>

#include <string>

class KIVDBF_EXPORT KivDbfTable {
public:
    KivDbfData data;
    std::string path; // as the user named it; empty for a table in memory
    QByteArray codePage; // empty: the stored bytes pass as they are
    QString codePageFrom; // where the code page came from, for a reader
    bool guessed = false; // the code page was guessed from the text
    KivDbfMemo memo;
    std::string memoPath;
    bool memoFields = false;

    // The code page: requested, else a .cpg file beside the table, else the
    // language driver, else a guess from the text (guessed is set). False
    // only when requested names a code page Qt does not know.
    bool chooseCodePage(const QByteArray& requested = {});
    // Opens the .dbt or .fpt beside the table when a field keeps memos.
    void findMemo();
    // The text of the character fields, up to a sample's worth of values
    // that are not plain ASCII (the only ones that tell code pages apart).
    std::string textSample();

    static bool isMemoField(const KivDbfHeader& header, char type);
    // "dBASE III with memo", "Visual FoxPro" …
    static const char* formatName(const KivDbfHeader& header);
};
