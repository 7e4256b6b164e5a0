// SPDX-License-Identifier: MIT
#include "imaging/app/CKivLeadApp.h"

#include "imaging/app/CKivLeadAppDoc.h"
#include "imaging/app/CKivLeadPageFrame.h"
#include "imaging/app/CKivLeadThumbView.h"
#include "imaging/devices/KivLeadDevices.h"
#include "imaging/widgets/KivLeadDlg.h"
#include "platform/docview/CCmdUI.h"
#include "platform/docview/CDocTemplate.h"
#include "platform/docview/CView.h"
#include "platform/services/MessageBox.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <string>

using namespace vandrel::win32;

namespace {
constexpr int kMenuCloseMs = 200; // the shortest wait before a capture
} // namespace

CKivLeadApp::CKivLeadApp() = default;

CKivLeadApp::CKivLeadApp(CString profilePath) : CWinApp(std::move(profilePath))
{
}

CKivLeadApp::~CKivLeadApp()
{
    // The documents go while this object can still answer them.
    CloseAllDocuments();
}

void CKivLeadApp::AddImageTemplate(std::function<CFrameWnd*(CKivLeadAppDoc*)> frame, const char* filter)
{
    AddDocTemplate(new CDocTemplate(
        [this] {
            auto* doc = new CKivLeadAppDoc;
            doc->m_pApp = this;
            return doc;
        },
        [frame](CDocument* document) -> CFrameWnd* {
            auto* doc = static_cast<CKivLeadAppDoc*>(document);
            return frame ? frame(doc) : new CKivLeadPageFrame(doc);
        },
        filter ? filter : KivLeadOpenFilter()));
}

void CKivLeadApp::OpenFile(const char* initial)
{
    char file[260] = {};
    if (initial)
        std::snprintf(file, sizeof file, "%s", initial);
    int page = 1;
    if (KivLeadDlgOpenFile(AfxGetMainWnd(), "Open", file, sizeof file, &page, m_bShowPreview) != KIVLEAD_SUCCESS)
        return;
    m_LoadOptions = KivLeadLoadOptions();
    m_LoadOptions.page = page;
    OpenDocumentFile(file);
}

CDocument* CKivLeadApp::OpenDocumentFile(const char* file)
{
    if (!file)
        return nullptr;
    if (auto* open = dynamic_cast<CKivLeadAppDoc*>(FindOpenDocument(file))) {
        // Open already: shown, at the page asked for.
        const int page = m_LoadOptions.page;
        m_LoadOptions = KivLeadLoadOptions();
        for (CView* view : open->GetViews())
            if (auto* pages = dynamic_cast<CKivLeadThumbView*>(view))
                pages->SelectPage(page - 1);
        CWinApp::OpenDocumentFile(file);
        return open;
    }
    KivLeadFileInfo info; // of the whole file, every page counted
    const int status = KivLeadGetFileInfo(file, &info);
    if (status != KIVLEAD_SUCCESS) {
        DisplayError(status);
        return nullptr;
    }
    m_bMultiPage = info.pages > 1 ? 1 : 0;
    if (m_LoadOptions.page < 1 || m_LoadOptions.page > info.pages)
        m_LoadOptions.page = 1;
    CDocument* document = CWinApp::OpenDocumentFile(file);
    if (auto* doc = dynamic_cast<CKivLeadAppDoc*>(document))
        doc->m_nFormat = KivLeadCodeOfFormat(info.format);
    m_LoadOptions = KivLeadLoadOptions();
    return document;
}

CDocument* CKivLeadApp::OpenDocument(int source)
{
    m_nNewDocSource = source;
    CDocument* document = nullptr;
    if (!GetDocTemplates().empty())
        document = GetDocTemplates().front()->OpenDocumentFile(nullptr);
    m_nNewDocSource = kSourceNone;
    return document;
}

std::vector<CKivLeadAppDoc*> CKivLeadApp::EnumAllDocuments() const
{
    std::vector<CKivLeadAppDoc*> documents;
    for (CDocument* document : GetDocuments())
        if (auto* doc = dynamic_cast<CKivLeadAppDoc*>(document))
            documents.push_back(doc);
    return documents;
}

void CKivLeadApp::UpdateAllDocumentViews(LPARAM hint)
{
    for (CKivLeadAppDoc* doc : EnumAllDocuments())
        doc->UpdateAllViews(nullptr, hint);
}

