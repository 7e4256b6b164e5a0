// SPDX-License-Identifier: MIT
#include "RecentFiles.h"

#include "platform/base/Translation.h"
#include "platform/services/MessageBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

QSettings settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Vandrel", QCoreApplication::applicationName());
}

} // namespace

RecentFiles::RecentFiles(const QString& key, QMenu* menu, std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), m_key(key), m_menu(menu), m_open(std::move(open))
{
    rebuild();
}

QStringList RecentFiles::files() const
{
    return settings().value(m_key).toStringList().mid(0, kMax);
}

void RecentFiles::save(const QStringList& files) const
{
    QSettings s = settings();
    s.setValue(m_key, files.mid(0, kMax));
}

void RecentFiles::add(const QString& path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(full);
    list.prepend(full);
    save(list);
    rebuild();
}

void RecentFiles::rebuild()
{
    m_menu->clear();
    const QStringList list = files();
    m_menu->setEnabled(!list.isEmpty());
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString file = list.at(i);
        // "&1 name": the number is the key; the name is data, not a text to translate.
        QAction* a = m_menu->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName().replace('&', "&&")));
        a->setToolTip(file);
        a->setStatusTip(file);
        a->setProperty("vandrelData", true);
        connect(a, &QAction::triggered, this, [this, file] {
            if (!QFileInfo::exists(file)) { // a file, or a folder the studio browsed
                QStringList left = files();
                left.removeAll(file);
                save(left);
                rebuild();
                MessageBox(m_menu->parentWidget(),
                    KivTranslateText("Studio", "%1 is no longer there.").arg(file).toUtf8().constData(),
                    QCoreApplication::applicationName().toUtf8().constData(), MB_OK | MB_ICONEXCLAMATION);
                return;
            }
            m_open(file);
        });
    }
    if (!list.isEmpty()) {
        m_menu->addSeparator();
        connect(m_menu->addAction(KivTranslateText("Studio", "&Clear List")), &QAction::triggered, this, [this] {
            save({});
            rebuild();
        });
    }
}
