// SPDX-License-Identifier: MIT
#include "AirfoilDlgSupport.h"

#include "appdialogs/CKivSlideManagerDlg.h"
#include "appdialogs/KivDlgAppSlideManager.h"
#include "appdialogs/resources.h"
#include "cad/KivSlideFile.h"
#include "controls/CKivDirTreeCtrl.h"
#include "dialogs/CKivAboutDlg.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"
#include "support/SlideWriter.h"

#include <gtest/gtest.h>

#include <QDir>

#include <filesystem>
#include <unistd.h>

using namespace testsupport;
using namespace kivappdlg;
namespace fs = std::filesystem;

namespace {

Bytes slide(int n)
{
    return SlideWriter(static_cast<std::uint16_t>(100 + n), 100).color(n).vector(0, 0, 50, 50).end().bytes();
}

// The manager on folder, driven by drive once it shows, then closed with OK.
int runManager(const std::string& folder, const std::function<void(CKivSlideManagerDlg&)>& drive)
{
    ResourceScope resources(KivAppDlgResources());
    CKivSlideManagerDlg dialog;
    dialog.m_folder = folder;
    CDialog::SetModalHook([&](CDialog& d) {
        if (auto* about = dynamic_cast<CKivAboutDlg*>(&d)) {
            about->EndDialog(IDOK);
            return;
        }
        drive(dialog);
        if (dialog.isVisible())
            clickItem(dialog, IDOK);
    });
    const INT_PTR result = dialog.DoModal();
    CDialog::SetModalHook(nullptr);
    return static_cast<int>(result);
}

void select(CKivListBox& list, std::initializer_list<int> rows)
{
    list.SetSel(-1, FALSE);
    for (const int row : rows)
        list.SetSel(row, TRUE);
    QCoreApplication::processEvents();
}

std::vector<CString> items(CKivListBox& list)
{
    std::vector<CString> out;
    for (int i = 0; i < list.GetCount(); ++i)
        out.push_back(list.GetText(i));
    return out;
}

void doubleClick(CKivListBox& list, int row)
{
    list.SetCurSel(row);
    emit list.widget()->itemDoubleClicked(list.widget()->item(row));
    QCoreApplication::processEvents();
}

bool enabled(CDialog& d, UINT id)
{
    return d.GetDlgItem(static_cast<int>(id))->isEnabled();
}

class SlideManager : public testing::Test {
protected:
    TempDir dir;
    std::string folder = (dir.path() / "my.proj").string() + "/";
    std::string lib = folder + "parts.slb";
    MessageBoxRecorder boxes;
    FileDialogRecorder files;
    void SetUp() override
    {
        fs::create_directories(folder);
        writeFile(folder + "a.sld", slide(1));
        writeFile(folder + "B.SLD", slide(2));
        writeFile(folder + "c.sld", slide(3));
        writeText(folder + "notes.txt", "not a slide");
    }
    void chooseLibrary(CKivSlideManagerDlg& d, const std::string& path)
    {
        files.answer(path.c_str());
        clickItem(d, IDC_SLM_SELECT);
    }
};

} // namespace

