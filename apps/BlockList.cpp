// SPDX-License-Identifier: MIT
#include "BlockList.h"

#include "cad/KivDxfFile.h"
#include "platform/io/PathNoCase.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

// The DXF copy of a DWG drawing: the same name with ".dxf" in any case,
// looked up as the libraries look up every name (only the file's own name
// is folded); empty when there is no such file.
QString dxfCopy(const QFileInfo& drawing)
{
    const QByteArray wanted = QFile::encodeName(drawing.absoluteDir().filePath(drawing.completeBaseName() + ".dxf"));
    const QString found = QFile::decodeName(QByteArray::fromStdString(ResolvePathNoCase(wanted.constData())));
    return QFileInfo(found).isFile() ? found : QString();
}

} // namespace

QStringList BlockList::Names(const QString& drawing, QString* why, QString* readFrom)
{
    const QFileInfo info(drawing);
    QString dxf = info.suffix().compare("dxf", Qt::CaseInsensitive) == 0 ? info.absoluteFilePath() : dxfCopy(info);
    if (dxf.isEmpty()) {
        *why = QString("%1 keeps its blocks in a form this program does not read. A DXF copy beside it (%2.dxf) "
                       "would list them.")
                   .arg(info.fileName(), info.completeBaseName());
        return {};
    }
    if (readFrom)
        *readFrom = dxf;
    KivDxfFile file;
    if (!file.Open(QFile::encodeName(dxf).constData())) {
        *why = QString("%1: %2").arg(QFileInfo(dxf).fileName(), QString::fromStdString(file.GetError()));
        return {};
    }
    QStringList names;
    for (const KivDxfBlock& block : file.GetBlocks())
        if (!block.name.empty() && block.name[0] != '*')
            names << QString::fromStdString(block.name);
    if (names.isEmpty())
        *why = QString("%1 has no named blocks.").arg(QFileInfo(dxf).fileName());
    return names;
}

BlockList::BlockList(const QString& drawing, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString("Block List — %1").arg(QFileInfo(drawing).fileName()));
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel;
    m_heading->setWordWrap(true);
    layout->addWidget(m_heading);
    m_names = new QListWidget;
    layout->addWidget(m_names, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    QString why, readFrom;
    const QStringList names = Names(drawing, &why, &readFrom);
    if (names.isEmpty()) {
        m_heading->setText(why);
        m_names->hide();
    } else {
        const QString source = QFileInfo(readFrom).fileName();
        m_heading->setText(names.size() == 1 ? QString("1 block, read from %1").arg(source)
                                             : QString("%1 blocks, read from %2").arg(names.size()).arg(source));
        m_names->addItems(names);
        m_names->setCurrentRow(0);
    }
    resize(360, names.isEmpty() ? 120 : 320);
}

void BlockList::Show(QWidget* owner, const char* drawing)
{
    BlockList list(QFile::decodeName(drawing ? drawing : ""), owner);
    list.exec();
}

QString BlockList::heading() const
{
    return m_heading->text();
}

QStringList BlockList::shown() const
{
    QStringList names;
    for (int i = 0; i < m_names->count(); ++i)
        names << m_names->item(i)->text();
    return names;
}
