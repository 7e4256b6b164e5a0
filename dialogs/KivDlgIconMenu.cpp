// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgIconMenu.h"

#include "controls/KivThumbList.h"
#include "dialogs/CKivInputTextDlg.h"
#include "dialogs/KivDlgAbout.h"
#include "dialogs/KivDlgFileViewer.h"
#include "dialogs/resources.h"
#include "platform/services/MessageBox.h"

#include <algorithm>
#include <cstring>

using namespace kivdlg;

namespace {

int orDefault(int value, int fallback, int most)
{
    return value < 1 ? fallback : std::min(value, most);
}

QSize sizeOf(CWnd* w)
{
    return w ? w->size() : QSize();
}

} // namespace

CKivIconMenuDlg::CKivIconMenuDlg(QWidget* parent, KivThumbList* list, const char* title, const char* supportPath,
    const char* data, int cols, int rows, int cellWidth, int cellHeight)
    : CKivDialog(IDD_ICON_MENU, parent), m_pList(list), m_strTitle(title ? title : ""),
      m_strSupportPath(supportPath ? supportPath : ""), m_strData(data ? data : ""),
      // A page is made of windows: more than a screenful only hangs.
      m_nCols(orDefault(cols, 3, 64)), m_nRows(orDefault(rows, 3, 64)), m_nCellWidth(orDefault(cellWidth, 120, 4096)),
      m_nCellHeight(orDefault(cellHeight, 90, 4096))
{
}

CKivIconMenuDlg::~CKivIconMenuDlg()
{
    if (m_pList) {
        m_pList->removeData();
        delete m_pList;
    }
}

BOOL CKivIconMenuDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    m_listBox.SubclassDlgItem(IDC_ICON_LIST, this);
    m_split.SubclassDlgItem(IDC_ICON_SPLIT, this);
    m_browser.SubclassDlgItem(IDC_ICON_BROWSER, this);
    m_browser.SetViewer(KivDlgFileViewer);
    m_browser.SetSupportPath(m_strSupportPath.c_str());
    SetWindowText(m_strTitle.c_str());

    const int m = kMargin;
    const QSize prev = sizeOf(GetDlgItem(IDC_ICON_PREV));
    // The client area is what the cells need: the window's frame comes on top.
    resize(m + m_nCellWidth * m_nCols + 2 * m + 3 * prev.width(), prev.height() + m_nCellHeight * m_nRows + 3 * m);
    Layout(width(), height());
    CenterWindow();

    if (m_pList) {
        const int index = m_pList->findData(m_strData.c_str());
        KivThumbList* list = m_pList;
        m_pList = nullptr; // the browser's now
        m_browser.SetThumbList(list);
        m_browser.SetNavButton(GetDlgItem(IDC_ICON_PREV), GetDlgItem(IDC_ICON_NEXT));
        m_browser.SetLabelStyle(2);
        m_browser.SetFocus(1);
        m_browser.SetLabelState(0);
        m_browser.SetLargeView(0);
        m_browser.MakeThumb(m_nCols, m_nRows);
        m_browser.ViewThumb(0);
        for (int i = 0; i < list->getCount(); ++i)
            m_listBox.AddString(list->getAt(i)->label);
        if (index >= 0)
            m_browser.SetCurSel(index);
        SyncListToBrowser();
    }
    // The double click comes before the posted change of selection: the
    // row clicked is the choice.
    QObject::connect(m_listBox.widget(), &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = m_listBox.widget()->row(item);
        if (row >= 0)
            m_browser.SetCurSel(row);
        OnOK();
    });
    m_split.SetRedraw(1);
    m_split.AddLeft(&m_listBox);
    m_split.AddRight(&m_browser);
    m_ready = true;
    return TRUE;
}

void CKivIconMenuDlg::SyncListToBrowser()
{
    m_syncing = true;
    const int index = m_browser.GetCurSel();
    m_listBox.widget()->setCurrentRow(index);
    if (index < 0)
        m_listBox.widget()->clearSelection();
    m_syncing = false;
}

