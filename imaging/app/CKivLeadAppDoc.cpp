// SPDX-License-Identifier: MIT
#include "imaging/app/CKivLeadAppDoc.h"

#include "imaging/app/KivLeadAppContext.h"
#include "imaging/devices/KivLeadDevices.h"
#include "platform/docview/CView.h"
#include "platform/io/AtomicFile.h"
#include "platform/services/MessageBox.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPolygon>
#include <QTemporaryFile>

#include <algorithm>
#include <filesystem>
#include <string>

using namespace vandrel::win32;

CKivLeadAppDoc::CKivLeadAppDoc() = default;

int CKivLeadAppDoc::CountPages()
{
    int count = 0;
    UpdateAllViews(nullptr, kHintCountPages, &count);
    return count;
}

CKivLeadAppDoc::~CKivLeadAppDoc() = default;

BOOL CKivLeadAppDoc::CanActOnPage() const
{
    return KivLeadFormatOfPageCode(m_nFormat) != KIVLEAD_FORMAT_UNKNOWN;
}

int CKivLeadAppDoc::saveImage(const char* path, int page, unsigned flags)
{
    if (page < 0)
        return KIVLEAD_ERROR_PAGE_NOT_FOUND; // the page shown is no longer in the file
    KivLeadFileInfo info;
    int status = KivLeadGetFileInfo(path, &info);
    if (status != KIVLEAD_SUCCESS)
        return status;
    m_SaveOptions.page = page + 1;
    m_SaveOptions.flags = flags;
    return KivLeadSaveFile(
        path, &m_Bitmap, info.format, info.bitsPerPixel, -1, m_SaveOptions.page, m_SaveOptions.flags);
}

int CKivLeadAppDoc::saveCopy(const char* path)
{
    // Saved under another name, a multi-page file keeps every page. The
    // copy gets its changed page beside the target, so the target is
    // replaced only by the finished file, once.
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    QTemporaryFile work(QString::fromStdString((folder / ".vandrel-save-XXXXXX").string()));
    if (!work.open())
        return KIVLEAD_ERROR_FILE_WRITE;
    work.close();
    const std::string temp = work.fileName().toStdString();
    if (!AtomicFile::Copy(GetPathName(), temp))
        return KIVLEAD_ERROR_FILE_WRITE;
    const int status = saveImage(temp.c_str(), m_nCurrentPage, KIVLEAD_SAVE_REPLACE);
    if (status != KIVLEAD_SUCCESS)
        return status;
    return AtomicFile::Copy(temp, path) ? KIVLEAD_SUCCESS : KIVLEAD_ERROR_FILE_WRITE;
}

namespace {

// The page questions name the file in their caption, after the
// application's name: with several pictures open, the user sees which one.
int askAbout(const char* file, const char* text, UINT type)
{
    const QString app = QCoreApplication::applicationName();
    const QString name = QFileInfo(QString::fromUtf8(file ? file : "")).fileName();
    const QString caption = (app.isEmpty() ? QString("Vandrel") : app) + (name.isEmpty() ? QString() : " - " + name);
    return MessageBox(AfxGetMainWnd(), text, caption.toUtf8().constData(), type);
}

} // namespace

int CKivLeadAppDoc::SaveModified(int page, const char* file)
{
    if (!m_bMultiPage)
        return CDocument::SaveModified() ? 1 : 0;
    if (page < 0)
        return 1; // the page shown left the file, and its changes with it
    // The application's name is the boxes' caption.
    int answer = IDYES;
    if (m_pApp && m_pApp->m_bPromptSavePage) {
        if (!m_bAutoSave) {
            const std::string text
                = "Page " + std::to_string(page + 1) + " has been changed. Do you want to save changes?";
            answer = askAbout(file, text.c_str(), MB_YESNOCANCEL | MB_ICONQUESTION);
        }
    } else {
        if (!IsModified())
            return 1;
        answer = askAbout(file, "Image has been changed. Do you want to save changes?",
            MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3);
    }
    if (answer == IDCANCEL)
        return 0;
    if (answer == IDNO) {
        SetModifiedFlag(0);
        return 1;
    }
    const int status = saveImage(file, page, KIVLEAD_SAVE_REPLACE);
    if (status != KIVLEAD_SUCCESS) {
        if (m_pApp)
            m_pApp->DisplayError(status);
        return 0;
    }
    UpdateAllViews(nullptr, kHintPageSaved, &page);
    SetModifiedFlag(0);
    return 1;
}