int CKivLeadApp::DisplayError(int code)
{
    if (code != KIVLEAD_SUCCESS) {
        const std::string text
            = "A LEADTOOLS error has occured.\nCODE = " + std::to_string(code) + "\n\n" + KivLeadStatusText(code);
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    return code;
}

// Sources ---------------------------------------------------------------------

void CKivLeadApp::OnFileCaptureScreen()
{
    OpenDocument(kSourceCapture);
}

void CKivLeadApp::OnEditPaste()
{
    if (!KivLeadClipboardReady()) {
        DisplayError(KIVLEAD_ERROR_NO_CLIPBOARD_IMAGE);
        return;
    }
    OpenDocument(kSourcePaste);
}

void CKivLeadApp::OnUpdateEditPaste(CCmdUI* cmd) const
{
    cmd->Enable(KivLeadClipboardReady());
}

void CKivLeadApp::OnFileAcquire()
{
    OpenDocument(kSourceAcquire);
}

void CKivLeadApp::OnFileSelectSource()
{
    std::vector<KivLeadScanDevice> devices;
    const int status = KivLeadScanListDevices(&devices);
    if (status != KIVLEAD_SUCCESS) {
        DisplayError(status);
        return;
    }
    if (devices.empty()) {
        DisplayError(KIVLEAD_ERROR_NO_SCANNER);
        return;
    }
    std::vector<std::string> names;
    int current = 0;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const KivLeadScanDevice& d = devices[i];
        names.push_back(d.vendor + " " + d.model + " (" + d.name + ")");
        if (d.name == m_strScanDevice)
            current = static_cast<int>(i);
    }
    if (KivLeadDlgChoose(AfxGetMainWnd(), "Select Source", "Scanner:", names, &current) == KIVLEAD_SUCCESS)
        m_strScanDevice = devices[static_cast<std::size_t>(current)].name;
}

void CKivLeadApp::OnFileColorMerge()
{
    OpenDocument(kSourceMerge);
}

// Capture ---------------------------------------------------------------------

int CKivLeadApp::IsCaptureSupported()
{
    return KivLeadCaptureAvailable();
}

bool CKivLeadApp::IsCaptureKindSupported(int kind)
{
    switch (kind) {
    case kCaptureActiveWindow:
    case kCaptureActiveClient:
    case kCaptureFullScreen:
    case kCaptureArea:
    case kCaptureWindowUnderCursor: return true;
    default: return false;
    }
}

int CKivLeadApp::CaptureImage(CLeadBitmap* bitmap) const
{
    switch (m_nCaptureKind) {
    case kCaptureActiveWindow: return KivLeadCaptureScreen(bitmap, KIVLEAD_CAPTURE_ACTIVE_WINDOW);
    case kCaptureActiveClient: return KivLeadCaptureScreen(bitmap, KIVLEAD_CAPTURE_ACTIVE_CLIENT);
    case kCaptureFullScreen: return KivLeadCaptureScreen(bitmap, KIVLEAD_CAPTURE_FULLSCREEN);
    case kCaptureWindowUnderCursor: return KivLeadCaptureScreen(bitmap, KIVLEAD_CAPTURE_WINDOW_UNDER_CURSOR);
    case kCaptureArea:
        if (m_CaptureAreaOptions.area.isEmpty())
            return KivLeadCaptureScreen(bitmap, KIVLEAD_CAPTURE_FULLSCREEN);
        return KivLeadCaptureScreen(bitmap, KIVLEAD_CAPTURE_AREA, m_CaptureAreaOptions.area);
    default: return IsCaptureSupported() ? KIVLEAD_ERROR_INVALID_ARGUMENT : KIVLEAD_ERROR_NO_CAPTURE;
    }
}