TEST_F(SlideManager, OpensWithTheButtonsOffAndAddAllCreatesTheNamedLibrary)
{
    fs::create_directories(folder + "inner");
    writeFile(folder + "inner/deep.sld", slide(6));
    CString title;
    std::vector<CString> listed;
    bool anyEnabled = true, allEnabled = false;
    CString libraryShown;
    const int result = runManager(folder, [&](CKivSlideManagerDlg& d) {
        title = d.GetWindowText();
        anyEnabled = false;
        for (UINT id :
            {IDC_SLM_ADD, IDC_SLM_ADD_ALL, IDC_SLM_EXTRACT, IDC_SLM_EXTRACT_ALL, IDC_SLM_DELETE, IDC_SLM_DELETE_ALL})
            anyEnabled = anyEnabled || enabled(d, id);
        listed = items(d.FolderList());
        // No extension: the name gets ".SLB" in the chosen folder.
        chooseLibrary(d, folder + "newlib");
        allEnabled = enabled(d, IDC_SLM_ADD_ALL) && enabled(d, IDC_SLM_DELETE_ALL);
        libraryShown = d.m_library;
        clickItem(d, IDC_SLM_ADD_ALL);
        // A folder chosen in the tree becomes the folder the list shows.
        auto* tree = dynamic_cast<CKivDirTreeCtrl*>(d.GetDlgItem(IDC_SLM_TREE));
        ASSERT_NE(tree, nullptr);
        ASSERT_EQ(tree->SetPath((folder + "inner").c_str()), 1);
        QCoreApplication::processEvents();
        EXPECT_EQ(d.m_folder, folder + "inner/");
        EXPECT_EQ(items(d.FolderList()), std::vector<CString> {"deep.sld"});
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(title, "Slide Library Manager : Version 1.6");
    EXPECT_FALSE(anyEnabled);
    EXPECT_TRUE(allEnabled);
    EXPECT_EQ(listed, (std::vector<CString> {"a.sld", "B.SLD", "c.sld"})) << "sorted ignoring case, slides only";
    EXPECT_EQ(libraryShown, folder + "newlib.SLB");
    ASSERT_EQ(files.shown().size(), 1u);
    EXPECT_EQ(files.shown()[0].title, "Select Slide Library");
    EXPECT_TRUE(files.shown()[0].flags & OFN_CREATEPROMPT);
    EXPECT_EQ(files.shown()[0].initialDir, folder) << "without a library, Select starts in the folder shown";
    EXPECT_EQ(readFile(folder + "newlib.SLB"), makeLibrary({{"A", slide(1)}, {"B", slide(2)}, {"C", slide(3)}}));
    EXPECT_FALSE(fs::exists(folder + "newlib.bak")) << "nothing to back up before the library existed";
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(SlideManager, EveryButtonChangesTheLibraryAfterOneBackup)
{
    const Bytes original = makeLibrary({{"B", slide(7)}, {"X", slide(8)}, {"Y", slide(9)}, {"Z", slide(10)}});
    writeFile(lib, original);
    std::vector<CString> viewed;
    CKivSlideManagerDlg::SetViewer([&](HWND, const char* reference) { viewed.push_back(reference); });
    std::vector<Bytes> after;
    std::vector<CString> libraryItems;
    runManager(folder, [&](CKivSlideManagerDlg& d) {
        chooseLibrary(d, lib);
        libraryItems = items(d.LibraryList());
        EXPECT_TRUE(d.FolderView().isVisible() && d.LibraryView().isVisible()) << "both previews show";
        select(d.LibraryList(), {0});
        EXPECT_TRUE(d.grab().save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/slide-manager.png"));
        // ">" on B.SLD: B is stored, so the user is asked; Cancel keeps it.
        boxes.answer(IDCANCEL);
        select(d.FolderList(), {1});
        clickItem(d, IDC_SLM_ADD);
        after.push_back(readFile(lib));
        boxes.answer(IDOK);
        select(d.FolderList(), {1}); // the lists were filled afresh
        clickItem(d, IDC_SLM_ADD);
        after.push_back(readFile(lib));
        // "&Delete" on X and Z at once: asked, cancelled, then done.
        select(d.LibraryList(), {1, 3});
        boxes.answer(IDCANCEL);
        clickItem(d, IDC_SLM_DELETE);
        EXPECT_EQ(readFile(lib), makeLibrary({{"X", slide(8)}, {"Y", slide(9)}, {"Z", slide(10)}, {"B", slide(2)}}));
        boxes.answer(IDOK);
        clickItem(d, IDC_SLM_DELETE);
        after.push_back(readFile(lib));
        // "<" writes the selected slide into the folder, the library stays.
        select(d.LibraryList(), {0});
        clickItem(d, IDC_SLM_EXTRACT);
        // "<<" asked and cancelled, then done.
        fs::remove(folder + "B.SLD");
        boxes.answer(IDCANCEL);
        clickItem(d, IDC_SLM_EXTRACT_ALL);
        EXPECT_FALSE(fs::exists(folder + "B.SLD"));
        boxes.answer(IDOK);
        clickItem(d, IDC_SLM_EXTRACT_ALL);
        // "D&elete All" cancelled, then done.
        boxes.answer(IDCANCEL);
        clickItem(d, IDC_SLM_DELETE_ALL);
        after.push_back(readFile(lib));
        boxes.answer(IDOK);
        clickItem(d, IDC_SLM_DELETE_ALL);
        after.push_back(readFile(lib));
        // Double clicks open the viewer on the file and on the member.
        doubleClick(d.FolderList(), 0);
        writeFile(lib, original);
        d.Refresh();
        doubleClick(d.LibraryList(), 2);
        clickItem(d, IDC_SLM_ABOUT);
    });
    CKivSlideManagerDlg::SetViewer(nullptr);
    EXPECT_EQ(libraryItems, (std::vector<CString> {"B", "X", "Y", "Z"}));
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[0], original) << "Cancel leaves the library";
    const Bytes replaced = makeLibrary({{"X", slide(8)}, {"Y", slide(9)}, {"Z", slide(10)}, {"B", slide(2)}});
    EXPECT_EQ(after[1], replaced);
    const Bytes deleted = makeLibrary({{"Y", slide(9)}, {"B", slide(2)}});
    EXPECT_EQ(after[2], deleted);
    EXPECT_EQ(after[3], deleted) << "Cancel leaves the library";
    EXPECT_EQ(after[4].size(), 68u);
    EXPECT_EQ(readFile(folder + "B.SLD"), slide(2)) << "extracted by <<";
    EXPECT_EQ(readFile(folder + "Y.SLD"), slide(9));
    EXPECT_EQ(readFile(folder + "parts.bak"), original) << "one backup, made before the first change";
    ASSERT_EQ(boxes.shown().size(), 8u);
    EXPECT_EQ(boxes.shown()[0].text, "Replace slide B.SLD in library " + lib + ".");
    EXPECT_EQ(boxes.shown()[0].caption, "Slide Library Manager");
    EXPECT_EQ(boxes.shown()[2].text, "Delete 2 slides from " + lib);
    EXPECT_EQ(boxes.shown()[2].text, boxes.shown()[3].text);
    EXPECT_EQ(boxes.shown()[4].text, "Extract all slides from " + lib + " to " + folder);
    EXPECT_EQ(boxes.shown()[6].text, "Delete all slides from " + lib);
    EXPECT_EQ(viewed, (std::vector<CString> {folder + "a.sld", lib + "(Y)"}));
}

TEST_F(SlideManager, AnExistingBackupIsNeverReplacedAndNamesAreCutInTheFileName)
{
    EXPECT_EQ(CKivSlideManagerDlg::BackupName("/home/a/my.proj/lib.v2.slb"), "/home/a/my.proj/lib.bak");
    EXPECT_EQ(CKivSlideManagerDlg::BackupName("lib"), "lib.bak");
    writeFile(lib, makeLibrary({{"Q", slide(4)}}));
    writeText(folder + "parts.bak", "older backup");
    runManager(folder, [&](CKivSlideManagerDlg& d) {
        chooseLibrary(d, lib);
        select(d.FolderList(), {0, 2});
        clickItem(d, IDC_SLM_ADD);
    });
    EXPECT_EQ(readFile(lib), makeLibrary({{"Q", slide(4)}, {"A", slide(1)}, {"C", slide(3)}}));
    const Bytes kept = readFile(folder + "parts.bak");
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "older backup");
}

TEST_F(SlideManager, BadLibrariesAndSlidesShowTheMessageAndLoseNothing)
{
    const Bytes text = {'j', 'u', 's', 't', ' ', 'w', 'o', 'r', 'd', 's', ',', ' ', 'n', 'o', ' ', 'l', 'i', 'b', 'r',
        'a', 'r', 'y', ' ', 'a', 't', ' ', 'a', 'l', 'l', ' ', 'h', 'e', 'r', 'e'};
    writeFile(folder + "text.slb", text);
    writeFile(lib, makeLibrary({{"A", slide(1)}, {"W\xe9RK", slide(5)}}));
    writeText(folder + "bad.sld", "this is not a slide file either!!");
    std::vector<CString> shown;
    std::vector<CString> slides;
    runManager(folder, [&](CKivSlideManagerDlg& d) {
        chooseLibrary(d, folder + "text.slb");
        EXPECT_EQ(d.LibraryList().GetCount(), 0);
        clickItem(d, IDC_SLM_ADD_ALL);
        chooseLibrary(d, lib);
        select(d.FolderList(), {2}); // bad.sld
        clickItem(d, IDC_SLM_ADD);
        // A slide name that is no UTF-8 is still found by its bytes.
        slides = items(d.LibraryList());
        select(d.LibraryList(), {1});
        boxes.answer(IDOK);
        clickItem(d, IDC_SLM_DELETE);
        for (const auto& b : boxes.shown())
            shown.push_back(b.text);
    });
    // One message for each file ">>" could not add, and the dialog went on.
    const CString invalid = "Slide library invalid.", unreadable = "Error reading slide file. *Invalid*";
    EXPECT_EQ(shown,
        (std::vector<CString> {
            invalid, invalid, unreadable, invalid, unreadable, "Delete slide W\uFFFDRK from " + lib}));
    EXPECT_EQ(readFile(folder + "text.slb"), text);
    EXPECT_EQ(slides.size(), 2u);
    EXPECT_EQ(readFile(lib), makeLibrary({{"A", slide(1)}}));
    // The one backup of the run went to the first library changed.
    EXPECT_EQ(readFile(folder + "text.bak"), text);
    EXPECT_FALSE(fs::exists(folder + "parts.bak"));
}

TEST_F(SlideManager, AReadOnlyLibraryStaysAsItWas)
{
    writeFile(lib, makeLibrary({{"A", slide(1)}, {"Q", slide(4)}}));
    const Bytes before = readFile(lib);
    fs::permissions(lib, fs::perms::owner_read | fs::perms::group_read);
    std::size_t messages = 0;
    runManager(folder, [&](CKivSlideManagerDlg& d) {
        chooseLibrary(d, lib);
        select(d.LibraryList(), {0, 1});
        clickItem(d, IDC_SLM_DELETE);
        clickItem(d, IDC_SLM_ADD_ALL);
        messages = boxes.shown().size();
        EXPECT_EQ(d.LibraryList().GetCount(), 2) << "the dialog goes on";
    });
    EXPECT_GE(messages, 2u);
    EXPECT_EQ(readFile(lib), before);
}

TEST_F(SlideManager, AnUnwritableFolderKeepsItsLibrary)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder";
    writeFile(lib, makeLibrary({{"A", slide(1)}, {"Q", slide(4)}}));
    const Bytes before = readFile(lib);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    runManager(folder, [&](CKivSlideManagerDlg& d) {
        chooseLibrary(d, lib);
        select(d.LibraryList(), {1});
        clickItem(d, IDC_SLM_DELETE);
    });
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_NE(boxes.shown()[0].text.find("Can't open file"), std::string::npos) << boxes.shown()[0].text;
    EXPECT_EQ(readFile(lib), before);
}

TEST(KivDlgAppSlideManager, StartsInTheCurrentFolderAndGivesOneOnOk)
{
    TempDir dir;
    writeFile(dir.file("only.sld"), slide(1));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path().string()));
    CString folder;
    int count = -1;
    CDialog::SetModalHook([&](CDialog& d) {
        auto& m = dynamic_cast<CKivSlideManagerDlg&>(d);
        folder = m.m_folder;
        count = m.FolderList().GetCount();
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(KivDlgAppSlideManager(nullptr), 1);
    CDialog::SetModalHook([](CDialog& d) { d.EndDialog(IDCANCEL); });
    EXPECT_EQ(KivDlgAppSlideManager(nullptr), 0);
    CDialog::SetModalHook(nullptr);
    QDir::setCurrent(previous);
    EXPECT_EQ(folder, dir.path().string() + "/");
    EXPECT_EQ(count, 1);
}
