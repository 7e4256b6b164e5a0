// SPDX-License-Identifier: MIT
// The image browser controls: cells from the cache, the file list's rows
// and sorts, and the explorer view's modes and menu commands.
#include "ImagingTestData.h"

#include "controls/KivThumbList.h"
#include "imaging/widgets/CKivLeadExpListCtrl.h"
#include "imaging/widgets/CKivLeadFileListCtrl.h"
#include "imaging/widgets/CKivLeadThumbCtrl.h"
#include "imaging/widgets/CKivLeadThumbListCtrl.h"
#include "imaging/widgets/CKivLeadViewCtrl.h"
#include "imaging/widgets/resources.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QTreeWidget>

#include <filesystem>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

// Four images of distinct sizes and dates: b.png biggest and oldest.
void writeFolder(const TempDir& dir)
{
    const struct {
        const char* name;
        int side;
        int age;
        const char* format;
    } files[] = {
        {"c.jpg", 20, 100, "JPEG"}, {"a.bmp", 40, 200, "BMP"}, {"b.png", 300, 300, "PNG"}, {"d.tif", 10, 50, "TIFF"}};
    for (const auto& f : files) {
        QImage image(f.side, f.side, QImage::Format_RGB32);
        for (int y = 0; y < f.side; ++y)
            for (int x = 0; x < f.side; ++x)
                image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
        const std::string path = dir.file(f.name);
        writeFile(path, imagingtest::encode(image, f.format));
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(f.age));
    }
    writeText(dir.file("e.tiff"), "");
    writeText(dir.file("notes.txt"), "");
}

std::vector<std::string> column(const CKivLeadFileListCtrl& list, int col)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.GetItemCount(); ++i)
        out.push_back(list.GetItemText(i, col));
    return out;
}

using Names = std::vector<std::string>;

} // namespace

TEST(CKivLeadFileListCtrl, SizesInWholeKilobytesGroupedInThrees)
{
    EXPECT_EQ(CKivLeadFileListCtrl::FormatSize(0), "0 KB");
    EXPECT_EQ(CKivLeadFileListCtrl::FormatSize(1), "1 KB");
    EXPECT_EQ(CKivLeadFileListCtrl::FormatSize(1024), "1 KB");
    EXPECT_EQ(CKivLeadFileListCtrl::FormatSize(1048577), "1,025 KB");
    EXPECT_EQ(CKivLeadFileListCtrl::FormatSize(5LL << 40), "5,368,709,120 KB");
}

TEST(CKivLeadThumbListCtrl, ListsImageTypesAndDrawsFromTheCacheWhenOneIsSet)
{
    TempDir dir;
    writeFolder(dir);
    CStringArray files;
    CKivLeadThumbListCtrl::GetImageList(dir.path().c_str(), &files);
    ASSERT_EQ(files.GetSize(), 5); // .tiff too; no .txt
    CKivLeadThumbListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 1);
    EXPECT_EQ(list.AddDirectory(dir.path().c_str()), 5);
    list.MakeThumb(0, 0);
    list.ViewThumb(0);
    ASSERT_GT(list.GetCellsPerPage(), 0);
    // Without a cache each cell loads its file.
    const std::string first = list.GetCell(0)->GetFile();
    EXPECT_EQ(list.GetCell(0)->GetViewCtrl()->GetFileName(), first);
    ASSERT_EQ(list.SetThumbPath(dir.file("cache").c_str()), 1);
    list.ViewThumb(0);
    const std::string shown = list.GetCell(0)->GetViewCtrl()->GetFileName();
    EXPECT_EQ(fs::path(shown).parent_path(), fs::path(dir.file("cache")));
    EXPECT_TRUE(fs::exists(dir.file("cache/THUMB.DB")));
}