void CKivLeadApp::OnCapture(int kind)
{
    if (!IsCaptureSupported()) {
        DisplayError(KIVLEAD_ERROR_NO_CAPTURE);
        return;
    }
    if (!IsCaptureKindSupported(kind)) {
        DisplayError(KIVLEAD_ERROR_INVALID_ARGUMENT);
        return;
    }
    m_nCaptureKind = kind;
    // The menu or dialog the command came from leaves the screen first, and
    // the options' delay gives time to bring the wanted window forward. The
    // wait is the command's own, never a paint's.
    QEventLoop wait;
    QTimer::singleShot(std::max(kMenuCloseMs, m_CaptureOptions.delay), &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    OpenDocument(kSourceCapture);
    m_nCaptureKind = kCaptureNone;
}

void CKivLeadApp::OnUpdateCapture(CCmdUI* cmd, int kind) const
{
    cmd->Enable(IsCaptureSupported() && IsCaptureKindSupported(kind));
    cmd->SetCheck(m_nCaptureKind == kind ? 1 : 0);
}

void CKivLeadApp::OnOptionsCaptureOptions()
{
    m_nCaptureKind = kCaptureNone;
    int delay = m_CaptureOptions.delay;
    if (KivLeadDlgGetValue(AfxGetMainWnd(), "Capture Options", "Delay before capture (ms):", 0, 60000, &delay)
        == KIVLEAD_SUCCESS)
        m_CaptureOptions.delay = delay;
}

void CKivLeadApp::OnOptionsCaptureAreaOptions()
{
    m_nCaptureKind = kCaptureNone;
    int x = m_CaptureAreaOptions.area.x(), y = m_CaptureAreaOptions.area.y();
    int w = m_CaptureAreaOptions.area.width(), h = m_CaptureAreaOptions.area.height();
    if (KivLeadDlgGetValues(
            AfxGetMainWnd(), "Capture Area Options", "Left:", -32768, 32767, &x, "Top:", -32768, 32767, &y)
            != KIVLEAD_SUCCESS
        || KivLeadDlgGetValues(AfxGetMainWnd(), "Capture Area Options", "Width (0: whole screen):", 0, 32767, &w,
               "Height:", 0, 32767, &h)
            != KIVLEAD_SUCCESS)
        return;
    m_CaptureAreaOptions.area = QRect(x, y, w, h);
}

void CKivLeadApp::OnOptionsCaptureObjectOptions()
{
    m_nCaptureKind = kCaptureNone;
    int cursor = m_CaptureOptions.includeCursor;
    if (KivLeadDlgGetValue(AfxGetMainWnd(), "Capture Object Options", "Include the cursor (0 or 1):", 0, 1, &cursor)
        == KIVLEAD_SUCCESS)
        m_CaptureOptions.includeCursor = cursor;
}

// Preferences -------------------------------------------------------------------

unsigned CKivLeadApp::DisplayModeFlags() const
{
    unsigned flags = 0;
    if (m_nDithering == 1)
        flags |= KIVLEAD_DISPLAY_ORDEREDDITHER;
    if (m_nPalette == 0)
        flags |= KIVLEAD_DISPLAY_FIXEDPALETTE;
    if (m_nBitonalScaling == 1)
        flags |= KIVLEAD_DISPLAY_FAVORBLACK;
    if (m_nBitonalScaling == 2)
        flags |= KIVLEAD_DISPLAY_SCALETOGRAY;
    flags |= static_cast<unsigned>(m_nPaintScaling) & KIVLEAD_DISPLAY_SCALING;
    return flags;
}

void CKivLeadApp::preferencesChanged()
{
    UpdateAllDocumentViews(0);
}

#define KIVLEAD_PREFERENCE(name, field, value)                                                                         \
    void CKivLeadApp::OnPreferences##name()                                                                            \
    {                                                                                                                  \
        field = value;                                                                                                 \
        preferencesChanged();                                                                                          \
    }                                                                                                                  \
    void CKivLeadApp::OnUpdatePreferences##name(CCmdUI* cmd) const                                                     \
    {                                                                                                                  \
        cmd->SetCheck(field == (value) ? 1 : 0);                                                                       \
    }

KIVLEAD_PREFERENCE(PaletteAuto, m_nPalette, 1)
KIVLEAD_PREFERENCE(PaletteFixed, m_nPalette, 0)
KIVLEAD_PREFERENCE(DitheringOrdered, m_nDithering, 1)
KIVLEAD_PREFERENCE(DitheringErrorDiffusion, m_nDithering, 0)
KIVLEAD_PREFERENCE(BitonalScalingNormal, m_nBitonalScaling, 0)
KIVLEAD_PREFERENCE(BitonalScalingFavorBlack, m_nBitonalScaling, 1)
KIVLEAD_PREFERENCE(BitonalScalingScaleToGray, m_nBitonalScaling, 2)
KIVLEAD_PREFERENCE(PaintScalingNormal, m_nPaintScaling, 0)
KIVLEAD_PREFERENCE(PaintScalingResample, m_nPaintScaling, 0x200)
KIVLEAD_PREFERENCE(PaintScalingBicubic, m_nPaintScaling, 0x400)
#undef KIVLEAD_PREFERENCE

void CKivLeadApp::OnPreferencesPromptforsavingthumbnailchanges()
{
    m_bPromptSavePage = !m_bPromptSavePage;
    preferencesChanged();
}

void CKivLeadApp::OnPreferencesShowpreview()
{
    m_bShowPreview = !m_bShowPreview;
}

void CKivLeadApp::OnUpdatePreferencesPromptforsavingthumbnailchanges(CCmdUI* cmd) const
{
    cmd->SetCheck(m_bPromptSavePage ? 1 : 0);
}

void CKivLeadApp::OnUpdatePreferencesShowpreview(CCmdUI* cmd) const
{
    cmd->SetCheck(m_bShowPreview ? 1 : 0);
}
