// SPDX-License-Identifier: MIT
#include "ImagingTestData.h"

#include "imaging/editor/CKivLeadEditCtrl.h"
#include "imaging/toolkit/KivLeadCommand.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/CKivLeadValueDlg.h"
#include "platform/services/MessageBox.h"

#include <gtest/gtest.h>

#include <regex>

using namespace imagingtest;

namespace {

constexpr QRgb kMark = 0xFF0000;

void loadMarked(CKivLeadEditCtrl& edit, int width = 8, int height = 6)
{
    ASSERT_EQ(load(encode(marked(width, height, 0x0A0A0A, 1, 2, kMark), "PNG"), *edit.GetBitmap()), KIVLEAD_SUCCESS);
}

// Answers the next value dialog: sets its fields, then OK or Cancel.
// The hook outlives the dialog it answers; each test ends without one.
struct NoHookAfter : ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { CDialog::SetModalHook(nullptr); }
};
const bool kHookListener = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoHookAfter);
    return true;
}();

void answerValueDialog(std::vector<int> values, bool ok)
{
    CDialog::SetModalHook([values, ok](CDialog& d) {
        auto* dialog = dynamic_cast<CKivLeadValueDlg*>(&d);
        ASSERT_NE(dialog, nullptr);
        for (std::size_t i = 0; i < values.size() && int(i) < dialog->FieldCount(); ++i)
            dialog->SetFieldValue(int(i), values[i]);
        if (ok)
            dialog->OnOK();
        else
            dialog->OnCancel();
    });
}

} // namespace

TEST(CKivLeadEditCtrl, UndoAndRedoRestoreTheSnapshotsAsOftenAsAsked)
{
    CKivLeadEditCtrl edit;
    loadMarked(edit);
    EXPECT_EQ(edit.IsModified(), 0);
    edit.OnEditUndo(); // nothing to undo yet
    EXPECT_EQ(pixel(*edit.GetBitmap(), 1, 2), kMark);

    edit.OnImageReverse();
    EXPECT_EQ(pixel(*edit.GetBitmap(), 6, 2), kMark);
    EXPECT_EQ(edit.IsModified(), 1);
    edit.OnEditUndo();
    edit.OnEditUndo();
    EXPECT_EQ(pixel(*edit.GetBitmap(), 1, 2), kMark);
    edit.OnEditRedo();
    EXPECT_EQ(pixel(*edit.GetBitmap(), 6, 2), kMark);
    edit.OnEditUndo();
    edit.OnEditRedo();
    edit.OnEditRedo();
    EXPECT_EQ(pixel(*edit.GetBitmap(), 6, 2), kMark);

    // A new command replaces both: undo goes back one command only.
    edit.OnImageFlip();
    EXPECT_EQ(pixel(*edit.GetBitmap(), 6, 3), kMark);
    edit.OnEditUndo();
    EXPECT_EQ(pixel(*edit.GetBitmap(), 6, 2), kMark);
    // The snapshots kept their own pixels while the image changed.
    EXPECT_EQ(pixel(*edit.GetUndoBitmap(), 6, 2), kMark);
    EXPECT_EQ(pixel(*edit.GetRedoBitmap(), 6, 3), kMark);
    edit.SetModifiedFlag(0);
    edit.OnEditRedo();
    EXPECT_EQ(edit.IsModified(), 1);
}

TEST(CKivLeadEditCtrl, CancelledDialogsLeaveSnapshotsAndFlagAlone)
{
    CKivLeadEditCtrl edit;
    loadMarked(edit);
    using Handler = void (CKivLeadEditCtrl::*)();
    for (Handler h : {&CKivLeadEditCtrl::OnImageEffectsPosterize, &CKivLeadEditCtrl::OnColorHue,
             &CKivLeadEditCtrl::OnImageEffectsEmboss, &CKivLeadEditCtrl::OnImageResize,
             &CKivLeadEditCtrl::OnImageRotateAnyangle, &CKivLeadEditCtrl::OnColorColorresolution,
             &CKivLeadEditCtrl::OnColorWindowlevel, &CKivLeadEditCtrl::OnImageSpatialfiltersSobel}) {
        answerValueDialog({}, false);
        (edit.*h)();
        EXPECT_EQ(edit.GetUndoBitmap(), nullptr);
        EXPECT_EQ(edit.GetRedoBitmap(), nullptr);
        EXPECT_EQ(edit.IsModified(), 0);
    }
    EXPECT_EQ(pixel(*edit.GetBitmap(), 1, 2), kMark);

    answerValueDialog({200, 100}, true);
    edit.OnImageEffectsEmboss();
    EXPECT_NE(edit.GetUndoBitmap(), nullptr);
    EXPECT_EQ(edit.IsModified(), 1);
    answerValueDialog({9000, 1, 0, 255, 0}, true);
    edit.OnImageRotateAnyangle();
    EXPECT_EQ(edit.GetBitmap()->Width(), 6);
    EXPECT_EQ(edit.GetFillColor(), RGB(0, 255, 0)); // the dialog's colour is kept
}

