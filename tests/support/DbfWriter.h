// SPDX-License-Identifier: MIT
// Builds dBASE tables and memo files byte by byte for tests.
#pragma once

#include "support/TestSupport.h"

#include <string>
#include <vector>

namespace testsupport {

struct DbfFieldDescriptor {
    std::string name;
    char type;
    int length; // above 255 for a character field: the high byte goes into the decimal count
    long displacement = -1; // -1: right after the previous field (FoxPro writes it)
    int decimals = 0;
    int flags = 0; // Visual FoxPro's field flags (0x02: may be null)
};

struct DbfTable {
    enum class Layout { DBase2, DBase3, DBase7 };

    std::vector<DbfFieldDescriptor> fields;
    std::vector<std::vector<std::string>> records; // values are padded with blanks
    std::vector<bool> deleted;
    int version = 0x03;
    Layout layout = Layout::DBase3;
    int languageDriver = 0;
    long claimedRecords = -1; // -1: the real count
    int headerLength = -1; // -1: computed
    int recordLength = -1; // -1: computed
    bool terminator = true;

    Bytes bytes() const;
};

// A memo file holding texts at the given blocks.
struct DbfMemoFile {
    enum class Layout { DBase3, DBase4, FoxPro };
    Layout layout = Layout::DBase3;
    unsigned blockSize = 512;
    struct Memo {
        unsigned block;
        std::string text;
        unsigned foxProType = 1;
    };
    std::vector<Memo> memos;

    Bytes bytes() const;
};

} // namespace testsupport
