// SPDX-License-Identifier: MIT
#include "FolderBrowser.h"
#include "FileDrops.h"
#include "ScreenFit.h"

#include "LargeViewer.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
constexpr int kBarHeight = 28;
constexpr int kStatusHeight = 22;
} // namespace

FolderBrowser::FolderBrowser(QWidget* parent) : CWnd(parent)
{
    m_sortKey.addItems({"Sort by name", "Sort by size", "Sort by type", "Sort by date"});
    QObject::connect(&m_sortKey, &QComboBox::currentIndexChanged, this, [this] { resort(); });
    QObject::connect(&m_descending, &QCheckBox::toggled, this, [this] { resort(); });
    m_browser.SetImageSize(kCellWidth, kCellHeight);
    m_browser.SetLabelStyle(2); // the names AddDrawings keeps in each item's data
    m_browser.SetMultiSelect(1);
    m_browser.SetLargeView(1);
    m_browser.SetViewer(&LargeViewer::Open);
    m_browser.Create(WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, kBarHeight, 10, 10), this, IdBrowser);
    connect(&m_browser, &CWnd::notified, this, [this] { showStatus(); });
    // The grid finds its page size when it is laid out: the status line
    // follows once it has.
    m_browser.installEventFilter(this);
    m_status.setIndent(6);
    // The sort bar and the status line keep their heights; the grid takes
    // the rest.
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 3, 4, 3);
    bar->addWidget(&m_sortKey);
    bar->addWidget(&m_descending);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(&m_browser, 1);
    m_status.setFixedHeight(kStatusHeight);
    layout->addWidget(&m_status);
    // A folder dropped from a file manager is browsed; a file, its folder.
    FileDrops::accept(this, [this](const QStringList& paths) {
        const QFileInfo first(paths.first());
        Open((first.isDir() ? first.absoluteFilePath() : first.absolutePath()).toStdString());
    });
    resize(SizeOnScreen(this, QSize(4 * kCellWidth + 16 + 8, 3 * kCellHeight + kBarHeight + kStatusHeight + 8)));
}

int FolderBrowser::Open(const CString& folder)
{
    m_folder = folder;
    m_browser.ClearThumb();
    const int n = m_browser.AddDrawings(folder.c_str());
    SetWindowText(StringFormat("Browse: %s", folder.c_str()).c_str());
    resort();
    // The keys go to the grid from the start.
    m_browser.setFocus();
    return n;
}

void FolderBrowser::resort()
{
    m_browser.Sort(m_sortKey.currentIndex(), m_descending.isChecked() ? 1 : 0);
    m_browser.MakeThumb(1, 1);
    m_browser.ViewThumb(0);
    showStatus();
}

bool FolderBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_browser && event->type() == QEvent::Resize)
        QMetaObject::invokeMethod(
            this, [this] { showStatus(); }, Qt::QueuedConnection);
    return CWnd::eventFilter(watched, event);
}

void FolderBrowser::showStatus()
{
    const KivThumbList* list = m_browser.GetThumbList();
    const int n = list ? list->getCount() : 0;
    const int selected = m_browser.GetSelCount();
    const KivThumbItem* current = list ? list->getAt(m_browser.GetCurSel()) : nullptr;
    QString text = QString("%1 drawings, page %2 of %3").arg(n).arg(m_browser.GetPage()).arg(m_browser.GetPages());
    if (selected == 1 && current)
        text += QString(" - %1 (%2 bytes, %3)")
                    .arg(QString::fromUtf8(current->file))
                    .arg(current->size)
                    .arg(current->date);
    else if (selected > 1)
        text += QString(" - %1 selected").arg(selected);
    m_status.setText(text);
}
