// SPDX-License-Identifier: MIT
// The timer, command history, user property and drawing file dialogs.
#include "AirfoilDlgSupport.h"

#include "appdialogs/KivDlgAppCmdHist.h"
#include "appdialogs/KivDlgAppDwgFile.h"
#include "appdialogs/KivDlgAppTimer.h"
#include "appdialogs/KivDlgAppUserProp.h"
#include "appdialogs/resources.h"
#include "controls/CKivDirTreeCtrl.h"
#include "controls/CKivEdit.h"
#include "controls/CKivListCtrl.h"
#include "controls/CKivTimerCtrl.h"
#include "core/KivParamList.h"
#include "dialogs/CKivAboutDlg.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProcessService.h"
#include "platform/services/SoundService.h"
#include "platform/widgets/CComboBox.h"
#include "platform/widgets/CListBox.h"
#include "support/DwgWriter.h"
#include "support/TestSupport.h"
#include "views/CKivThumbViewCtrl.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFileInfo>
#include <QTextBrowser>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>

using namespace testsupport;
using namespace kivappdlg;
namespace fs = std::filesystem;

namespace {

template <class T> T* item(CDialog& d, UINT id)
{
    return dynamic_cast<T*>(d.GetDlgItem(static_cast<int>(id)));
}

bool enabled(CDialog& d, UINT id)
{
    return d.GetDlgItem(static_cast<int>(id))->isEnabled();
}

// Runs the dialog that call opens through hook, which drives every modal
// dialog that shows meanwhile.
template <class Call> int withHook(std::function<void(CDialog&)> hook, Call call)
{
    CDialog::SetModalHook(std::move(hook));
    const int result = call();
    CDialog::SetModalHook(nullptr);
    return result;
}

struct SoundFolder {
    TempDir dir;
    SoundFolder()
    {
        for (const char* name : {"bell.wav", "chime.wav", "notes.txt"})
            writeText(dir.file(name), "RIFF");
        setenv("VANDREL_SOUNDS", dir.path().c_str(), 1);
    }
    ~SoundFolder() { unsetenv("VANDREL_SOUNDS"); }
};

} // namespace

TEST(KivDlgAppTimer, ShowsTheTimerAndWritesItBackOnlyOnOk)
{
    SoundFolder sounds;
    SoundRecorder played;
    CKivTimerCtrl timer;
    timer.SetTime(1, 2, 3);
    timer.SetMode(0);
    timer.SetLoop(1);
    timer.SetSound((sounds.dir.path() / "chime.wav").c_str());
    bool anyEnabled = true, allEnabled = false;
    CString chosen;
    int soundCount = 0;
    const int cancelled = withHook(
        [&](CDialog& d) {
            anyEnabled = false;
            for (UINT id : {IDC_TIMER_HOUR, IDC_TIMER_MINUTE_SPIN, IDC_TIMER_LOOP, IDC_TIMER_SOUND, IDC_TIMER_TEST})
                anyEnabled = anyEnabled || enabled(d, id);
            auto* combo = item<CComboBox>(d, IDC_TIMER_SOUND);
            soundCount = combo->GetCount();
            chosen = combo->GetLBText(combo->GetCurSel());
            clickItem(d, IDC_TIMER_DOWN);
            allEnabled = enabled(d, IDC_TIMER_HOUR) && enabled(d, IDC_TIMER_SOUND) && enabled(d, IDC_TIMER_TEST);
            item<CKivEdit>(d, IDC_TIMER_HOUR)->SetWindowText("7");
            clickItem(d, IDCANCEL);
        },
        [&] { return KivDlgAppTimer(nullptr, &timer); });
    EXPECT_EQ(cancelled, 0);
    EXPECT_FALSE(anyEnabled) << "mode 0 disables time, loop and sound";
    EXPECT_TRUE(allEnabled);
    EXPECT_EQ(soundCount, 2);
    EXPECT_EQ(chosen, "chime");
    EXPECT_EQ(timer.GetTime(), "01:02:03:00");
    EXPECT_EQ(timer.GetMode(), 0);

    const int ok = withHook(
        [&](CDialog& d) {
            clickItem(d, IDC_TIMER_UP);
            item<CKivEdit>(d, IDC_TIMER_HOUR)->SetWindowText("150"); // past the top: 99
            item<CKivEdit>(d, IDC_TIMER_SECOND)->SetWindowText("9");
            clickItem(d, IDC_TIMER_LOOP);
            item<CComboBox>(d, IDC_TIMER_SOUND)->SetCurSel(0);
            clickItem(d, IDC_TIMER_TEST);
            clickItem(d, IDOK);
        },
        [&] { return KivDlgAppTimer(nullptr, &timer); });
    EXPECT_EQ(ok, 1);
    int h = 0, m = 0, s = 0;
    timer.GetTime(&h, &m, &s);
    EXPECT_EQ(h * 10000 + m * 100 + s, 990209);
    EXPECT_EQ(timer.GetMode(), 2);
    EXPECT_EQ(timer.GetLoop(), 0);
    const CString bell = sounds.dir.path().string() + "/bell.wav";
    EXPECT_EQ(timer.GetSound(), bell);
    ASSERT_EQ(played.requests().size(), 1u);
    EXPECT_EQ(played.requests()[0].file, bell);

    // Without a timer: zeros, and OK changes nothing.
    CString hours;
    EXPECT_EQ(withHook(
                  [&](CDialog& d) {
                      hours = item<CKivEdit>(d, IDC_TIMER_HOUR)->GetWindowText();
                      clickItem(d, IDOK);
                  },
                  [] { return KivDlgAppTimer(nullptr, nullptr); }),
        1);
    EXPECT_EQ(hours, "0");
}

