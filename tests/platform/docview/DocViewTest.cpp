// SPDX-License-Identifier: MIT
// The document/view framework: documents open and close with their frames,
// a modified document is never closed without its answer, views hear of
// changes, and an owner-drawn list paints through DrawItem.
#include "platform/docview/CCmdUI.h"
#include "platform/docview/CDocTemplate.h"
#include "platform/docview/CDocument.h"
#include "platform/docview/CFrameWnd.h"
#include "platform/docview/CView.h"
#include "platform/docview/CWinApp.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CListBox.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <fstream>

using namespace vandrel::win32;

namespace {

struct TextDoc : CDocument {
    std::string text;
    int saves = 0;
    BOOL OnOpenDocument(const char* path) override
    {
        std::ifstream in(path);
        if (!in)
            return 0;
        std::getline(in, text);
        return 1;
    }
    BOOL OnSaveDocument(const char* path) override
    {
        std::ofstream(path) << text;
        ++saves;
        return CDocument::OnSaveDocument(path);
    }
};

struct TextView : CWnd, CView {
    explicit TextView(QWidget* parent) : CWnd(parent) { }
    QWidget* GetViewWidget() override { return this; }
    void OnUpdate(CView* sender, LPARAM hint, void*) override
    {
        ++updates;
        lastHint = hint;
        lastSender = sender;
    }
    int updates = 0;
    LPARAM lastHint = -1;
    CView* lastSender = nullptr;
};

struct Host : testing::Test {
    Host() : app(dir.file("profile.ini"))
    {
        app.AddDocTemplate(new CDocTemplate([] { return new TextDoc; },
            [this](CDocument* doc) {
                auto* frame = new CFrameWnd;
                auto* v = new TextView(frame);
                v->SetDocument(doc);
                view = v;
                return frame;
            }));
    }
    testsupport::TempDir dir;
    MessageBoxRecorder boxes;
    CWinApp app;
    TextView* view = nullptr;
};

} // namespace

TEST_F(Host, OpensNewAndExistingDocumentsWithTheirViews)
{
    const std::string path = dir.file("a.txt");
    std::ofstream(path) << "hello";
    auto* doc = dynamic_cast<TextDoc*>(app.OpenDocumentFile(path.c_str()));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->text, "hello");
    EXPECT_EQ(doc->GetTitle(), "a.txt");
    EXPECT_EQ(view->updates, 1); // the initial update
    EXPECT_EQ(doc->GetFrames().front()->GetWindowText(), "a.txt");
    // The same file again is the same document.
    EXPECT_EQ(app.OpenDocumentFile(path.c_str()), doc);
    EXPECT_EQ(app.OpenDocumentFile(dir.file("missing.txt").c_str()), nullptr);
    app.OnFileNew();
    EXPECT_EQ(app.GetDocuments().size(), 2u);

    TextView* first = dynamic_cast<TextView*>(doc->GetViews().front());
    doc->SetModifiedFlag(1);
    EXPECT_EQ(doc->GetFrames().front()->GetWindowText(), "a.txt *");
    doc->UpdateAllViews(nullptr, 7);
    EXPECT_EQ(first->lastHint, 7);
    doc->UpdateAllViews(first, 8); // the sender is not told
    EXPECT_EQ(first->lastHint, 7);
}

