// SPDX-License-Identifier: MIT
// The image editor's application object: opens image files (a page of a
// multi-page file at a time), makes documents from other sources (screen
// capture, clipboard, scanner, colour merge, colour separation planes),
// keeps the display preferences every view paints with and the screen
// capture state. A host derives from it, adds its document template and
// maps its menu to these handlers; the update handlers say which entries
// are enabled and checked.
#pragma once

#include "imaging/KivLead_export.h"
#include "imaging/app/KivLeadAppContext.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "platform/docview/CWinApp.h"

#include <QRect>

#include <functional>
#include <string>
#include <vector>

class CCmdUI;
class CFrameWnd;
class CKivLeadAppDoc;

// What screen capture takes and how.
struct KivLeadCaptureOptions {
    int delay = 0; // milliseconds between the command and the capture
    int includeCursor = 0;
};
// The area capture kind 6 takes, in desktop coordinates; empty: the whole
// screen the cursor is on.
struct KivLeadCaptureAreaOptions {
    QRect area;
};

class KIVLEAD_EXPORT CKivLeadApp : public CWinApp, public KivLeadAppContext {
public:
    // Capture kinds.
    static constexpr int kCaptureNone = -1;
    static constexpr int kCaptureActiveWindow = 1;
    static constexpr int kCaptureActiveClient = 2;
    static constexpr int kCaptureFullScreen = 3;
    static constexpr int kCaptureSelectedObject = 4;
    static constexpr int kCaptureMenuUnderCursor = 5;
    static constexpr int kCaptureArea = 6;
    static constexpr int kCaptureMouseCursor = 7;
    static constexpr int kCaptureWindowUnderCursor = 8;
    static constexpr int kCaptureWallpaper = 9;

    CKivLeadApp();
    explicit CKivLeadApp(CString profilePath);
    ~CKivLeadApp() override;

    // Adds the template of this application's documents: each a
    // CKivLeadAppDoc that knows the application, shown in the frame that
    // frame makes (a CKivLeadPageFrame when null); File Open offers filter
    // (every format the toolkit reads when null).
    void AddImageTemplate(std::function<CFrameWnd*(CKivLeadAppDoc*)> frame = {}, const char* filter = nullptr);

    // The open dialog with a preview and the page to open; on OK opens
    // that page of the file.
    void OpenFile(const char* initial);
    // Opens the page the load options name, noting whether the file has
    // more than one page and its format.
    CDocument* OpenDocumentFile(const char* file) override;
    // A new document made from source (kSource…); the host's document
    // reads the source while it is made. Null when it could not be made.
    CDocument* OpenDocument(int source) override;
    std::vector<CKivLeadAppDoc*> EnumAllDocuments() const override;
    void UpdateAllDocumentViews(LPARAM hint);

    // "A LEADTOOLS error has occured.\nCODE = %d" and what the code means,
    // for any code but 1; gives code.
    int DisplayError(int code) override;

    // Sources.
    void OnFileCaptureScreen();
    void OnEditPaste();
    void OnUpdateEditPaste(CCmdUI* cmd) const;
    void OnFileAcquire();
    void OnFileSelectSource();
    void OnFileColorMerge();
    // The scanner acquire reads from; empty: the first SANE device found.
    const std::string& GetScanDevice() const override { return m_strScanDevice; }
    void SetScanDevice(const char* device) { m_strScanDevice = device ? device : ""; }

    // Capture: a kind chosen captures at once (after the options' delay)
    // and opens the picture as a new document.
    void OnCapture(int kind);
    void OnUpdateCapture(CCmdUI* cmd, int kind) const;
    void OnStopCapture() { m_nCaptureKind = kCaptureNone; }
    void OnOptionsCaptureOptions();
    void OnOptionsCaptureAreaOptions();
    void OnOptionsCaptureObjectOptions();
    // 1 when this session can capture the screen at all.
    static int IsCaptureSupported();
    // Whether the platform captures this kind (the others stay disabled).
    static bool IsCaptureKindSupported(int kind);
    // No global hot key on this platform: captures run from the menu.
    int IsHotKeyInstalled() const { return 0; }
    // Makes the picture of the current capture kind; the toolkit's status.
    int CaptureImage(CLeadBitmap* bitmap) const override;

    // Preferences.
    void OnPreferencesPaletteAuto();
    void OnPreferencesPaletteFixed();
    void OnPreferencesDitheringOrdered();
    void OnPreferencesDitheringErrorDiffusion();
    void OnPreferencesBitonalScalingNormal();
    void OnPreferencesBitonalScalingFavorBlack();
    void OnPreferencesBitonalScalingScaleToGray();
    void OnPreferencesPaintScalingNormal();
    void OnPreferencesPaintScalingResample();
    void OnPreferencesPaintScalingBicubic();
    void OnPreferencesPromptforsavingthumbnailchanges();
    void OnPreferencesShowpreview();
    void OnUpdatePreferencesPaletteAuto(CCmdUI* cmd) const;
    void OnUpdatePreferencesPaletteFixed(CCmdUI* cmd) const;
    void OnUpdatePreferencesDitheringOrdered(CCmdUI* cmd) const;
    void OnUpdatePreferencesDitheringErrorDiffusion(CCmdUI* cmd) const;
    void OnUpdatePreferencesBitonalScalingNormal(CCmdUI* cmd) const;
    void OnUpdatePreferencesBitonalScalingFavorBlack(CCmdUI* cmd) const;
    void OnUpdatePreferencesBitonalScalingScaleToGray(CCmdUI* cmd) const;
    void OnUpdatePreferencesPaintScalingNormal(CCmdUI* cmd) const;
    void OnUpdatePreferencesPaintScalingResample(CCmdUI* cmd) const;
    void OnUpdatePreferencesPaintScalingBicubic(CCmdUI* cmd) const;
    void OnUpdatePreferencesPromptforsavingthumbnailchanges(CCmdUI* cmd) const;
    void OnUpdatePreferencesShowpreview(CCmdUI* cmd) const;
    // The display-mode bits the preferences ask for (mask KivLeadDisplayMask).
    unsigned DisplayModeFlags() const override;

    KivLeadCaptureOptions m_CaptureOptions;
    KivLeadCaptureAreaOptions m_CaptureAreaOptions;
    int m_bMultiPage = 0;
    int m_bShowPreview = 1;
    int m_nBitonalScaling = 0; // 0 normal, 1 favour black, 2 scale to grey
    int m_nPaintScaling = 0x200; // 0 normal, 0x200 resample, 0x400 bicubic
    int m_nPalette = 1; // 1 automatic, 0 fixed
    int m_nDithering = 1; // 1 ordered, 0 error diffusion
    int m_nCaptureKind = kCaptureNone;

private:
    void preferencesChanged();

    std::string m_strScanDevice;
};
