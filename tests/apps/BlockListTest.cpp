// SPDX-License-Identifier: MIT
// The studio's Block List: the blocks of a DXF drawing, of a DWG drawing
// through its DXF copy, and a reason instead of an empty list.
#include "BlockList.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// An R12 DXF with the given blocks, one line each.
std::string dxfWith(const std::vector<std::string>& blocks)
{
    std::string dxf = "0\nSECTION\n2\nBLOCKS\n";
    for (const std::string& name : blocks)
        dxf += "0\nBLOCK\n8\n0\n2\n" + name + "\n70\n0\n10\n0\n20\n0\n30\n0\n3\n" + name
            + "\n0\nLINE\n8\n0\n10\n0\n20\n0\n30\n0\n11\n1\n21\n1\n31\n0\n0\nENDBLK\n8\n0\n";
    return dxf + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";
}

} // namespace

TEST(BlockList, NamesComeFromTheDrawingOrItsDxfCopyAndAnEmptyListSaysWhy)
{
    TempDir dir;
    writeText(dir.file("plan.dxf"), dxfWith({"*Model_Space", "DOOR", "WINDOW", "*U2"}));
    writeText(dir.file("PLAN.DWG"), "AC1015");
    writeText(dir.file("lonely.dwg"), "AC1015");
    writeText(dir.file("empty.dxf"), dxfWith({"*Paper_Space"}));
    writeText(dir.file("broken.dxf"), "0\nSECTION\n2\n");
    QString why;
    EXPECT_EQ(BlockList::Names(QString::fromStdString(dir.file("plan.dxf")), &why), (QStringList {"DOOR", "WINDOW"}))
        << "anonymous and layout blocks are left out";
    QString from;
    EXPECT_EQ(
        BlockList::Names(QString::fromStdString(dir.file("PLAN.DWG")), &why, &from), (QStringList {"DOOR", "WINDOW"}));
    EXPECT_EQ(from.toStdString(), dir.file("plan.dxf")) << "the copy is found whatever the case of its name";
    for (const char* name : {"lonely.dwg", "empty.dxf", "broken.dxf"}) {
        why.clear();
        EXPECT_TRUE(BlockList::Names(QString::fromStdString(dir.file(name)), &why).isEmpty()) << name;
        EXPECT_FALSE(why.isEmpty()) << name;
    }
    BlockList shown(QString::fromStdString(dir.file("PLAN.DWG")));
    EXPECT_EQ(shown.windowTitle(), "Block List — PLAN.DWG");
    EXPECT_EQ(shown.heading(), "2 blocks, read from plan.dxf");
    EXPECT_EQ(shown.shown(), (QStringList {"DOOR", "WINDOW"}));
    BlockList none(QString::fromStdString(dir.file("lonely.dwg")));
    EXPECT_TRUE(none.heading().startsWith("lonely.dwg keeps its blocks in a form")) << none.heading().toStdString();
    EXPECT_EQ(none.shown(), QStringList {});
}

TEST(BlockList, TheBundledPlanListsItsFurniture)
{
    QString why;
    EXPECT_EQ(BlockList::Names(VANDREL_SOURCE_DIR "/samples/drawings/PLAN.DWG", &why),
        (QStringList {"DOOR", "WINDOW", "DESK", "CHAIR"}));
}
