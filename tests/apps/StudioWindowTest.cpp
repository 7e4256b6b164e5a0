// SPDX-License-Identifier: MIT
// The studio's main window as a CAD user works in it: browse a folder from
// the tree, put slides into a library, delete members after a question,
// extract them, export one as PNG and SVG, and drop a folder on it.
#include "StudioWindow.h"
#include "FolderBrowser.h"
#include "ImageBrowser.h"
#include "ImageWindow.h"
#include "RecentFiles.h"

#include "cad/KivSlideFile.h"
#include "controls/KivThumbList.h"
#include "imaging/widgets/CKivLeadExpListCtrl.h"
#include "imaging/widgets/CKivLeadThumbListCtrl.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"
#include "support/GuiTestSupport.h"
#include "support/SlideWriter.h"
#include "support/TestSupport.h"
#include "views/CKivThumbViewCtrl.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFileSystemModel>
#include <QImage>
#include <QTabWidget>
#include <QTreeView>

#include <sys/stat.h>

using namespace testsupport;

namespace {

Bytes line(std::uint16_t x)
{
    return SlideWriter(100, 100).vector(x, 0, x, 100).end().bytes();
}

// Selects the grid's items whose file ends with one of names.
void select(StudioWindow& w, const std::vector<std::string>& names)
{
    KivThumbList* items = w.browser().browser().GetThumbList();
    ASSERT_NE(items, nullptr);
    for (int i = 0; i < items->getCount(); ++i) {
        const std::string file = items->getAt(i)->file;
        items->getAt(i)->selected = 0;
        for (const std::string& n : names)
            if (file.size() >= n.size() && file.compare(file.size() - n.size(), n.size(), n) == 0)
                items->getAt(i)->selected = 1;
    }
}

CStringArray members(const std::string& library)
{
    CStringArray names;
    KivSlideFile::GetSlideList(library.c_str(), &names);
    return names;
}

} // namespace

TEST(StudioWindow, BrowsesAFolderAndWorksOnLibrariesWithTheSelection)
{
    TempDir dir;
    writeFile(dir.file("door.sld"), line(10));
    writeFile(dir.file("desk.sld"), line(20));
    const std::string lib = dir.file("parts.slb");
    writeFile(lib, makeLibrary({{"CHAIR", line(30)}, {"LAMP", line(40)}}));
    MessageBoxRecorder boxes;
    FileDialogRecorder files;
    StudioWindow w;
    w.resize(1000, 700);
    w.show();
    w.openFolder(QString::fromStdString(dir.path().string()));
    EXPECT_EQ(w.browser().browser().GetThumbList()->getCount(), 4) << "two slides and two members";
    EXPECT_EQ(static_cast<QFileSystemModel*>(w.tree().model())->filePath(w.tree().currentIndex()).toStdString(),
        dir.path().string())
        << "the tree shows where the grid is";
    EXPECT_TRUE(w.windowTitle().startsWith(QString::fromStdString(dir.path().string())));

    // Add: both slides into the library; DESK is new, DOOR asks after an
    // earlier add and is replaced.
    select(w, {"door.sld"});
    files.answer(lib.c_str());
    EXPECT_EQ(w.addToLibrary(), 1);
    select(w, {"door.sld", "desk.sld"});
    files.answer(lib.c_str());
    boxes.answer(IDYES);
    EXPECT_EQ(w.addToLibrary(), 2);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Replace slide DOOR in library " + lib + "?");
    EXPECT_EQ(members(lib).GetSize(), 4);

    // Delete asks; Cancel keeps both, OK deletes them in one go.
    select(w, {"(CHAIR)", "(LAMP)"});
    boxes.clear();
    boxes.answer(IDCANCEL);
    EXPECT_EQ(w.deleteFromLibrary(), 0);
    EXPECT_EQ(members(lib).GetSize(), 4);
    EXPECT_EQ(boxes.shown().at(0).text, "Delete 2 slides from " + lib + "?");
    select(w, {"(CHAIR)", "(LAMP)"});
    boxes.answer(IDOK);
    EXPECT_EQ(w.deleteFromLibrary(), 2);
    EXPECT_EQ(members(lib).GetSize(), 2);

    // Extract writes the member beside the library; an existing file is
    // replaced only after a question.
    select(w, {"(DESK)"});
    boxes.clear();
    boxes.answer(IDCANCEL);
    EXPECT_EQ(w.extractHere(), 0) << "desk.sld is there: asked, cancelled";
    EXPECT_EQ(boxes.shown().size(), 1u);
    std::filesystem::remove(dir.file("desk.sld"));
    w.openFolder(QString::fromStdString(dir.path().string() + "/."));
    select(w, {"(DESK)"});
    EXPECT_EQ(w.extractHere(), 1);
    EXPECT_EQ(readFile(dir.file("DESK.SLD")), line(20));

    // Export: the current member as PNG and as SVG, written whole.
    select(w, {"(DOOR)"});
    files.answer(dir.file("door.png").c_str());
    EXPECT_EQ(w.exportAs("PNG"), 1);
    QImage png(QString::fromStdString(dir.file("door.png")));
    EXPECT_EQ(png.size(), QSize(1024, 768));
    files.answer(dir.file("door.svg").c_str());
    EXPECT_EQ(w.exportAs("SVG"), 1);
    const Bytes svg = readFile(dir.file("door.svg"));
    EXPECT_EQ(std::string(svg.begin(), svg.begin() + 5), "<?xml");
    EXPECT_EQ(files.shown().back().title, "Export as SVG");
    // Never over what the slide is read from, nor over a folder or a FIFO:
    // each is refused with a message, and the library keeps its bytes.
    const Bytes library = readFile(lib);
    std::filesystem::create_directory(dir.file("folder.png"));
    ASSERT_EQ(::mkfifo(dir.file("pipe.png").c_str(), 0600), 0);
    boxes.clear();
    for (const std::string& target : {lib, dir.file("folder.png"), dir.file("pipe.png")}) {
        select(w, {"(DOOR)"});
        files.answer(target.c_str());
        EXPECT_EQ(w.exportAs("PNG"), 0) << target;
    }
    EXPECT_EQ(readFile(lib), library);
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[0].text, lib + " is the file the slide is read from.");
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("pipe.png")));
    // A drawing is no slide: nothing is asked or written.
    select(w, {"nothing"});
    w.browser().browser().SetCurSel(-1);
    EXPECT_EQ(w.exportAs("PNG"), 0);
}

