// Builds dBASE tables byte by byte for tests.
#pragma once

#include "support/TestSupport.h"

#include <string>
#include <vector>

namespace testsupport {

struct DbfFieldDescriptor {
    std::string name;
    char type;
    int length;
    long displacement = -1; // -1: right after the previous field (FoxPro writes it)
};

struct DbfTable {
    std::vector<DbfFieldDescriptor> fields;
    std::vector<std::vector<std::string>> records; // values are padded with blanks
    std::vector<bool> deleted;
    int version = 0x03;
    long claimedRecords = -1; // -1: the real count
    int headerLength = -1; // -1: computed
    int recordLength = -1; // -1: computed
    bool terminator = true;

    Bytes bytes() const;
};

} // namespace testsupport
