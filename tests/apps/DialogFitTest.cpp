// SPDX-License-Identifier: MIT
// Every dialog of the libraries and the studio, opened as a user opens it,
// grabbed to fit-<scale>-<name>.png and measured: each label, button, check
// box and group box has room for its whole text, no two texts overlap, no
// control leaves the dialog, and the title fits beside the frame's buttons.
// The program runs at 1× and, given --scale=2, at 2×.
#include "DialogsMenu.h"

#include "appdialogs/KivDlgAppAirfoil.h"
#include "appdialogs/KivDlgAppCmdHist.h"
#include "appdialogs/KivDlgAppDwgFile.h"
#include "appdialogs/KivDlgAppSlideManager.h"
#include "appdialogs/KivDlgAppTimer.h"
#include "appdialogs/KivDlgAppUserProp.h"
#include "appdialogs/resources.h"
#include "controls/CKivTimerCtrl.h"
#include "core/KivParamList.h"
#include "dialogs/CKivProgressDlg.h"
#include "dialogs/KivDlgAbout.h"
#include "dialogs/KivDlgProgress.h"
#include "imaging/editor/KivDlgEditColor.h"
#include "imaging/editor/KivDlgEditFlip.h"
#include "imaging/editor/KivDlgEditLevel.h"
#include "imaging/editor/KivDlgEditRotate.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/KivLeadDlg.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CDialog.h"
#include "platform/widgets/CStatic.h"
#include "support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <cstring>
#include <functional>
#include <string>

namespace {

std::string skipReason;

QString scale()
{
    return qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR") + "x" : "1x";
}

QString withoutMnemonics(QString text)
{
    text.replace("&&", QChar(1));
    text.remove('&');
    text.replace(QChar(1), '&');
    return text;
}

// What does not fit in dialog, one line each.
QStringList misfits(QWidget& dialog)
{
    QStringList found;
    QFont bold = QApplication::font();
    bold.setBold(true);
    // The frame's icon and three buttons take about 90 pixels of the title bar.
    if (QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + 90 > dialog.width())
        found << QString("title \"%1\" in %2 px").arg(dialog.windowTitle()).arg(dialog.width());
    struct Text {
        QRect place;
        QString text;
    };
    std::vector<Text> texts;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisibleTo(&dialog))
            continue;
        const QRect place(w->mapTo(&dialog, QPoint(0, 0)), w->size());
        if (w->parentWidget() == &dialog && !dialog.rect().contains(place))
            found << QString("%1 at (%2, %3, %4 × %5) leaves the dialog")
                         .arg(w->metaObject()->className())
                         .arg(place.x())
                         .arg(place.y())
                         .arg(place.width())
                         .arg(place.height());
        const QFontMetrics fm = w->fontMetrics();
        QString text;
        int needed = 0;
        bool wrapsTooLow = false;
        if (auto* push = qobject_cast<QPushButton*>(w)) {
            text = withoutMnemonics(push->text());
            needed = text.isEmpty() ? 0 : fm.horizontalAdvance(text) + 4;
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            text = withoutMnemonics(static_cast<QAbstractButton*>(w)->text());
            needed = w->sizeHint().width();
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            needed = group->title().isEmpty() ? 0 : fm.horizontalAdvance(withoutMnemonics(group->title())) + 8;
        } else if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
            text = label->text();
            if (label->wordWrap())
                wrapsTooLow = label->heightForWidth(label->width()) > label->height();
            else
                needed = label->sizeHint().width();
        } else if (auto* label = dynamic_cast<CStatic*>(w); label && !label->GetIcon()) {
            text = withoutMnemonics(QString::fromStdString(label->GetWindowText()));
            const QRect shown = fm.boundingRect(QRect(0, 0, w->width(), 1 << 20), Qt::TextWordWrap, text);
            wrapsTooLow = shown.height() > std::max(w->height(), fm.height());
            needed = shown.width();
        }
        if (needed > w->width())
            found << QString("\"%1\" needs %2 px, has %3").arg(text).arg(needed).arg(w->width());
        if (wrapsTooLow)
            found << QString("\"%1\" needs more lines than %2 px hold").arg(text).arg(w->height());
        if (!text.isEmpty())
            texts.push_back({place, text});
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            if (texts[i].place.intersects(texts[j].place))
                found << QString("\"%1\" overlaps \"%2\"").arg(texts[i].text, texts[j].text);
    return found;
}

// Measures and grabs each dialog that opens under name, as the calls that
// follow open them; drive (when given) then works the dialog, else Cancel.
class Measuring {
public:
    Measuring()
    {
        CDialog::SetModalHook([this](CDialog& d) {
            look(d, m_name + (m_depth++ ? "-nested" : ""));
            if (m_drive)
                m_drive(d);
            else
                d.EndDialog(IDCANCEL);
            --m_depth;
        });
    }
    ~Measuring() { CDialog::SetModalHook(nullptr); }
    Measuring(const Measuring&) = delete;
    Measuring& operator=(const Measuring&) = delete;

    void open(const QString& name, const std::function<void()>& call, std::function<void(CDialog&)> drive = {})
    {
        m_name = name;
        m_drive = std::move(drive);
        const int before = m_seen;
        call();
        EXPECT_GT(m_seen, before) << name.toStdString() << " opened no dialog";
    }

