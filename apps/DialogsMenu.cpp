// SPDX-License-Identifier: MIT
#include "DialogsMenu.h"

#include "cad/KivSlideFile.h"
#include "controls/KivThumbList.h"
#include "core/KivAciColor.h"
#include "core/KivParamList.h"
#include "dialogs/KivDlgAciColor.h"
#include "dialogs/KivDlgFileViewer.h"
#include "dialogs/KivDlgFindParam.h"
#include "dialogs/KivDlgGetPath.h"
#include "dialogs/KivDlgIconMenu.h"
#include "dialogs/KivDlgInputText.h"
#include "dialogs/KivDlgThumbSlide.h"
#include "dialogs/KivDlgViewDwg.h"
#include "dialogs/KivDlgViewFile.h"
#include "dialogs/KivDlgViewRich.h"
#include "dialogs/KivDlgViewSlide.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

std::string local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

DialogsMenu::DialogsMenu(const QString& samples, QPlainTextEdit* log, QWidget* owner)
    : QMenu("&Dialogs", owner), m_samples(QDir(samples).absolutePath()), m_log(log), m_owner(owner),
      m_folder(m_samples + "/")
{
    addAction("View &Slide…", this, [this] { viewSlide(); });
    addAction("View Slide in a ca&ller's dialog…", this, [this] { viewFile(); });
    addAction("View &Thumbnail (DEMO.SLB)…", this, [this] { viewThumbnail(); });
    addAction("View &Drawing…", this, [this] { viewDrawing(); });
    addAction("View Drawing &without preview…", this, [this] { viewDrawingWithoutPreview(); });
    addAction("View &RichText (Korean RTF)…", this, [this] { viewRichText(); });
    addAction("View &plain text…", this, [this] { viewPlainText(); });
    addAction("File &viewer of a thumbnail cell (drawing)…", this, [this] { fileViewer(); });
    addSeparator();
    addAction("Select &Color…", this, [this] { pickColour(1); });
    addAction("Select Color in &Korean…", this, [this] { pickColour(0); });
    addAction("Choose a &folder…", this, [this] { pickFolder(); });
    addAction("&Icon Menu…", this, [this] { iconMenu(); });
    addAction("I&nput String…", this, [this] { inputText(); });
    addAction("Find D&ata…", this, [this] { findParameter(); });
}

QString DialogsMenu::sample(const char* relative) const
{
    return m_samples + "/" + QString::fromUtf8(relative);
}

int DialogsMenu::log(const QString& call, int result, const QString& output)
{
    QString line = QString("%1 = %2").arg(call).arg(result);
    if (!output.isEmpty())
        line += "   " + output;
    if (m_log)
        m_log->appendPlainText(line);
    return result;
}

int DialogsMenu::viewSlide()
{
    const std::string file = local(sample("slides/HOUSE.SLD"));
    return log("KivDlgViewSlide(HOUSE.SLD)", KivDlgViewSlide(m_owner, file.c_str(), nullptr, -1, -1, 0, 0, 5, 1));
}

int DialogsMenu::viewFile()
{
    CKivViewSlideDlg dialog(m_owner);
    const std::string file = local(sample("slides/DEMO.SLB")) + "(WHEEL)";
    return log("KivDlgViewFile(DEMO.SLB(WHEEL), 520 x 380, margin 10)",
        KivDlgViewFile(&dialog, file.c_str(), "Wheel from the library", -1, -1, 520, 380, 10, 1));
}

int DialogsMenu::viewThumbnail()
{
    const std::string library = local(sample("slides/DEMO.SLB"));
    CStringArray names;
    KivSlideFile::GetSlideList(library.c_str(), &names);
    return log(QString("KivDlgThumbSlide(DEMO.SLB, %1 slides, 4 x 3)").arg(names.GetSize()),
        KivDlgThumbSlide(m_owner, library.c_str(), &names, 4, 3, 1, "DEMO.SLB", -1, -1, 0, 0, 5, 1));
}

int DialogsMenu::viewDrawing()
{
    const std::string file = local(sample("drawings/PLAN.DWG"));
    const std::string support = local(sample("drawings"));
    return log(
        "KivDlgViewDwg(PLAN.DWG)", KivDlgViewDwg(m_owner, file.c_str(), support.c_str(), nullptr, -1, -1, 0, 0, 5, 1));
}

