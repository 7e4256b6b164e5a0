// SPDX-License-Identifier: MIT
// What the image documents and views ask of their application: the error
// box, the display preferences, the load options, the sources of new
// documents and the documents open. The application implements it, so the
// documents and views know it by this alone and never include it.
#pragma once

#include "imaging/KivLead_export.h"
#include "imaging/toolkit/KivLeadToolkit.h"

#include <string>
#include <vector>

class CDocument;
class CKivLeadAppDoc;

class KIVLEAD_EXPORT KivLeadAppContext {
public:
    // New-document sources.
    static constexpr int kSourceNone = 0;
    static constexpr int kSourceCapture = 1;
    static constexpr int kSourcePaste = 2;
    static constexpr int kSourceSeparation = 3;
    static constexpr int kSourceAcquire = 4;
    static constexpr int kSourceMerge = 5;
    // The display-mode bits the preferences decide (DisplayModeFlags).
    static constexpr unsigned kDisplayMask = KIVLEAD_DISPLAY_ORDEREDDITHER | KIVLEAD_DISPLAY_FIXEDPALETTE
        | KIVLEAD_DISPLAY_FAVORBLACK | KIVLEAD_DISPLAY_SCALETOGRAY | KIVLEAD_DISPLAY_SCALING;

    virtual ~KivLeadAppContext();

    // The error box for a toolkit status (nothing for 1); gives code.
    virtual int DisplayError(int code) = 0;
    // The display-mode bits the preferences ask for (within kDisplayMask).
    virtual unsigned DisplayModeFlags() const = 0;
    // A new document made from source (kSource…); null when it could not be made.
    virtual CDocument* OpenDocument(int source) = 0;
    virtual std::vector<CKivLeadAppDoc*> EnumAllDocuments() const = 0;
    // The picture of the current capture kind; the toolkit's status.
    virtual int CaptureImage(CLeadBitmap* bitmap) const = 0;
    // The scanner acquire reads from; empty: the first SANE device found.
    virtual const std::string& GetScanDevice() const = 0;

    KivLeadLoadOptions m_LoadOptions;
    int m_nNewDocSource = kSourceNone;
    int m_bPromptSavePage = 0;
    // The plane a separation hands to the document it opens (source 3).
    const CLeadBitmap* m_pPendingPlane = nullptr;
};