BOOL CKivLeadAppDoc::SaveModified()
{
    if (!IsModified())
        return 1;
    if (m_bMultiPage && !GetPathName().empty())
        return SaveModified(m_nCurrentPage, GetPathName().c_str());
    return CDocument::SaveModified();
}

BOOL CKivLeadAppDoc::OnOpenDocument(const char* path)
{
    if (!path)
        return 0;
    const int page = m_pApp ? m_pApp->m_LoadOptions.page : 1;
    KivLeadFileInfo info;
    int status = KivLeadGetFileInfo(path, &info);
    if (status == KIVLEAD_SUCCESS)
        status = KivLeadLoadFile(path, &m_Bitmap, 0, page);
    if (status != KIVLEAD_SUCCESS) {
        if (m_pApp)
            m_pApp->DisplayError(status);
        return 0;
    }
    m_nFormat = KivLeadCodeOfFormat(info.format);
    m_bMultiPage = info.pages > 1 && CanActOnPage() ? 1 : 0;
    m_nCurrentPage = page - 1;
    DeleteUndo();
    return 1;
}

BOOL CKivLeadAppDoc::OnNewDocument()
{
    CDocument::OnNewDocument();
    const int source = m_pApp ? m_pApp->m_nNewDocSource : KivLeadAppContext::kSourceNone;
    if (source == KivLeadAppContext::kSourceNone)
        return KivLeadCreateBitmap(&m_Bitmap, 640, 480, 24, RGB(255, 255, 255)) == KIVLEAD_SUCCESS;
    const int status = CreateFromSource(source);
    if (status != KIVLEAD_SUCCESS) {
        if (m_pApp)
            m_pApp->DisplayError(status);
        return 0;
    }
    static const char* const titles[] = {"Untitled", "Capture", "Clipboard", "Plane", "Scan", "Merge"};
    SetTitle(source >= 0 && source <= 5 ? titles[source] : "Untitled");
    // A picture from elsewhere has no file yet: it counts as a change.
    SetModifiedFlag(1);
    return 1;
}

int CKivLeadAppDoc::CreateFromSource(int source)
{
    switch (source) {
    case KivLeadAppContext::kSourceCapture: return m_pApp->CaptureImage(&m_Bitmap);
    case KivLeadAppContext::kSourcePaste: return KivLeadPaste(&m_Bitmap);
    case KivLeadAppContext::kSourceAcquire: return KivLeadScanAcquireAny(m_pApp->GetScanDevice().c_str(), &m_Bitmap);
    case KivLeadAppContext::kSourceSeparation:
        return m_pApp->m_pPendingPlane ? KivLeadCopyBitmap(&m_Bitmap, m_pApp->m_pPendingPlane)
                                       : KIVLEAD_ERROR_INVALID_ARGUMENT;
    case KivLeadAppContext::kSourceMerge: {
        // The first three open grey images of one size, as red, green and blue.
        std::vector<CLeadBitmap*> planes;
        for (CKivLeadAppDoc* doc : m_pApp->EnumAllDocuments()) {
            CLeadBitmap* b = &doc->m_Bitmap;
            if (doc == this || !b->IsAllocated() || b->BitsPerPixel() != 8)
                continue;
            if (!planes.empty() && (b->Width() != planes[0]->Width() || b->Height() != planes[0]->Height()))
                continue;
            planes.push_back(b);
            if (planes.size() == 3)
                break;
        }
        if (planes.size() < 3)
            return KIVLEAD_ERROR_INVALID_ARGUMENT;
        return KivLeadMerge(&m_Bitmap, planes.data(), 0);
    }
    default: return KIVLEAD_ERROR_INVALID_ARGUMENT;
    }
}