TEST_F(Host, ClosingAModifiedDocumentAsksAndCancelKeepsIt)
{
    const std::string path = dir.file("a.txt");
    std::ofstream(path) << "one";
    auto* doc = dynamic_cast<TextDoc*>(app.OpenDocumentFile(path.c_str()));
    ASSERT_NE(doc, nullptr);
    CFrameWnd* frame = doc->GetFrames().front();
    doc->text = "two";
    doc->SetModifiedFlag(1);

    boxes.answer(IDCANCEL);
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Save changes to a.txt?");
    EXPECT_EQ(boxes.shown()[0].type & MB_TYPEMASK, MB_YESNOCANCEL);
    EXPECT_EQ(app.GetDocuments().size(), 1u);

    boxes.answer(IDYES);
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(app.GetDocuments().empty());
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "two");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Host, SaveAsAsksForANameAndUnmodifiedClosesSilently)
{
    app.OnFileNew();
    auto* doc = dynamic_cast<TextDoc*>(app.GetDocuments().front());
    doc->text = "new";
    doc->SetModifiedFlag(1);
    FileDialogRecorder files;
    files.cancel();
    EXPECT_FALSE(doc->DoFileSave());
    EXPECT_TRUE(doc->IsModified());
    const std::string path = dir.file("named.txt");
    files.answer(path.c_str());
    EXPECT_TRUE(doc->DoFileSave());
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_FALSE(doc->IsModified());
    CCmdUI save;
    doc->OnUpdateFileSave(&save);
    EXPECT_TRUE(save.IsEnabled());
    doc->OnFileClose();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(app.GetDocuments().empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(OwnerDrawList, PaintsEachItemThroughDrawItemWithItsData)
{
    struct List : CListBox {
        std::vector<std::pair<UINT, void*>> drawn;
        void DrawItem(LPDRAWITEMSTRUCT item) override
        {
            drawn.emplace_back(item->itemID, item->itemData);
            EXPECT_EQ(item->rcItem.Height(), 40);
            EXPECT_NE(item->painter, nullptr);
        }
    } list;
    ASSERT_TRUE(list.Create(LBS_OWNERDRAWFIXED | LBS_DISABLENOSCROLL, CRect(0, 0, 120, 200), nullptr, 5));
    list.SetItemHeight(0, 40);
    int a = 1, b = 2;
    EXPECT_EQ(list.InsertString(-1, ""), 0);
    EXPECT_EQ(list.InsertString(0, ""), 0);
    EXPECT_EQ(list.InsertString(5, ""), LB_ERR);
    list.SetItemDataPtr(0, &a);
    list.SetItemDataPtr(1, &b);
    EXPECT_EQ(list.GetItemDataPtr(1), &b);
    EXPECT_EQ(list.GetItemDataPtr(9), nullptr);
    list.grab();
    ASSERT_GE(list.drawn.size(), 2u);
    EXPECT_EQ(list.drawn[0], std::make_pair(0u, static_cast<void*>(&a)));
    EXPECT_EQ(list.DeleteString(0), 1);
    EXPECT_EQ(list.GetItemDataPtr(0), &b);
    EXPECT_EQ(list.DeleteString(3), LB_ERR);
}

TEST_F(Host, AFrameDeletedByItsParentTakesItsDocument)
{
    app.OnFileNew();
    app.OnFileNew();
    ASSERT_EQ(app.GetDocuments().size(), 2u);
    CDocument* first = app.GetDocuments().front();
    delete first->GetFrames().front();
    ASSERT_EQ(app.GetDocuments().size(), 1u);
    EXPECT_NE(app.GetDocuments().front(), first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Host, ADocumentDeletedOutrightLeavesNoPointerBehind)
{
    app.OnFileNew();
    CDocument* doc = app.GetDocuments().front();
    CFrameWnd* frame = doc->GetFrames().front();
    delete doc;
    EXPECT_TRUE(app.GetDocuments().empty());
    EXPECT_EQ(frame->GetActiveDocument(), nullptr);
    EXPECT_TRUE(frame->close());
    delete frame;
}

TEST_F(Host, TheLastOfTwoFramesToCloseClosesTheDocument)
{
    app.OnFileNew();
    CDocument* doc = app.GetDocuments().front();
    auto* second = new CFrameWnd;
    auto* view = new TextView(second);
    view->SetDocument(doc);
    second->SetActiveDocument(doc);
    ASSERT_EQ(doc->GetFrames().size(), 2u);
    EXPECT_TRUE(second->close());
    EXPECT_EQ(app.GetDocuments().size(), 1u);
    EXPECT_EQ(doc->GetFrames().size(), 1u);
    EXPECT_TRUE(doc->GetFrames().front()->close());
    EXPECT_TRUE(app.GetDocuments().empty());
    delete second;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