int DialogsMenu::viewDrawingWithoutPreview()
{
    const std::string file = local(sample("drawings/BARE.DWG"));
    return log("KivDlgViewDwg(BARE.DWG)", KivDlgViewDwg(m_owner, file.c_str(), nullptr, nullptr, -1, -1, 0, 0, 5, 1));
}

int DialogsMenu::viewRichText()
{
    const std::string file = local(sample("texts/WELCOME.RTF"));
    return log("KivDlgViewRich(WELCOME.RTF)", KivDlgViewRich(m_owner, file.c_str(), "Welcome", -1, -1, 560, 420, 5, 1));
}

int DialogsMenu::viewPlainText()
{
    const std::string file = local(sample("texts/README.TXT"));
    return log("KivDlgViewRich(README.TXT)", KivDlgViewRich(m_owner, file.c_str(), nullptr, -1, -1, 0, 0, 5, 1));
}

int DialogsMenu::fileViewer()
{
    const std::string file = local(sample("drawings/PLAN.DWG"));
    const std::string support = local(sample("drawings"));
    return log("KivDlgFileViewer(2, PLAN.DWG)", KivDlgFileViewer(m_owner, 2, file.c_str(), support.c_str()));
}

int DialogsMenu::pickColour(int language)
{
    int colour = m_colour;
    const int result = KivDlgAciColor(m_owner, &colour, 1, language);
    if (result)
        m_colour = colour;
    char name[KivAciColor::kNameSize] = {};
    KivAciColor::GetName(m_colour, language != 0 ? 1 : 0, name);
    return log(QString("KivDlgAciColor(language %1)").arg(language), result,
        QString("colour %1 (%2)").arg(m_colour).arg(QString::fromUtf8(name)));
}

int DialogsMenu::pickFolder()
{
    char path[260];
    std::snprintf(path, sizeof path, "%s", local(m_folder).c_str());
    const int result = KivDlgGetPath(m_owner, "Choose a folder", path);
    if (result)
        m_folder = QFile::decodeName(path);
    return log("KivDlgGetPath", result, "path " + m_folder);
}

int DialogsMenu::iconMenu()
{
    // Ownership of the list goes to the dialog.
    auto* list = new KivThumbList;
    const QDir slides(sample("slides"));
    for (const QFileInfo& file : slides.entryInfoList({"*.SLD", "*.sld"}, QDir::Files, QDir::Name)) {
        const std::string name = local(file.completeBaseName());
        list->addItem(local(file.absoluteFilePath()).c_str(), (name + " (file)").c_str(), name.c_str());
    }
    const std::string library = local(sample("slides/DEMO.SLB"));
    CStringArray names;
    KivSlideFile::GetSlideList(library.c_str(), &names);
    for (int i = 0; i < names.GetSize(); ++i) {
        const std::string member = library + "(" + names.GetAt(i) + ")";
        list->addItem(member.c_str(), (names.GetAt(i) + " (DEMO.SLB)").c_str(), ("DEMO:" + names.GetAt(i)).c_str());
    }
    char data[256];
    std::snprintf(data, sizeof data, "%s", local(m_icon).c_str());
    const int result = KivDlgIconMenu(m_owner, list, "Pick a symbol", nullptr, data, 3, 2, 120, 90);
    if (result)
        m_icon = QString::fromUtf8(data);
    return log("KivDlgIconMenu", result, "data " + m_icon);
}

int DialogsMenu::inputText()
{
    char text[256];
    std::snprintf(text, sizeof text, "%s", m_text.toStdString().c_str());
    const int result = KivDlgInputText(m_owner, text, "Layer name:", "Input String", -1, -1);
    if (result)
        m_text = QString::fromUtf8(text);
    return log("KivDlgInputText", result, "text \"" + m_text + "\"");
}

int DialogsMenu::findParameter()
{
    // The bundled coordinate files: name and title line.
    KivParamList files;
    const QDir foils(sample("airfoil"));
    for (const QFileInfo& file : foils.entryInfoList(QDir::Files, QDir::Name)) {
        QFile f(file.absoluteFilePath());
        QString title;
        if (f.open(QIODevice::ReadOnly))
            title = QString::fromUtf8(f.readLine(256)).trimmed();
        files.addParam(local(file.fileName()).c_str(), title.toStdString().c_str());
    }
    int index = -1;
    const int result = KivDlgFindParam(m_owner, &files, &index, "Find Airfoil");
    const QString chosen = result && index >= 0 ? QString::fromUtf8(files.getParam(index)) : QString();
    files.removeData();
    return log("KivDlgFindParam", result, QString("index %1 %2").arg(index).arg(chosen));
}