TEST(KivDlgAppCmdHist, PicksAnEntryAndRefusesNoSelection)
{
    CStringList history;
    for (const char* s : {"LINE", "CIRCLE", "ZOOM E"})
        history.AddTail(s);
    char selected[256] = "old";
    MessageBoxRecorder boxes;
    CString about;
    const int ok = withHook(
        [&](CDialog& d) {
            if (auto* box = dynamic_cast<CKivAboutDlg*>(&d)) {
                about = box->GetWindowText();
                box->EndDialog(IDOK);
                return;
            }
            clickItem(d, IDC_CMDHIST_ABOUT);
            auto* list = item<CListBox>(d, IDC_CMDHIST_LIST);
            list->SetCurSel(2);
            // A double click chooses, as OK does.
            list->widget()->itemDoubleClicked(list->widget()->item(2));
            QCoreApplication::processEvents();
        },
        [&] { return KivDlgAppCmdHist(nullptr, &history, selected); });
    EXPECT_EQ(ok, 1);
    EXPECT_STREQ(selected, "ZOOM E");
    EXPECT_NE(about.find("Command History"), std::string::npos) << about;

    CStringList empty;
    const int cancelled = withHook(
        [&](CDialog& d) {
            clickItem(d, IDOK);
            EXPECT_TRUE(d.isVisible()) << "the dialog stays open";
            clickItem(d, IDCANCEL);
        },
        [&] { return KivDlgAppCmdHist(nullptr, &empty, selected); });
    EXPECT_EQ(cancelled, 0);
    EXPECT_STREQ(selected, "");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "No Selection!");
    EXPECT_EQ(boxes.shown()[0].caption, "Error");
    EXPECT_EQ(KivDlgAppCmdHist(nullptr, nullptr, selected), 0);
    EXPECT_EQ(KivDlgAppCmdHist(nullptr, &history, nullptr), 0);
}

