// SPDX-License-Identifier: MIT
// The airfoil dialog on the real coordinate files beside the repository.
#include "AirfoilDlgSupport.h"

#include "appdialogs/resources.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace testsupport;

TEST(KivDlgAppAirfoilCorpus, ListsEverySampleAndDrawsTheChosenOne)
{
    const std::vector<std::filesystem::path> samples = samplesIn("airfoil");
    if (samples.empty())
        GTEST_SKIP() << "no airfoil samples";
    std::size_t datFiles = 0;
    for (const auto& p : samples) {
        const std::string ext = MakeLower(p.extension().string());
        datFiles += ext == ".dat";
    }
    AirfoilChoice c;
    c.type = 3;
    c.setFolder(samples.front().parent_path().string() + "/");
    c.setFile("uiuc_e387.dat");
    int items = 0, drawn = 0;
    QImage shot;
    runAirfoil(c, [&](CDialog& d) {
        auto& dialog = dynamic_cast<CKivAirfoilDlg&>(d);
        items = dialog.GetFileCombo()->GetCount();
        drawn = dialog.GetDrawn().m_nodes;
        shot = d.grab().toImage();
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(static_cast<std::size_t>(items), datFiles);
    EXPECT_GT(drawn, 20) << "the file's points";
    EXPECT_TRUE(shot.save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/airfoil-file.png"));
}