BOOL CKivLeadAppDoc::OnSaveDocument(const char* path)
{
    if (!path || !m_Bitmap.IsAllocated())
        return 0;
    int status;
    const int requested = KivLeadFormatFromName(path);
    // A file of several images that the document does not hold as pages
    // (icons, animations): written in place, it would keep only this one.
    KivLeadFileInfo own;
    const bool inPlace
        = !m_bMultiPage && path == GetPathName() && KivLeadGetFileInfo(path, &own) == KIVLEAD_SUCCESS && own.pages > 1;
    if (inPlace && !KivLeadFormatHoldsPages(own.format)) {
        const std::string text = "This file holds " + std::to_string(own.pages)
            + " images; saving it here would keep only this one. Use Save As to write the image to another file.";
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    if ((m_bMultiPage && path == GetPathName()) || inPlace) {
        status = saveImage(path, m_bMultiPage ? m_nCurrentPage : std::max(0, m_nCurrentPage), KIVLEAD_SAVE_REPLACE);
    } else if (m_bMultiPage && (requested == KIVLEAD_FORMAT_UNKNOWN || requested == KivLeadFormatOfCode(m_nFormat))) {
        status = saveCopy(path);
    } else {
        // A new file (or a one-page one) is written whole, in the format
        // its name asks for, else the one it was read in.
        int format = requested;
        if (format == KIVLEAD_FORMAT_UNKNOWN)
            format = KivLeadFormatOfCode(m_nFormat);
        if (format == KIVLEAD_FORMAT_UNKNOWN)
            format = KIVLEAD_FORMAT_PNG;
        status = KivLeadSaveFile(path, &m_Bitmap, format, 0, 2);
        if (status == KIVLEAD_SUCCESS) {
            // The new file holds this page alone: the old file's pages leave the list.
            if (m_bMultiPage)
                UpdateAllViews(nullptr, kHintPagesGone);
            m_nFormat = KivLeadCodeOfFormat(format);
            m_bMultiPage = 0;
            m_nCurrentPage = 0;
        }
    }
    if (status != KIVLEAD_SUCCESS) {
        if (m_pApp)
            m_pApp->DisplayError(status);
        return 0;
    }
    if (m_bMultiPage) {
        int page = m_nCurrentPage;
        UpdateAllViews(nullptr, kHintPageSaved, &page);
    }
    SetModifiedFlag(0);
    return 1;
}

void CKivLeadAppDoc::OnCloseDocument()
{
    // Views that show the image let go of it before it is freed.
    UpdateAllViews(nullptr, kHintClosing);
    KivLeadFreeBitmap(&m_Bitmap);
    DeleteUndo();
    CDocument::OnCloseDocument();
}

CString CKivLeadAppDoc::GetFileFilter() const
{
    return KivLeadSaveFilter();
}

int CKivLeadAppDoc::SetRgnRect(const QTransform& transform, const QRect& rect, int mode)
{
    return KivLeadSetRegionPolygon(&m_Bitmap, transform.map(QPolygon(rect)), mode);
}

int CKivLeadAppDoc::SetRgnEllipse(const QTransform& transform, const QRect& rect, int mode)
{
    if (transform.isIdentity())
        return KivLeadSetRegionEllipse(&m_Bitmap, rect, mode);
    return KivLeadSetRegionEllipse(&m_Bitmap, transform.mapRect(rect), mode);
}

void CKivLeadAppDoc::TakeUndo()
{
    auto snapshot = std::make_unique<CLeadBitmap>();
    if (KivLeadCopyBitmap(snapshot.get(), &m_Bitmap) == KIVLEAD_SUCCESS)
        m_pUndo = std::move(snapshot);
    else
        m_pUndo.reset();
}

void CKivLeadAppDoc::DeleteUndo()
{
    m_pUndo.reset();
}

bool CKivLeadAppDoc::Undo()
{
    if (!m_pUndo)
        return false;
    KivLeadCopyBitmap(&m_Bitmap, m_pUndo.get());
    m_pUndo.reset();
    return true;
}