TEST(KivDlgAppUserProp, EditsRowsAndWritesThemOnlyOnOk)
{
    KivParamList props;
    props.addParam("Author", "Kim");
    props.addParam("Scale", "1:50");
    MessageBoxRecorder boxes;
    ProcessRecorder processes;
    // Help opens the bundled page in the desktop's browser: a browser of our
    // own takes the address instead.
    QTextBrowser browser;
    QDesktopServices::setUrlHandler("file", &browser, "setSource");
    // Each editor that opens gets the next name and value, then OK.
    std::vector<std::pair<CString, CString>> edits;
    std::vector<std::pair<CString, CString>> offered;
    const auto run = [&](std::function<void(CDialog&, CKivListCtrl&)> drive) {
        return withHook(
            [&](CDialog& d) {
                if (dynamic_cast<CKivAboutDlg*>(&d)) {
                    d.EndDialog(IDOK);
                    return;
                }
                if (d.GetDlgItem(IDC_PROPEDIT_NAME) && !d.GetDlgItem(IDC_USERPROP_LIST)) {
                    auto* name = item<CEdit>(d, IDC_PROPEDIT_NAME);
                    auto* value = item<CEdit>(d, IDC_PROPEDIT_VALUE);
                    offered.emplace_back(name->GetWindowText(), value->GetWindowText());
                    name->SetWindowText(edits.front().first.c_str());
                    value->SetWindowText(edits.front().second.c_str());
                    edits.erase(edits.begin());
                    clickItem(d, IDOK);
                    return;
                }
                drive(d, *item<CKivListCtrl>(d, IDC_USERPROP_LIST));
            },
            [&] { return KivDlgAppUserProp(nullptr, &props); });
    };

    // Cancel after appending and deleting leaves the list as it was.
    edits = {{"Sheet", "A1"}};
    boxes.answer(IDYES);
    EXPECT_EQ(run([&](CDialog& d, CKivListCtrl& list) {
        clickItem(d, IDC_USERPROP_APPEND);
        EXPECT_EQ(list.GetItemCount(), 3);
        clickItem(d, IDC_USERPROP_DELETE);
        EXPECT_EQ(list.GetItemCount(), 2) << "the appended row was current";
        clickItem(d, IDCANCEL);
    }),
        0);
    EXPECT_EQ(props.getParamStr(), "Author=\"Kim\" Scale=\"1:50\"") << props.getParamStr();

    // Duplicates are refused; renaming a row to its own name is allowed.
    edits = {{"Author", "x"}, {"Author", "Lee"}, {"Scale", "2"}, {"Date", "today"}};
    offered.clear();
    boxes.clear();
    boxes.answer(IDNO);
    EXPECT_EQ(run([&](CDialog& d, CKivListCtrl& list) {
        clickItem(d, IDC_USERPROP_MODIFY); // no current row: nothing
        clickItem(d, IDC_USERPROP_APPEND); // "Author" again: refused
        list.SetCurSel(0);
        list.widget()->setCurrentItem(list.widget()->topLevelItem(0));
        clickItem(d, IDC_USERPROP_MODIFY); // Author -> Author, value Lee
        clickItem(d, IDC_USERPROP_MODIFY); // Author -> Scale: refused
        clickItem(d, IDC_USERPROP_DELETE); // answered No
        clickItem(d, IDC_USERPROP_APPEND); // Date
        clickItem(d, IDC_USERPROP_HELP);
        clickItem(d, IDC_USERPROP_ABOUT);
        EXPECT_EQ(list.GetColumnCount(), 2);
        clickItem(d, IDOK);
    }),
        1);
    EXPECT_EQ(props.getParamStr(), "Author=\"Lee\" Scale=\"1:50\" Date=\"today\"") << props.getParamStr();
    ASSERT_EQ(offered.size(), 4u);
    EXPECT_EQ(offered[1], (std::pair<CString, CString> {"Author", "Kim"}));
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[0].text, "Duplicated property name!");
    EXPECT_EQ(boxes.shown()[1].text, "Duplicated property name!");
    EXPECT_EQ(boxes.shown()[2].text, "Are you sure?");
    EXPECT_EQ(boxes.shown()[2].caption, "Confirm");
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_TRUE(processes.requests().empty()) << "no .CHM, no program of our own";
    const QString page = browser.source().toLocalFile();
    EXPECT_TRUE(page.endsWith("share/vandrel/help/user-properties.html")) << page.toStdString();
    EXPECT_TRUE(QFileInfo(page).isFile());
    props.removeData();
}

namespace {
std::vector<std::string> g_blockLists;
void recordBlockList(HWND, const char* path)
{
    g_blockLists.push_back(path);
}
} // namespace