TEST(CKivLeadEditCtrl, CropMapsWindowPointsThroughZoomAndOffset)
{
    for (bool reversed : {false, true}) {
        CKivLeadEditCtrl edit;
        loadMarked(edit, 200, 100);
        edit.SetZoom(200);
        edit.Offset(10, 10);
        if (reversed)
            edit.CropBitmap(110, 60, 10, 10);
        else
            edit.CropBitmap(10, 10, 110, 60);
        EXPECT_EQ(edit.GetBitmap()->Width(), 50);
        EXPECT_EQ(edit.GetBitmap()->Height(), 25);
        EXPECT_EQ(pixel(*edit.GetBitmap(), 1, 2), kMark);
        EXPECT_EQ(edit.GetViewOffset(), CPoint(0, 0));
        edit.OnEditUndo();
        EXPECT_EQ(edit.GetBitmap()->Width(), 200);
    }
    // Dragged past the image's edge, the crop keeps what it covers.
    CKivLeadEditCtrl edit;
    loadMarked(edit, 20, 10);
    edit.CropBitmap(5, 5, 500, 500);
    EXPECT_EQ(edit.GetBitmap()->Width(), 15);
    EXPECT_EQ(edit.GetBitmap()->Height(), 5);
}

TEST(CKivLeadEditCtrl, AutoLevelsTableNarrowsTheUsedRange)
{
    unsigned long histogram[256] = {};
    for (int i = 100; i <= 200; ++i)
        histogram[i] = 1;
    unsigned char table[256];
    ASSERT_TRUE(KivLeadAutoLevelsTable(histogram, table));
    EXPECT_EQ(table[102], 0);
    EXPECT_EQ(table[198], 255);
    EXPECT_EQ(table[150], 127);
    EXPECT_EQ(table[50], 0);
    EXPECT_EQ(table[220], 255);
    unsigned long flat[256] = {};
    flat[7] = 10;
    EXPECT_FALSE(KivLeadAutoLevelsTable(flat, table));

    CKivLeadEditCtrl edit;
    ASSERT_EQ(load(encode(marked(4, 4, 0x646464, 0, 0, 0xC8C8C8), "PNG"), *edit.GetBitmap()), KIVLEAD_SUCCESS);
    edit.SetAutoLevels();
    EXPECT_EQ(pixel(*edit.GetBitmap(), 0, 0), 0xFFFFFFu);
    EXPECT_EQ(pixel(*edit.GetBitmap(), 1, 1), 0u);
    EXPECT_EQ(edit.IsModified(), 1);
}

TEST(CKivLeadEditCtrl, UniqueColoursTellsAndKeepsTheFlag)
{
    MessageBoxRecorder boxes;
    CKivLeadEditCtrl edit;
    loadMarked(edit);
    edit.OnColorUniquecolors();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Bitmap contains 2 unique colors");
    EXPECT_NE(edit.GetUndoBitmap(), nullptr);
    EXPECT_NE(edit.GetRedoBitmap(), nullptr);
    EXPECT_EQ(edit.IsModified(), 0);
}

TEST(CKivLeadEditCtrl, FailuresShowTheErrorAndStillReplaceTheSnapshots)
{
    MessageBoxRecorder boxes;
    CKivLeadEditCtrl edit;
    loadMarked(edit);
    edit.RunCommand("posterize", {1});
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Error has occured.\nCODE = " + std::to_string(KIVLEAD_ERROR_INVALID_ARGUMENT));
    EXPECT_NE(edit.GetUndoBitmap(), nullptr);
    EXPECT_EQ(edit.IsModified(), 1);
}

