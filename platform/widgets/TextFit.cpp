// SPDX-License-Identifier: MIT
#include "platform/widgets/TextFit_p.h"

#include "platform/base/WinMessages.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CStatic.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace textfit {

namespace {

using namespace vandrel::win32;

// The frame of a push button and a little air on each side of its text.
constexpr int kButtonPadding = 6;
// A group box's title starts after a short stretch of its frame.
constexpr int kGroupTitlePadding = 10;
// The frame's icon and its minimise, maximise and close buttons.
constexpr int kTitleFrame = 110;

// What "&Save" shows: "Save"; "&&" is one '&'.
QString shownText(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

int staticWidth(const CStatic& label)
{
    const DWORD style = label.GetStyle();
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_ETCHEDHORZ || type == SS_ICON || label.GetIcon())
        return 0;
    const QString text = QString::fromStdString(label.GetWindowText());
    if (text.isEmpty())
        return 0;
    const QFontMetrics metrics = label.fontMetrics();
    const int flags = Qt::TextWordWrap | (style & SS_NOPREFIX ? 0 : Qt::TextShowMnemonic);
    // One line always fits: a template's label is often a pixel or two
    // lower than the desktop's line.
    const int lines = std::max(label.height(), metrics.height());
    const int oneLine = metrics.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), flags & ~Qt::TextWordWrap, text).width();
    const auto fits = [&](int width) {
        const QRect needed = metrics.boundingRect(QRect(0, 0, width, 1 << 20), flags, text);
        return needed.height() <= lines && needed.width() <= width;
    };
    // The narrowest width between the label's own and one line's that holds
    // the text: a wider label never needs more lines.
    int narrow = std::max(1, label.width()), wide = std::max(narrow, oneLine);
    while (narrow < wide) {
        const int middle = narrow + (wide - narrow) / 2;
        if (fits(middle))
            wide = middle;
        else
            narrow = middle + 1;
    }
    return narrow;
}

int buttonWidth(const CButton& button)
{
    const QWidget* inner = button.widget();
    if (const auto* group = qobject_cast<const QGroupBox*>(inner))
        return group->title().isEmpty()
            ? 0
            : group->fontMetrics().horizontalAdvance(shownText(group->title())) + 2 * kGroupTitlePadding;
    if (qobject_cast<const QCheckBox*>(inner) || qobject_cast<const QRadioButton*>(inner))
        return inner->sizeHint().width();
    if (const auto* push = qobject_cast<const QPushButton*>(inner))
        return push->text().isEmpty()
            ? 0
            : push->fontMetrics().horizontalAdvance(shownText(push->text())) + 2 * kButtonPadding;
    return 0;
}

// Opens a column of width delta at x: controls right of it move over,
// those across it (and grown, which ends there) grow.
void openColumn(QWidget& dialog, int x, int delta, const QWidget* grown)
{
    for (QObject* child : dialog.children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow())
            continue;
        QRect g = control->geometry();
        if (control == grown || (g.left() < x && g.right() + 1 >= x))
            g.setWidth(g.width() + delta);
        else if (g.left() >= x)
            g.translate(delta, 0);
        else
            continue;
        control->setGeometry(g);
    }
    dialog.resize(dialog.width() + delta, dialog.height());
}

} // namespace

int NeededWidth(const QWidget& control)
{
    if (const auto* button = dynamic_cast<const CButton*>(&control))
        return buttonWidth(*button);
    if (const auto* label = dynamic_cast<const CStatic*>(&control))
        return staticWidth(*label);
    return 0;
}

int TitleWidth(const QWidget& window)
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + kTitleFrame;
}

void FitTexts(QWidget& dialog)
{
    // Its style's measures hold once a widget is polished; before, a check
    // box may claim less room than it takes on the screen.
    dialog.ensurePolished();
    if (dialog.layout()) {
        dialog.setMinimumWidth(std::max(dialog.minimumWidth(), TitleWidth(dialog)));
        return;
    }
    // A runaway text (a long path) may not stretch the dialog past the
    // screen; one that is larger than the screen to begin with (a small
    // screen at a large scale) may still grow by half.
    const QScreen* screen = dialog.screen();
    const int widest = std::max(screen ? screen->availableGeometry().width() : 1 << 20, dialog.width() * 3 / 2);
    for (QObject* child : dialog.children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow() || control->isHidden())
            continue;
        const int delta = std::min(NeededWidth(*control) - control->width(), widest - dialog.width());
        if (delta > 0)
            openColumn(dialog, control->geometry().right() + 1, delta, control);
    }
    // A wider title widens the dialog on both sides, its controls centred.
    const int delta = std::min(TitleWidth(dialog) - dialog.width(), widest - dialog.width());
    if (delta > 0) {
        for (QObject* child : dialog.children())
            if (auto* control = qobject_cast<QWidget*>(child); control && !control->isWindow())
                control->move(control->x() + delta / 2, control->y());
        dialog.resize(dialog.width() + delta, dialog.height());
    }
}

} // namespace textfit