TEST(KivDlgAppDwgFile, APickedDrawingIsPreviewedAndHandedBack)
{
    TempDir dir;
    fs::create_directories(dir.path() / "sub");
    const std::string dwg = dir.file("plan.DWG");
    writeFile(dwg, makeDwg("AC1015", {{1, Bytes(80, 0)}}));
    char selected[260] = "old";
    bool blockBefore = true, blockOnDrawing = false, blockOnFolder = true;
    CString previewed;
    g_blockLists.clear();
    const int ok = withHook(
        [&](CDialog& d) {
            blockBefore = enabled(d, IDC_DWG_BLOCKLIST);
            auto* tree = item<CKivDirTreeCtrl>(d, IDC_DWG_TREE);
            ASSERT_EQ(tree->SetPath(dir.path().string().c_str()), 1);
            HTREEITEM folder = tree->GetSelectedItem();
            HTREEITEM drawing = nullptr, sub = nullptr;
            for (HTREEITEM c = tree->GetChildItem(folder); c; c = tree->GetNextSiblingItem(c))
                (tree->GetItemText(c) == "plan.DWG" ? drawing : sub) = c;
            ASSERT_NE(drawing, nullptr);
            tree->SelectItem(drawing);
            QCoreApplication::processEvents();
            blockOnDrawing = enabled(d, IDC_DWG_BLOCKLIST);
            previewed = item<CKivThumbViewCtrl>(d, IDC_DWG_PREVIEW)->GetFileName();
            clickItem(d, IDC_DWG_BLOCKLIST);
            if (sub) {
                tree->SelectItem(sub);
                QCoreApplication::processEvents();
                blockOnFolder = enabled(d, IDC_DWG_BLOCKLIST);
                tree->SelectItem(drawing);
                QCoreApplication::processEvents();
            }
            clickItem(d, IDOK);
        },
        [&] { return KivDlgAppDwgFile(nullptr, dir.path().c_str(), selected, &recordBlockList); });
    EXPECT_EQ(ok, 1);
    EXPECT_FALSE(blockBefore);
    EXPECT_TRUE(blockOnDrawing);
    EXPECT_FALSE(blockOnFolder);
    EXPECT_EQ(previewed, dwg);
    EXPECT_EQ(g_blockLists, std::vector<std::string> {dwg});
    EXPECT_EQ(std::string(selected), dwg);

    // A folder chosen: OK hands back an empty path; Cancel hands back nothing.
    EXPECT_EQ(withHook(
                  [&](CDialog& d) {
                      item<CKivDirTreeCtrl>(d, IDC_DWG_TREE)->SetPath(dir.path().string().c_str());
                      QCoreApplication::processEvents();
                      clickItem(d, IDOK);
                  },
                  [&] { return KivDlgAppDwgFile(nullptr, nullptr, selected, nullptr); }),
        1);
    EXPECT_STREQ(selected, "");
    std::strcpy(selected, "kept");
    EXPECT_EQ(withHook([](CDialog& d) { clickItem(d, IDCANCEL); },
                  [&] { return KivDlgAppDwgFile(nullptr, dir.path().c_str(), selected, nullptr); }),
        0);
    EXPECT_STREQ(selected, "kept");

    // Without a callback, Block List says there is none instead of doing nothing.
    MessageBoxRecorder boxes;
    withHook(
        [&](CDialog& d) {
            auto* tree = item<CKivDirTreeCtrl>(d, IDC_DWG_TREE);
            tree->SetPath(dir.path().string().c_str());
            for (HTREEITEM c = tree->GetChildItem(tree->GetSelectedItem()); c; c = tree->GetNextSiblingItem(c))
                if (tree->GetItemText(c) == "plan.DWG")
                    tree->SelectItem(c);
            QCoreApplication::processEvents();
            clickItem(d, IDC_DWG_BLOCKLIST);
            clickItem(d, IDCANCEL);
        },
        [&] { return KivDlgAppDwgFile(nullptr, dir.path().c_str(), selected, nullptr); });
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "The program that opened this dialog gives no block list.");
}