BOOL CKivIconMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    switch (id) {
    case IDC_ICON_BROWSER:
        if (code == CKivStatic::kDoubleClickCode) {
            SyncListToBrowser();
            OnOK();
        } else if (code == STN_CLICKED) {
            SyncListToBrowser();
        }
        return TRUE;
    case IDC_ICON_LIST:
        if (code == LBN_SELCHANGE && !m_syncing) {
            const int row = m_listBox.widget()->currentRow();
            if (row >= 0)
                m_browser.SetCurSel(row);
        }
        return TRUE;
    case IDC_ICON_PREV: m_browser.PagePrev(); return TRUE;
    case IDC_ICON_NEXT: m_browser.PageNext(); return TRUE;
    case IDC_ICON_ABOUT: {
        const HINSTANCE res = AfxGetResourceHandle();
        KivDlgAbout(this, nullptr, res->string(IDS_ICON_MENU).c_str(), res->string(IDS_VERSION).c_str(),
            "Pick an item from its picture", "https://example.org/vandrel", "vandrel@example.org");
        return TRUE;
    }
    default: return CKivDialog::OnCommand(wParam, lParam);
    }
}

void CKivIconMenuDlg::OnOK()
{
    const KivThumbList* list = m_browser.GetThumbList();
    const char* data = list ? list->getData() : nullptr;
    if (!data || !*data) {
        MessageBox(this, "No Selection!", AfxGetResourceHandle()->string(IDS_ICON_MENU).c_str(), MB_OK | MB_ICONSTOP);
        return;
    }
    m_strData = CKivInputTextDlg::CutUtf8(data, kDataSize - 1);
    CKivDialog::OnOK();
}

void CKivIconMenuDlg::OnSize(UINT type, int cx, int cy)
{
    CKivDialog::OnSize(type, cx, cy);
    if (m_ready)
        Layout(cx, cy);
}

void CKivIconMenuDlg::Layout(int cx, int cy)
{
    const int m = kMargin;
    CWnd* prev = GetDlgItem(IDC_ICON_PREV);
    CWnd* next = GetDlgItem(IDC_ICON_NEXT);
    CWnd* about = GetDlgItem(IDC_ICON_ABOUT);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    CWnd* ok = GetDlgItem(IDOK);
    if (!prev || !next || !about || !cancel || !ok)
        return;
    const auto place = [cy, m](CWnd* w, int x) { w->MoveWindow(x, cy - m - w->height(), w->width(), w->height()); };
    place(prev, m);
    place(next, m + prev->width() + m);
    const int aboutX = cx - m - about->width();
    place(about, aboutX);
    const int cancelX = aboutX - about->width() - 2 * m;
    place(cancel, cancelX);
    place(ok, cancelX - cancel->width() - m);
    const int h = std::max(0, cy - 3 * m - prev->height());
    m_listBox.MoveWindow(m, m, m_listBox.width(), h);
    m_split.MoveWindow(m + m_listBox.width(), m, m_split.width(), h);
    const int bx = m + m_listBox.width() + m_split.width();
    m_browser.MoveWindow(bx, m, std::max(0, cx - m - bx), h);
    // The frame around the client area, as the split bar measures windows.
    const QPoint client = mapToGlobal(QPoint(0, 0)) - frameGeometry().topLeft();
    m_split.SetOffset(client.x(), client.y());
}

int KivDlgIconMenu(HWND owner, KivThumbList* list, const char* title, const char* supportPath, char* data, int cols,
    int rows, int cellWidth, int cellHeight)
{
    return CallWithResources(KivDlgResources(), [&] {
        CKivIconMenuDlg dialog(owner, list, title, supportPath, data, cols, rows, cellWidth, cellHeight);
        if (dialog.DoModal() != IDOK)
            return 0;
        if (data) {
            const CString& chosen = dialog.GetData();
            std::memcpy(data, chosen.c_str(), chosen.size() + 1);
        }
        return 1;
    });
}