TEST(CKivLeadExpListCtrl, FiveViewModesShowOneListOverTheSameItems)
{
    TempDir dir;
    writeFolder(dir);
    CKivLeadExpListCtrl view;
    view.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 400), nullptr, 1);
    view.show();
    ASSERT_EQ(view.MakeControl(dir.path().c_str()), 1);
    auto* thumbs = view.GetThumbListCtrl();
    auto* files = view.GetFileListCtrl();
    EXPECT_EQ(view.GetViewMode(), 0);
    EXPECT_TRUE(thumbs->isVisible());
    EXPECT_FALSE(files->isVisible());
    const DWORD styles[] = {0, vandrel::win32::LVS_ICON, vandrel::win32::LVS_SMALLICON, vandrel::win32::LVS_LIST,
        vandrel::win32::LVS_REPORT};
    const UINT commands[] = {kivlead::ID_EXP_THUMBNAILS, kivlead::ID_EXP_LARGE_ICONS, kivlead::ID_EXP_SMALL_ICONS,
        kivlead::ID_EXP_LIST, kivlead::ID_EXP_DETAILS};
    for (int mode : {1, 2, 3, 4, 0}) {
        EXPECT_EQ(view.DoMenuCommand(commands[mode]), 1);
        EXPECT_EQ(view.GetViewMode(), mode);
        EXPECT_EQ(thumbs->isVisible(), mode == 0);
        EXPECT_EQ(files->isVisible(), mode != 0);
        if (mode != 0) {
            EXPECT_EQ(files->GetViewStyle(), styles[mode]);
            EXPECT_EQ(files->GetItemCount(), 5);
            EXPECT_EQ(files->iconView() != nullptr && files->iconView()->isVisible(), mode != 4);
        }
    }
    EXPECT_EQ(view.DoMenuCommand(1), 0);
    // Refresh keeps the mode and sees a new file.
    view.ShowList(4, 0, 0);
    writeText(dir.file("f.png"), "");
    EXPECT_EQ(view.DoMenuCommand(kivlead::ID_EXP_REFRESH), 1);
    EXPECT_EQ(view.GetViewMode(), 4);
    EXPECT_EQ(files->GetItemCount(), 6);
    EXPECT_EQ(files->GetItemTip(0), "Type: " + files->GetItemText(0, 2) + "\nSize: " + files->GetItemText(0, 1));
}

TEST(CKivLeadExpListCtrl, FourSortOrdersInBothKindsOfView)
{
    TempDir dir;
    writeFolder(dir);
    fs::remove(dir.file("e.tiff"));
    CKivLeadExpListCtrl view;
    view.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 400), nullptr, 1);
    view.MakeControl(dir.path().c_str());
    auto* files = view.GetFileListCtrl();
    view.ShowList(4, 0, 0);
    EXPECT_EQ(column(*files, 0), (Names {"a.bmp", "b.png", "c.jpg", "d.tif"}));
    view.DoMenuCommand(kivlead::ID_EXP_BY_DATE);
    EXPECT_EQ(column(*files, 0), (Names {"b.png", "a.bmp", "c.jpg", "d.tif"}));
    view.DoMenuCommand(kivlead::ID_EXP_BY_SIZE);
    const auto bySize = column(*files, 0);
    EXPECT_EQ(bySize.back(), "b.png") << "the biggest last, read past its comma";
    view.DoMenuCommand(kivlead::ID_EXP_BY_TYPE);
    const auto types = column(*files, 2);
    EXPECT_TRUE(std::is_sorted(types.begin(), types.end(), [](const std::string& a, const std::string& b) {
        return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
    }));
    // The active order again changes nothing, not even the direction.
    view.DoMenuCommand(kivlead::ID_EXP_BY_NAME);
    const auto byName = column(*files, 0);
    view.DoMenuCommand(kivlead::ID_EXP_BY_NAME);
    EXPECT_EQ(column(*files, 0), byName);
    EXPECT_EQ(byName, (Names {"a.bmp", "b.png", "c.jpg", "d.tif"}));
    // Thumbnails follow the chosen order.
    view.ShowList(0, 0, 0);
    view.DoMenuCommand(kivlead::ID_EXP_BY_DATE);
    const KivThumbList* items = view.GetThumbListCtrl()->GetThumbList();
    ASSERT_EQ(items->getCount(), 4);
    EXPECT_EQ(fs::path(items->getAt(0)->file).filename(), "b.png");
    EXPECT_EQ(fs::path(items->getAt(3)->file).filename(), "d.tif");
    EXPECT_EQ(fs::path(view.GetThumbListCtrl()->GetCell(0)->GetFile()).filename(), "b.png");
}