TEST(StudioWindow, TheFirstItemPreviewsAndAFolderDroppedIsBrowsed)
{
    TempDir dir, other;
    writeFile(dir.file("door.sld"), line(10));
    writeFile(other.file("desk.sld"), line(20));
    writeFile(other.file("lamp.sld"), line(30));
    StudioWindow w;
    w.openFolder(QString::fromStdString(dir.path().string()));
    EXPECT_EQ(std::string(w.preview().GetFileName()), dir.file("door.sld"));
    EXPECT_TRUE(dropFiles(w, {QString::fromStdString(other.path().string())}));
    EXPECT_EQ(w.folder().toStdString(), other.path().string());
    EXPECT_EQ(w.browser().browser().GetThumbList()->getCount(), 2);
    EXPECT_EQ(w.recentFolders().files().value(0).toStdString(), other.path().string()) << "newest first";
    EXPECT_EQ(w.recentFolders().files().value(1).toStdString(), dir.path().string());
    EXPECT_NE(w.action("Open folder…"), nullptr);
    EXPECT_NE(w.action("Export as SVG…"), nullptr);
    // The folder's pictures show in the second tab, read when it shows.
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(other.file("red.png"))));
    w.openFolder(QString::fromStdString(dir.path().string()));
    w.openFolder(QString::fromStdString(other.path().string()));
    const auto pictures = [&w] {
        const KivThumbList* list = w.images().GetThumbListCtrl()->GetThumbList();
        return list ? list->getCount() : 0;
    };
    EXPECT_EQ(pictures(), 0) << "not read while hidden";
    w.tabs().setCurrentIndex(1);
    EXPECT_EQ(pictures(), 1);
    EXPECT_EQ(std::string(w.images().GetFolder()), other.path().string());
}

// Closing the studio (its close box, or Exit) closes the windows it owns
// first: a changed picture, even one opened from the image browser, asks;
// Cancel keeps it and the studio, Yes saves the page and lets both go.
TEST(StudioWindow, ClosingTheStudioAsksForEveryChangedPictureItOwns)
{
    TempDir dir;
    const std::string file = dir.file("grey.png");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    ASSERT_TRUE(picture.save(QString::fromStdString(file)));
    MessageBoxRecorder boxes;
    StudioWindow w;
    w.show();
    auto* browser
        = new ImageBrowser(QString::fromStdString(dir.path().string()), QString::fromStdString(dir.file("cache")), &w);
    browser->setWindowFlag(Qt::Window);
    browser->show();
    auto* image = new ImageWindow(QString::fromStdString(file), browser);
    image->setWindowFlag(Qt::Window);
    image->show();
    image->action("Invert")->trigger();
    ASSERT_EQ(image->edit().IsModified(), 1);

    boxes.answer(IDCANCEL);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible() && browser->isVisible() && image->isVisible());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Save changes to grey.png?");

    boxes.answer(IDYES);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(image->isVisible());
    QImage saved(QString::fromStdString(file));
    EXPECT_NE(saved.pixel(0, 0), picture.pixel(0, 0)) << "the inverted picture was saved";
}
