// SPDX-License-Identifier: MIT
#include "LargeViewer.h"

#include "core/KivUtil.h"
#include "views/CKivDwgPreviewCtrl.h"
#include "views/CKivSlideViewCtrl.h"

#include <QPointer>
#include <QVBoxLayout>

namespace {
QPointer<LargeViewer> g_last;
}

LargeViewer::LargeViewer(int fileType, const CString& file)
{
    setAttribute(Qt::WA_DeleteOnClose);
    SetWindowText(KivUtil::GetFileName(file.c_str()).c_str());
    if (fileType == 1) {
        auto* slide = new CKivSlideViewCtrl(this);
        slide->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, 1006);
        slide->SetFile(file.c_str(), 0);
        m_view = slide;
    } else {
        auto* drawing = new CKivDwgPreviewCtrl(this);
        drawing->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, 1011);
        drawing->SetBackColor(RGB(255, 255, 255));
        drawing->SetImageBackColor(RGB(255, 255, 255));
        drawing->SetAutoSize(1);
        drawing->SetFile(file.c_str());
        m_view = drawing;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    resize(640, 480);
}

int LargeViewer::Open(HWND owner, int fileType, const char* file, const char* /*supportPath*/)
{
    if ((fileType != 1 && fileType != 2) || !file)
        return 1;
    auto* viewer = new LargeViewer(fileType, file);
    if (owner)
        viewer->move(owner->window()->geometry().topLeft() + QPoint(40, 40));
    viewer->show();
    g_last = viewer;
    return 1;
}

LargeViewer* LargeViewer::Last()
{
    return g_last.data();
}
