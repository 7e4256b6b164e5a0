// SPDX-License-Identifier: MIT
// AutoCAD slides and slide libraries. A KivSlideFile holds one slide's bytes
// and its names, validates the header (old and new formats, either byte
// order) and decodes the records into lines, polygons and colours for a
// KivSlideSink. The static members maintain slide libraries; every operation
// records its result in the process-wide slide error state. Any input is
// safe: short or damaged files give result codes, never reads outside them.
#pragma once

#include "core/KivCore_export.h"
#include "platform/base/CStringArray.h"
#include "platform/base/LogicalMapping.h"
#include "platform/io/ByteReader.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#pragma pack(push, 1)
// Level 2 header, 31 bytes, words in the writer's byte order.
struct KivSlideNew {
    char id[17];
    char type;
    char level;
    std::uint16_t highX;
    std::uint16_t highY;
    std::uint8_t aspect[4];
    std::uint16_t fill;
    std::uint16_t test;
};
// Level 1 header, 34 bytes, always little-endian.
struct KivSlideOld {
    char id[17];
    char type;
    char level;
    std::uint16_t highX;
    std::uint16_t highY;
    std::uint8_t aspect[8];
    std::uint16_t fill;
    std::uint8_t unused;
};
#pragma pack(pop)
static_assert(sizeof(KivSlideNew) == 31 && sizeof(KivSlideOld) == 34);

// One library directory entry as the operations hold it.
struct KivSldLibInfo {
    char name[32];
    long address; // offset of the slide in the library file
    long size; // bytes of the slide
};

// A point in slide coordinates (unsigned 16-bit, sums wrap modulo 65536).
struct KivSlidePoint {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    bool operator==(const KivSlidePoint&) const = default;
};

// What record decoding hands out; the slide drawing implements it.
class KIVCORE_EXPORT KivSlideSink {
public:
    virtual ~KivSlideSink();
    virtual void SlideLine(KivSlidePoint from, KivSlidePoint to) = 0;
    virtual void SlidePolygon(const std::vector<KivSlidePoint>& vertices) = 0;
    virtual void SlideColor(int aci) = 0;
};

class KIVCORE_EXPORT KivSlideFile {
public:
    static constexpr std::size_t kNewHeaderSize = 31;
    static constexpr std::size_t kOldHeaderSize = 34;
    static constexpr std::size_t kLibraryHeaderSize = 32;
    static constexpr std::size_t kDirectoryEntrySize = 36;
    static constexpr std::size_t kMaxSlideName = 31;

    KivSlideFile(); // also empties the error message (not the code)
    ~KivSlideFile();
    KivSlideFile(const KivSlideFile&) = delete;
    KivSlideFile& operator=(const KivSlideFile&) = delete;

    const char* GetLibraryName() const { return m_szLibrary; }
    const char* GetSlideName() const { return m_szSlide; }

    // The slide error state shared by every slide and library operation of
    // a thread: one thread's failure never changes what another reads.
    static thread_local int m_nSldError;
    static thread_local char m_szSldError[1024];
    static void SetSlideError(int code, const char* name, const char* slide);
    static const char* GetSlideError();
    // Why the last error happened, as the system said it ("cannot open
    // out/DOOR.SLD: No such file or directory"); empty when nothing more is
    // known. Setting an error clears it; per thread like the error.
    static void SetSlideErrorReason(const std::string& reason);
    static const char* GetSlideErrorReason();

    // "lib(slide)" names a slide in a library; anything else a slide file.
    void SetReference(const char* reference);

    // Loads the slide a reference names: 0, or the code recorded (1 cannot
    // open; 4, 5, 7 from the library). Positions at the slide's first byte.
    int Open(const char* reference);
    // The slide's bytes directly (tests, fuzzing, slides held in memory).
    void OpenBytes(const std::uint8_t* data, std::size_t size);
    void Close();
    bool IsOpen() const { return m_open; }

