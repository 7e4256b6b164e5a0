// SPDX-License-Identifier: MIT
// The libraries' texts follow the user's locale. This program runs once
// each under ko_KR.UTF-8, en_US.UTF-8 and C.UTF-8 (LC_ALL, set by CTest): the
// Korean catalogue gives Korean for texts written in English, the English
// one English for texts written in Korean, the C locale today's texts, and
// the colour dialog's language argument wins over all of them.
#include "DialogTestSupport.h"

#include "core/KivCalculator.h"
#include "dialogs/KivDlgAciColor.h"
#include "dialogs/resources.h"
#include "imaging/widgets/resources.h"
#include "platform/base/Translation.h"
#include "platform/services/MessageBox.h"

#include <QLocale>
#include <QMenu>

using namespace dlgtest;

namespace {

enum class Language { Korean, English, Neither };

Language language()
{
    switch (QLocale::system().language()) {
    case QLocale::Korean: return Language::Korean;
    case QLocale::English: return Language::English;
    default: return Language::Neither;
    }
}

QStringList menuTexts(const kivlead::MenuItem* items, int count)
{
    QMenu menu;
    kivlead::BuildMenu(menu, items, count);
    QStringList texts;
    for (const QAction* a : menu.actions())
        if (a->menu())
            texts << a->text() + ">" + a->menu()->actions().first()->text();
        else if (!a->isSeparator())
            texts << a->text();
    return texts;
}

} // namespace

TEST(Locale, TheLocaleNamedByTheEnvironmentIsTheOneInForce)
{
    const QByteArray wanted = qgetenv("VANDREL_EXPECTED_LANGUAGE");
    ASSERT_FALSE(wanted.isEmpty()) << "run by CTest with LC_ALL and VANDREL_EXPECTED_LANGUAGE set";
    EXPECT_EQ(wanted, language() == Language::Korean ? "ko" : language() == Language::English ? "en" : "none");
}

TEST(Locale, TheColourDialogSpeaksTheLanguageItIsAskedFor)
{
    for (const int english : {0, 1}) {
        SCOPED_TRACE(english);
        int colour = 1;
        QString title, ok, cancel, group;
        runWith<CKivAciColorDlg>(
            [&](CKivAciColorDlg& d) {
                title = d.windowTitle();
                ok = QString::fromStdString(d.GetDlgItem(IDOK)->GetWindowText());
                cancel = QString::fromStdString(d.GetDlgItem(IDCANCEL)->GetWindowText());
                group = QString::fromStdString(d.GetDlgItem(kivdlg::IDC_ACI_STANDARD_GROUP)->GetWindowText());
                d.EndDialog(IDCANCEL);
            },
            [&] { return KivDlgAciColor(nullptr, &colour, 0, english); });
        EXPECT_EQ(title, english ? "Select Color" : "색상 선택");
        EXPECT_EQ(ok, english ? "OK" : "확인");
        EXPECT_EQ(cancel, english ? "Cancel" : "취소");
        EXPECT_EQ(group, english ? "Standard Colors" : "표준 색상");
    }
}

TEST(Locale, MenusAndDialogTemplatesFollowTheLocale)
{
    int count = 0;
    const kivlead::MenuItem* explorer = kivlead::ExplorerMenu(&count);
    const QStringList texts = menuTexts(explorer, count);
    ASSERT_EQ(texts.size(), 10);
    EXPECT_EQ(texts.at(0), language() == Language::Korean ? "큰 아이콘(&G)" : "Lar&ge Icons");
    EXPECT_EQ(texts.at(7), language() == Language::Korean ? "크기순(&Z)" : "by Si&ze");

    // The thumbnail menu is written in Korean: English readers get English.
    const kivlead::MenuItem* thumbs = kivlead::ThumbMenu(&count);
    const QStringList thumbTexts = menuTexts(thumbs, count);
    EXPECT_EQ(thumbTexts.at(0), language() == Language::English ? "&View..." : "확대(&V)...");
    EXPECT_TRUE(thumbTexts.contains(language() == Language::English ? "Wallpaper>&Center" : "배경화면>가운데(&C)"))
        << thumbTexts.join('|').toStdString();

    EXPECT_EQ(KivTranslateText("Dialog", "&Cancel"), language() == Language::Korean ? "취소(&C)" : "&Cancel");
    EXPECT_EQ(KivTranslateText("Dialog", "확인(&O)"), language() == Language::English ? "&OK" : "확인(&O)");
    EXPECT_EQ(KivTranslateText("Dialog", "no such text"), "no such text");
}

TEST(Locale, ACalculatorFailureSpeaksTheUsersLanguage)
{
    MessageBoxRecorder boxes;
    double result = 1;
    EXPECT_EQ(KivCalculator("1/0", &result), 0);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(
        boxes.shown()[0].text, language() == Language::English ? "Cannot divide by zero!" : "0으로 나눌 수 없습니다!");
    EXPECT_EQ(boxes.shown()[0].caption, language() == Language::Korean ? "오류" : "Error");

    // Every box speaks the user's language where the catalogue has the words.
    boxes.clear();
    AfxMessageBox("No Selection!", MB_OK);
    MessageBox(nullptr, "Are you sure?", "Confirm", MB_YESNO);
    MessageBox(nullptr, "A text no catalogue has", "Caption", MB_OK);
    ASSERT_EQ(boxes.shown().size(), 3u);
    const bool korean = language() == Language::Korean;
    EXPECT_EQ(boxes.shown()[0].text, korean ? "선택된 항목이 없습니다!" : "No Selection!");
    EXPECT_EQ(boxes.shown()[1].text, korean ? "계속하시겠습니까?" : "Are you sure?");
    EXPECT_EQ(boxes.shown()[1].caption, korean ? "확인" : "Confirm");
    EXPECT_EQ(boxes.shown()[2].text, "A text no catalogue has");
}
