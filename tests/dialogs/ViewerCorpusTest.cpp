// SPDX-License-Identifier: MIT
// The viewers on the real drawings, slides and slide libraries beside the
// repository: every file opens, shows a preview or says there is none, and
// the dialog ends with its button.
#include "DialogTestSupport.h"

#include "cad/KivSlideFile.h"
#include "dialogs/KivDlgThumbSlide.h"
#include "dialogs/KivDlgViewDwg.h"
#include "dialogs/KivDlgViewSlide.h"
#include "platform/base/CStringArray.h"
#include "support/TestSupport.h"

using namespace dlgtest;
using namespace testsupport;

TEST(KivDlgViewDwgCorpus, EveryDrawingShowsItsPreviewOrSaysThereIsNone)
{
    const std::vector<std::filesystem::path> drawings = samplesIn("dwg");
    if (drawings.empty())
        GTEST_SKIP() << "no drawing samples";
    int previews = 0;
    for (const auto& file : drawings) {
        CString notice = "unset";
        const int result = runWith<CKivViewDwgDlg>(
            [&](CKivViewDwgDlg& d) {
                notice = d.GetView()->GetNotice();
                // One with a picture worth looking at.
                if (file.stem() == "c3d_LOGO_COA_DYN")
                    shot(d, "corpus-view-dwg");
                click(d, IDOK);
            },
            [&] { return KivDlgViewDwg(nullptr, file.c_str(), nullptr, nullptr, -1, -1, 0, 0, 5, 1); });
        EXPECT_EQ(result, 1) << file;
        EXPECT_TRUE(notice.empty() || notice == CKivDrawingViewCtrl::kNoPreview) << file;
        previews += notice.empty();
    }
    EXPECT_GT(previews, 0) << "some of the real drawings carry a preview";
}

TEST(KivDlgThumbSlideCorpus, EveryLibraryOpensItsSlidesInTheGrid)
{
    const std::vector<std::filesystem::path> files = samplesIn("slb");
    if (files.empty())
        GTEST_SKIP() << "no slide library samples";
    int opened = 0;
    for (const auto& file : files) {
        CStringArray names;
        if (!KivSlideFile::GetSlideList(file.c_str(), &names))
            continue;
        ++opened;
        int items = -1;
        const int result = runWith<CKivThumbSlideDlg>(
            [&](CKivThumbSlideDlg& d) {
                items = d.GetBrowser()->GetThumbList() ? d.GetBrowser()->GetThumbList()->getCount() : 0;
                if (opened == 1)
                    shot(d, "corpus-view-thumbnail");
                click(d, IDOK);
            },
            [&] { return KivDlgThumbSlide(nullptr, file.c_str(), &names, 4, 3, 1, nullptr, -1, -1, 0, 0, 5, 1); });
        EXPECT_EQ(result, 1) << file;
        EXPECT_EQ(items, names.GetSize()) << file;
    }
    EXPECT_GT(opened, 0);
}

TEST(KivDlgViewSlideCorpus, EverySlideOpens)
{
    const std::vector<std::filesystem::path> slides = samplesIn("sld");
    if (slides.empty())
        GTEST_SKIP() << "no slide samples";
    for (const auto& file : slides)
        EXPECT_EQ(runWith<CKivViewSlideDlg>(
                      [](CKivViewSlideDlg& d) {
                          d.grab();
                          click(d, IDOK);
                      },
                      [&] { return KivDlgViewSlide(nullptr, file.c_str(), nullptr, -1, -1, 0, 0, 5, 1); }),
            1)
            << file;
}
