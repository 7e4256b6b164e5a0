// Real tables written by other programs.
#include "dbf/KivDbfData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace testsupport;

TEST(DbfCorpus, EveryTableLoadsAsManyRecordsAsItHolds)
{
    int tables = 0;
    for (const auto& path : samplesIn("dbf")) {
        if (path.extension() != ".dbf" && path.extension() != ".DBF")
            continue;
        SCOPED_TRACE(path.string());
        ++tables;
        KivDbfData data;
        ASSERT_EQ(data.open(path.c_str()), 1);
        const KivDbfHeader& h = data.getHeader();
        KivDbfRecord* records = data.createRecord();
        ASSERT_NE(records, nullptr);
        // As many as the header says, or the whole ones a cut file still holds.
        const auto size = std::filesystem::file_size(path);
        const long fit = h.recordLength()
            ? static_cast<long>((size > h.headerLength() ? size - h.headerLength() : 0) / h.recordLength())
            : 0;
        EXPECT_EQ(records->getCount(), std::min<long>(static_cast<long>(h.recordCount()), fit));
        char value[300];
        for (long r = 0; r < records->getCount(); ++r)
            for (int f = 0; f < data.getFieldCount(); ++f)
                records->getValue(r, f, value);
    }
    if (tables == 0)
        GTEST_SKIP() << "no samples";
}