TEST(CKivLeadEditCtrl, SaveKeepsAnExistingFilesFormatElseTakesTheExtension)
{
    testsupport::TempDir dir;
    CKivLeadEditCtrl edit;
    loadMarked(edit);
    edit.OnColorInvert();
    ASSERT_EQ(edit.Save(dir.file("new.jpg").c_str()), KIVLEAD_SUCCESS);
    EXPECT_EQ(edit.IsModified(), 0);
    KivLeadFileInfo info;
    ASSERT_EQ(KivLeadGetFileInfo(dir.file("new.jpg").c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.format, KIVLEAD_FORMAT_JPEG);
    // A BMP that happens to be named .png stays a BMP.
    testsupport::writeFile(dir.file("old.png"), encode(marked(3, 3, 0, 0, 0, 0), "BMP"));
    ASSERT_EQ(edit.Save(dir.file("old.png").c_str()), KIVLEAD_SUCCESS);
    ASSERT_EQ(KivLeadGetFileInfo(dir.file("old.png").c_str(), &info), KIVLEAD_SUCCESS);
    EXPECT_EQ(info.format, KIVLEAD_FORMAT_BMP);
    EXPECT_EQ(info.width, 8);
}

TEST(CKivLeadEditCtrl, SavedBackIntoItsFileOnlyItsPageIsReplacedAndAFailureKeepsTheChange)
{
    testsupport::TempDir dir;
    const std::string file = dir.file("pages.tif");
    CLeadBitmap page;
    for (int n = 1; n <= 3; ++n) {
        KivLeadCreateBitmap(&page, 30 + n, 20, 24, RGB(n * 60, 0, 0));
        ASSERT_EQ(KivLeadSaveFile(file.c_str(), &page, KIVLEAD_FORMAT_TIFF, 0, 2, n, n > 1 ? KIVLEAD_SAVE_INSERT : 0),
            KIVLEAD_SUCCESS);
    }
    CKivLeadEditCtrl edit;
    edit.SetFileName(file.c_str(), 0, 0);
    edit.OnColorInvert();
    ASSERT_EQ(edit.Save(file.c_str()), KIVLEAD_SUCCESS);
    std::vector<KivLeadFileInfo> pages;
    ASSERT_EQ(KivLeadGetPagesInfo(file.c_str(), &pages), KIVLEAD_SUCCESS);
    ASSERT_EQ(pages.size(), 3u) << "the other pages stay";
    EXPECT_EQ(pages[1].width, 32);
    EXPECT_EQ(pages[2].width, 33);

    // A save that fails leaves the change marked, so a close still asks.
    edit.OnColorInvert();
    ASSERT_EQ(edit.IsModified(), 1);
    EXPECT_NE(edit.Save(dir.file("no/such/folder/x.png").c_str()), KIVLEAD_SUCCESS);
    EXPECT_EQ(edit.IsModified(), 1);
}

TEST(CKivLeadEditCtrl, EveryCommandOfTheTableRunsOnASmallImage)
{
    MessageBoxRecorder boxes;
    for (const KivLeadCommand& c : KivLeadCommands()) {
        if (std::string(c.name) == "copy" || std::string(c.name) == "paste")
            continue;
        SCOPED_TRACE(c.name);
        CKivLeadEditCtrl edit;
        loadMarked(edit, 40, 30);
        int values[KivLeadCommand::kMaxValues] = {};
        std::copy(c.defaults, c.defaults + c.count, values);
        if (std::string(c.name) == "crop")
            values[2] = values[3] = 20;
        if (std::string(c.name) == "resize" || std::string(c.name) == "resample")
            values[0] = 20, values[1] = 10;
        EXPECT_EQ(edit.RunCommand(c.name, {values[0], values[1], values[2], values[3]}), KIVLEAD_SUCCESS);
        EXPECT_TRUE(edit.GetBitmap()->IsAllocated());
    }
    EXPECT_EQ(boxes.shown().size(), 1u); // the count of unique colours
}

// The table is the one description of each command: the menu shows its
// text, the value dialog its title, labels and ranges, and a range the
// command line's summary names is the dialog's.
TEST(KivLeadCommand, TheTableDescribesEveryMenuEntryAndValueDialog)
{
    const std::regex range(R"((-?\d+)-(-?\d+))");
    int asking = 0;
    for (const KivLeadCommand& c : KivLeadCommands()) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.menu && *c.menu);
        EXPECT_EQ(KivLeadFindCommand(c.name), &c);
        const KivLeadCommandAsk& ask = c.ask;
        if (ask.count() == 0)
            continue;
        ++asking;
        EXPECT_EQ(ask.count(), c.count);
        EXPECT_NE(std::string(c.menu).find("..."), std::string::npos); // it opens a dialog
        bool named = false;
        for (int i = 0; i < ask.count(); ++i) {
            const auto& v = ask.values[i];
            EXPECT_LE(v.minimum, v.start);
            EXPECT_LE(v.start, v.maximum);
            const std::string summary = c.summary;
            for (auto m = std::sregex_iterator(summary.begin(), summary.end(), range); m != std::sregex_iterator(); ++m)
                named = named || (std::stoi((*m)[1]) == v.minimum && std::stoi((*m)[2]) == v.maximum);
        }
        if (std::regex_search(std::string(c.summary), range)) {
            EXPECT_TRUE(named) << c.summary;
        }
    }
    EXPECT_EQ(asking, 15);
}