    void look(QWidget& dialog, const QString& name)
    {
        ++m_seen;
        QCoreApplication::processEvents();
        dialog.grab().save(QString("%1/fit-%2-%3.png").arg(VANDREL_BINARY_DIR, scale(), name));
        for (const QString& misfit : misfits(dialog))
            ADD_FAILURE() << name.toStdString() << ": " << misfit.toStdString();
    }

private:
    QString m_name;
    std::function<void(CDialog&)> m_drive;
    int m_depth = 0;
    int m_seen = 0;
};

const QString kSamples = VANDREL_SOURCE_DIR "/samples";

void clickItem(CDialog& d, UINT id)
{
    if (auto* button = dynamic_cast<CButton*>(d.GetDlgItem(static_cast<int>(id))))
        qobject_cast<QAbstractButton*>(button->widget())->click();
    QCoreApplication::processEvents();
}

} // namespace

TEST(DialogsFit, TheViewersAndPickersOfTheDialogsMenu)
{
    if (!skipReason.empty())
        GTEST_SKIP() << skipReason;
    QWidget owner;
    QPlainTextEdit log;
    DialogsMenu menu(kSamples, &log, &owner);
    Measuring m;
    m.open("view-slide", [&] { menu.viewSlide(); });
    m.open("view-file", [&] { menu.viewFile(); });
    m.open("view-thumbnail", [&] { menu.viewThumbnail(); });
    m.open("view-drawing", [&] { menu.viewDrawing(); });
    m.open("view-rich", [&] { menu.viewRichText(); });
    m.open("file-viewer", [&] { menu.fileViewer(); });
    m.open("aci-color", [&] { menu.pickColour(1); });
    m.open("aci-color-ko", [&] { menu.pickColour(0); });
    m.open("get-path", [&] { menu.pickFolder(); });
    m.open("icon-menu", [&] { menu.iconMenu(); });
    m.open("input-text", [&] { menu.inputText(); });
    m.open("find", [&] { menu.findParameter(); });
    m.open("about", [] {
        KivDlgAbout(nullptr, nullptr, "Vandrel Studio", "Version " VANDREL_VERSION, "CAD desktop libraries on Qt",
            "https://example.org/vandrel", "vandrel@example.org");
    });
    ASSERT_EQ(KivDlgProgressStart(nullptr, "Simulated job", 100), 1);
    KivDlgProgressShow("Working on step 100 of 100", 100);
    m.look(*KivDlgProgressWindow(), "progress");
    KivDlgProgressClose();
}

TEST(DialogsFit, TheApplicationDialogs)
{
    if (!skipReason.empty())
        GTEST_SKIP() << skipReason;
    MessageBoxRecorder boxes;
    Measuring m;
    m.open("airfoil", [] {
        int type = 1, nodes = 180;
        double camber = 2, position = 40, thickness = 12;
        char folder[260], file[260] = "NACA2412.DAT";
        std::snprintf(folder, sizeof folder, "%s/airfoil/", kSamples.toStdString().c_str());
        KivDlgAppAirfoil(nullptr, &type, &camber, &position, &thickness, &nodes, folder, file);
    });
    m.open("slide-manager", [] {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(kSamples + "/slides");
        KivDlgAppSlideManager(nullptr);
        QDir::setCurrent(previous);
    });
    m.open("command-history", [] {
        CStringList history;
        history.AddTail("LINE 0,0 100,0");
        char chosen[256] = "";
        KivDlgAppCmdHist(nullptr, &history, chosen);
    });
    m.open("drawing-file", [] {
        char chosen[260] = "";
        KivDlgAppDwgFile(nullptr, (kSamples + "/drawings").toStdString().c_str(), chosen, nullptr);
    });
    m.open("timer", [] {
        CKivTimerCtrl timer;
        KivDlgAppTimer(nullptr, &timer);
    });
    // The property editor opens from the manager's Append button.
    m.open(
        "user-properties",
        [] {
            KivParamList props;
            props.addParam("Author", "Vandrel");
            KivDlgAppUserProp(nullptr, &props);
        },
        [](CDialog& d) {
            if (d.GetDlgItem(kivappdlg::IDC_USERPROP_LIST))
                clickItem(d, kivappdlg::IDC_USERPROP_APPEND);
            d.EndDialog(IDCANCEL);
        });
}

TEST(DialogsFit, TheImageEditorsDialogs)
{
    if (!skipReason.empty())
        GTEST_SKIP() << skipReason;
    CLeadBitmap image;
    ASSERT_EQ(KivLeadLoadFile((kSamples + "/images/clouds.jpg").toStdString().c_str(), &image), KIVLEAD_SUCCESS);
    Measuring m;
    int a = 0, b = 0, c = 0;
    m.open("edit-flip", [&] { KivDlgEditFlip(&image, &a, &b); });
    m.open("edit-rotate", [&] { KivDlgEditRotate(&image, &a); });
    m.open("edit-level", [&] { KivDlgEditLevel(&image, &a, &b, &c); });
    m.open("edit-color", [&] { KivDlgEditColor(&image, &a, &b, &c); });
    m.open("edit-size", [&] { KivLeadDlgSize(nullptr, &a, &b); });
    m.open("edit-spatial-filter", [&] { KivLeadDlgSpatialFilter(nullptr, &a); });
    m.open("edit-color-resolution", [&] { KivLeadDlgColorResolution(nullptr, &a, &b); });
}

int main(int argc, char** argv)
{
    // --scale=2 runs every dialog at twice the desktop's scale.
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--scale=", 8) == 0)
            qputenv("QT_SCALE_FACTOR", argv[i] + 8);
    skipReason = testsupport::useFixtureDisplay();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
