// SPDX-License-Identifier: MIT
// The studio's "Dialogs" menu: every viewer and picker of the common dialogs
// on the bundled samples (slides, a slide library, drawings, a rich text
// with Korean, the airfoil files), each result written to the log pane.
#pragma once

#include <QMenu>
#include <QPlainTextEdit>
#include <QString>

class DialogsMenu : public QMenu {
public:
    // samples: the folder holding slides/, drawings/, texts/ and airfoil/;
    // log: where each call's result goes; owner: the dialogs' owner.
    DialogsMenu(const QString& samples, QPlainTextEdit* log, QWidget* owner);

    // One per menu entry; each gives the function's result and logs it.
    int viewSlide();
    int viewFile();
    int viewThumbnail();
    int viewDrawing();
    int viewDrawingWithoutPreview();
    int viewRichText();
    int viewPlainText();
    int fileViewer();
    int pickColour(int language);
    int pickFolder();
    int iconMenu();
    int inputText();
    int findParameter();

private:
    QString sample(const char* relative) const;
    int log(const QString& call, int result, const QString& output = {});

    QString m_samples;
    QPlainTextEdit* m_log;
    QWidget* m_owner;
    int m_colour = 1;
    QString m_folder;
    QString m_icon;
    QString m_text = "Layer 7";
};
