// SPDX-License-Identifier: MIT
// The thumbnail cache of one folder: small JPEGs beside an index THUMB.DB
// that maps each source file to its thumbnail. Thumbnails are made once and
// reused until the source is newer. Every call returns 1 or 0 and never
// throws; on 0 the caller shows the source itself. Several processes may
// share one cache folder: lines are appended whole under an advisory lock
// and each thumbnail appears by a rename.
#pragma once

#include "imaging/KivLeadKit_export.h"
#include "platform/base/CString.h"

#include <cstddef>
#include <memory>

class KivLeadThumbFolder;

class KIVLEADKIT_EXPORT KivLeadThumbMgr {
public:
    static constexpr int kThumbWidth = 160; // pixels of the box thumbnails fit
    static constexpr int kThumbHeight = 120;
    static constexpr int kThumbFormat = 10; // the toolkit's JPEG file-interchange code
    static constexpr int kThumbQuality = 64; // toolkit quality factor, 0 best .. 255
    static constexpr std::size_t kPathSize = 260; // an output buffer unless told

    KivLeadThumbMgr();
    ~KivLeadThumbMgr();
    KivLeadThumbMgr(const KivLeadThumbMgr& other);
    KivLeadThumbMgr& operator=(const KivLeadThumbMgr& other);

    // Stores the cache folder (a separator is added) and creates it, one level.
    int SetThumbPath(const char* folder);
    // 1 with the thumbnail's path in out, made first when needed; 0 when none
    // can be had (the source is in the cache folder, no image, unwritable).
    int GetThumb(const char* file, char* out, std::size_t size = kPathSize);
    // 1 with the path of the current thumbnail of file in out. A thumbnail
    // older than its source is deleted and 0 returned, as is one whose file
    // has gone.
    int FindThumb(const char* folder, const char* file, char* out, std::size_t size = kPathSize);
    // Makes a thumbnail under a new random name and indexes it.
    int CreateThumb(const char* folder, const char* file);
    // Writes source scaled into width × height with its aspect kept as target:
    // format 10 JPEG at quality, 6 BMP. noEnlarge 1 keeps small sources small.
    int ConvertThumb(
        const char* source, const char* target, int width, int height, int format, int quality, int noEnlarge);
    // Appends the line of file and its thumbnail name to the folder's index.
    int AddThumb(const char* folder, const char* file, const char* name);

    const CString& GetThumbPath() const { return m_thumbPath; }
    const CString& GetLastThumb() const { return m_lastThumb; }

private:
    KivLeadThumbFolder* folderOf(const char* folder);

    CString m_thumbPath;
    CString m_lastThumb;
    // The index read from the last folder looked at; made again on copy.
    std::unique_ptr<KivLeadThumbFolder> m_folder;
};