    // Reads the header of the right format: 0, 2 (different display) or 3
    // (invalid), recorded. 0 without effect when nothing is open.
    int ReadHeader();
    // Decodes records until the end record (1) or the end of the bytes (0).
    // last is the drawing's last point; it carries over between slides.
    int DecodeRecords(KivSlideSink& sink, KivSlidePoint& last);

    int GetLevel() const;
    int IsSwapped() const { return m_bSwapped; }
    std::uint16_t GetHighX() const { return m_highX; }
    std::uint16_t GetHighY() const { return m_highY; }
    // The width-to-height ratio of the display the slide was made on, as
    // its header stores it (0 before a header was read).
    double GetAspectRatio() const { return m_aspect; }

    // How much X is stretched so that a slide of extents x by y shows with
    // the aspect ratio its header stores: 1 unless that ratio is plausible
    // (0.1 to 10) and differs from x/y by more than 1 %.
    static double AspectStretch(int x, int y, double aspect);
    // The mapping that draws a slide of extents x by y into client: its
    // origin at the bottom left, its Y axis up, filling the width or the
    // height, whichever limits. False, and nothing to draw, for a client
    // whose proportions give no usable scale.
    static bool FitMapping(int x, int y, double aspect, const CRect& client, LogicalMapping& mapping);

    // Library operations: 0 on success, else the code they recorded.
    static int CreateLibrary(const char* library);
    // A new array of *count entries, to be released with FreeSlideLibraryInfo
    // (or delete[]); null with *count 0 on failure (code 1, 4 or 7).
    static KivSldLibInfo* GetSlideLibraryInfo(const char* library, int* count);
    static void FreeSlideLibraryInfo(KivSldLibInfo* info);
    // 1 on success, 0 on failure (the listing's code stays recorded).
    static int GetSlideList(const char* library, CStringArray* names);
    static int AppendLibrary(const char* library, const char* slideFile);
    static int DeleteLibrary(const char* library, const char* slide);
    // Deletes every named slide in one rewrite of the library. The codes of
    // the single delete; when some name is missing the others are still
    // deleted and 5 names the first missing one.
    static int DeleteLibrary(const char* library, const std::vector<std::string>& slides);
    static int ReplaceLibrary(const char* library, const char* slideFile);
    static int ExtractSlide(const char* folder, const char* library, const char* slide, KivSldLibInfo* info, int count);
    static int ExtractLibrary(const char* library, const char* slide, const char* folder);
    static int RemoveLibrary(const char* library, const char* slide, const char* folder);
    static int ExplodeLibrary(const char* library, const char* folder);
    // The same, telling progress how many of how many slides are written.
    static int ExplodeLibrary(
        const char* library, const char* folder, const std::function<void(int done, int total)>& progress);

    // The existing files ExtractSlide would replace when writing these
    // stored slide names of a library to folder (null: the library's own),
    // one of another letter case included: so that a caller can ask first.
    // The folder is read once.
    static std::vector<CString> ExtractedFilesThatExist(
        const char* folder, const char* library, const std::vector<std::string>& slides);

    // Reads a library directory from a whole library image: 0, 4 or 7.
    static int ReadLibraryDirectory(const std::uint8_t* data, std::size_t size, std::vector<KivSldLibInfo>* entries);

protected:
    void ReverseWord(unsigned short* word);
    int IsOlder();
    int ReadHeader(KivSlideOld* header);
    int ReadHeader(KivSlideNew* header);
    int GetSlideSize(short* highX, short* highY);

    // Reads the slide from view, whose bytes may lie in file (a mapped
    // slide file or library), which is kept open as long as the slide is.
    void OpenSource(ByteSource file, ByteSource view);

private:
    bool readWord(std::uint16_t& word);

    char m_szLibrary[256];
    char m_szSlide[256];
    int m_bSwapped = 0;
    ByteSource m_file;
    ByteSource m_source;
    ByteReader m_reader {m_source};
    bool m_open = false;
    std::uint16_t m_highX = 0;
    std::uint16_t m_highY = 0;
    double m_aspect = 0.0;
};