TEST(CKivLeadExpListCtrl, SelectsAllAndInvertsForTheCellMenu)
{
    TempDir dir;
    writeFolder(dir);
    CKivLeadExpListCtrl view;
    view.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 400), nullptr, 1);
    view.MakeControl(dir.path().c_str());
    CKivLeadThumbListCtrl* thumbs = view.GetThumbListCtrl();
    thumbs->SetSelected(1, 1);
    EXPECT_EQ(view.DoSelectCommand(kivlead::ID_THUMB_INVERT_SELECTION), 1);
    EXPECT_EQ(thumbs->GetSelCount(), 4);
    EXPECT_EQ(thumbs->GetThumbList()->getAt(1)->selected, 0);
    EXPECT_EQ(view.DoSelectCommand(kivlead::ID_THUMB_SELECT_ALL), 1);
    EXPECT_EQ(thumbs->GetSelCount(), 5);
    EXPECT_EQ(view.DoSelectCommand(kivlead::ID_THUMB_DELETE), 0);
    EXPECT_EQ(thumbs->GetSelCount(), 5);
}

TEST(CKivLeadExpListCtrl, MenuFollowsTheUsersLanguage)
{
    int count = 0;
    const kivlead::MenuItem* items = kivlead::ExplorerMenu(&count);
    ASSERT_EQ(count, 12);
    const auto ninth = [&](QLocale locale) {
        const QLocale before;
        QLocale::setDefault(locale);
        QMenu menu;
        kivlead::BuildMenu(menu, items, count);
        QLocale::setDefault(before);
        return menu.actions().at(8)->text();
    };
    EXPECT_EQ(ninth(QLocale(QLocale::Korean, QLocale::SouthKorea)), "크기순(&Z)");
    EXPECT_EQ(ninth(QLocale(QLocale::English, QLocale::UnitedStates)), "by Si&ze");
    EXPECT_EQ(ninth(QLocale::c()), "by Si&ze");
}

TEST(CKivLeadExpListCtrl, ListRowsOpenInTheViewerAndDetailsShowWholeColumns)
{
    TempDir dir;
    writeFolder(dir);
    writeText(dir.file("a picture with a rather long name of its own.png"), "");
    static std::vector<std::string> opened;
    opened.clear();
    CKivLeadExpListCtrl view;
    view.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 900, 400), nullptr, 1);
    view.show();
    view.MakeControl(nullptr);
    view.GetThumbListCtrl()->SetViewer([](HWND, int, const char* file, const char*) {
        opened.push_back(fs::path(file).filename().string());
        return 1;
    });
    view.MakeControl(dir.path().c_str());
    auto* files = view.GetFileListCtrl();
    view.ShowList(4, 0, 0);
    QTreeWidget* details = files->widget();
    // Every column shows its widest entry whole, and the names take the rest
    // of the window instead of leaving it empty.
    int total = 0;
    for (int c = 0; c < files->GetColumnCount(); ++c) {
        int widest = 0;
        for (int row = 0; row < files->GetItemCount(); ++row)
            widest = std::max(widest, details->fontMetrics().horizontalAdvance(details->topLevelItem(row)->text(c)));
        EXPECT_GT(files->GetColumnWidth(c), widest) << "column " << c;
        total += files->GetColumnWidth(c);
    }
    EXPECT_GT(total, details->viewport()->width() - 40) << "no empty band right of the columns";
    // A double click (an activation) on a row opens its file, in any order
    // the rows are sorted in; the icon styles' rows do the same.
    view.DoMenuCommand(kivlead::ID_EXP_BY_DATE);
    emit details->itemActivated(details->topLevelItem(0), 0);
    view.ShowList(3, 0, 0);
    emit files->iconView()->activated(files->iconView()->model()->index(2, 0));
    EXPECT_EQ(opened, (Names {"b.png", files->GetItemText(2, 0)}));
}
