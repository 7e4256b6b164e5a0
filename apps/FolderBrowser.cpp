#include "FolderBrowser.h"

#include "LargeViewer.h"

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
    m_status.setIndent(6);
    resize(4 * kCellWidth + 16 + 8, 3 * kCellHeight + kBarHeight + kStatusHeight + 8);
}

int FolderBrowser::Open(const CString& folder)
{
    m_folder = folder;
    m_browser.ClearThumb();
    const int n = m_browser.AddDrawings(folder.c_str());
    SetWindowText(StringFormat("Browse: %s", folder.c_str()).c_str());
    resort();
    return n;
}

void FolderBrowser::resort()
{
    m_browser.Sort(m_sortKey.currentIndex(), m_descending.isChecked() ? 1 : 0);
    m_browser.MakeThumb(1, 1);
    m_browser.ViewThumb(0);
    showStatus();
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

BOOL FolderBrowser::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IdBrowser) {
        showStatus();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void FolderBrowser::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    m_sortKey.setGeometry(4, 3, 160, kBarHeight - 6);
    m_descending.setGeometry(172, 3, 120, kBarHeight - 6);
    m_browser.MoveWindow(0, kBarHeight, cx, std::max(cy - kBarHeight - kStatusHeight, 1));
    m_status.setGeometry(0, cy - kStatusHeight, cx, kStatusHeight);
}
