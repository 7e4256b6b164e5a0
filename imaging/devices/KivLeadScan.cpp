// SPDX-License-Identifier: MIT
// Scanning through SANE. Each call opens the SANE library and closes it
// again, so a device plugged in between two calls shows up and nothing
// holds a scanner while the editor waits; one mutex keeps calls from
// several threads from meeting inside SANE, which is not re-entrant.
#include "imaging/devices/KivLeadDevices.h"
#include "imaging/devices/ScanFrame_p.h"

#include <sane/sane.h>

#include <QImage>
#include <QLoggingCategory>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>

Q_LOGGING_CATEGORY(lcDevices, "vandrel.imaging.devices", QtWarningMsg)

namespace {

std::mutex saneMutex;

// sane_init for the life of one call.
class SaneSession {
public:
    SaneSession() { ok_ = sane_init(nullptr, nullptr) == SANE_STATUS_GOOD; }
    ~SaneSession()
    {
        if (ok_)
            sane_exit();
    }
    SaneSession(const SaneSession&) = delete;
    SaneSession& operator=(const SaneSession&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

class SaneDevice {
public:
    explicit SaneDevice(const char* name) { status_ = sane_open(name, &handle_); }
    ~SaneDevice()
    {
        if (status_ == SANE_STATUS_GOOD) {
            sane_cancel(handle_);
            sane_close(handle_);
        }
    }
    SaneDevice(const SaneDevice&) = delete;
    SaneDevice& operator=(const SaneDevice&) = delete;
    bool ok() const { return status_ == SANE_STATUS_GOOD; }
    SANE_Handle handle() const { return handle_; }

private:
    SANE_Handle handle_ = nullptr;
    SANE_Status status_ = SANE_STATUS_INVAL;
};

std::string text(SANE_String_Const s)
{
    return s ? std::string(s) : std::string();
}

int statusOfSane(SANE_Status s)
{
    if (s != SANE_STATUS_GOOD)
        qCDebug(lcDevices, "SANE: %s", sane_strstatus(s));
    switch (s) {
    case SANE_STATUS_GOOD: return KIVLEAD_SUCCESS;
    case SANE_STATUS_CANCELLED: return KIVLEAD_ERROR_USER_ABORT;
    case SANE_STATUS_NO_MEM: return KIVLEAD_ERROR_NO_MEMORY;
    default: return KIVLEAD_ERROR_SCAN_FAILED;
    }
}

// One frame as it came from the device.
struct Frame {
    SANE_Parameters params {};
    std::vector<unsigned char> bytes;
    int lines = 0;
};

// Reads one frame to its end. A frame of unknown length grows row by row
// up to the limits; a frame ending early keeps its whole rows.
int readFrame(SANE_Handle handle, Frame* frame)
{
    const SANE_Parameters& p = frame->params;
    const long long bpl = p.bytes_per_line;
    const long long maxLines = p.lines >= 0
        ? p.lines
        : std::min<long long>(KivLeadLimits::kMaxHeight, KivLeadLimits::kMaxArea / std::max(1, p.pixels_per_line));
    const long long cap = bpl * maxLines;
    if (p.lines >= 0)
        frame->bytes.reserve(static_cast<std::size_t>(cap));
    unsigned char chunk[65536];
    for (;;) {
        SANE_Int got = 0;
        const SANE_Status s = sane_read(handle, chunk, sizeof chunk, &got);
        if (s == SANE_STATUS_EOF)
            break;
        if (s != SANE_STATUS_GOOD)
            return statusOfSane(s);
        if (got <= 0)
            continue;
        const long long room = cap - static_cast<long long>(frame->bytes.size());
        if (got > room) {
            if (p.lines < 0)
                return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
            got = static_cast<SANE_Int>(std::max(0LL, room)); // more than declared: the rest is dropped
        }
        frame->bytes.insert(frame->bytes.end(), chunk, chunk + got);
    }
    frame->lines = static_cast<int>(static_cast<long long>(frame->bytes.size()) / bpl);
    return frame->lines > 0 ? KIVLEAD_SUCCESS : KIVLEAD_ERROR_SCAN_FAILED;
}

// Sample i of a row as 0..255; 16-bit samples come in host byte order.
int sampleAt(const unsigned char* row, int depth, long long i)
{
    if (depth == 8)
        return row[i];
    if (depth == 16) {
        std::uint16_t v;
        std::memcpy(&v, row + 2 * i, 2);
        return v >> 8;
    }
    return (row[i / 8] >> (7 - i % 8)) & 1 ? 255 : 0;
}

int planeOf(SANE_Frame f)
{
    return f == SANE_FRAME_RED ? 0 : f == SANE_FRAME_GREEN ? 1 : 2;
}

} // namespace

namespace kivlead {

int checkScanFrame(ScanLayout layout, int depth, int pixelsPerLine, int lines, int bytesPerLine)
{
    if (depth != 1 && depth != 8 && depth != 16)
        return KIVLEAD_ERROR_FAILURE;
    if (pixelsPerLine <= 0 || lines == 0 || lines < -1 || bytesPerLine <= 0)
        return KIVLEAD_ERROR_SCAN_FAILED;
    if (pixelsPerLine > KivLeadLimits::kMaxWidth || lines > KivLeadLimits::kMaxHeight
        || static_cast<long long>(pixelsPerLine) * std::max(lines, 1) > KivLeadLimits::kMaxArea)
        return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    const long long channels = layout == ScanLayout::Rgb ? 3 : 1;
    const long long needed = (static_cast<long long>(pixelsPerLine) * channels * depth + 7) / 8;
    // Padding beyond a few words per row is a device lying about its frame.
    if (bytesPerLine < needed || bytesPerLine > needed + 64)
        return KIVLEAD_ERROR_SCAN_FAILED;
    if (lines > 0 && static_cast<long long>(bytesPerLine) * lines > KivLeadLimits::kMaxMemoryBytes)
        return KIVLEAD_ERROR_IMAGE_TOO_LARGE;
    return KIVLEAD_SUCCESS;
}

} // namespace kivlead

int KivLeadScanListDevices(std::vector<KivLeadScanDevice>* devices)
{
    if (!devices)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    try {
        devices->clear();
        std::lock_guard lock(saneMutex);
        SaneSession session;
        if (!session.ok())
            return KIVLEAD_ERROR_FAILURE;
        const SANE_Device** list = nullptr;
        const SANE_Status s = sane_get_devices(&list, SANE_FALSE);
        if (s != SANE_STATUS_GOOD)
            return statusOfSane(s);
        for (; list && *list; ++list)
            devices->push_back({text((*list)->name), text((*list)->vendor), text((*list)->model), text((*list)->type)});
        return KIVLEAD_SUCCESS;
    } catch (const std::bad_alloc&) {
        return KIVLEAD_ERROR_NO_MEMORY;
    } catch (...) {
        return KIVLEAD_ERROR_FAILURE;
    }
}

int KivLeadScanAcquire(const char* device, CLeadBitmap* bitmap)
{
    if (!device || !*device || !bitmap)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    try {
        std::vector<Frame> frames;
        {
            std::lock_guard lock(saneMutex);
            SaneSession session;
            if (!session.ok())
                return KIVLEAD_ERROR_FAILURE;
            SaneDevice dev(device);
            if (!dev.ok())
                return KIVLEAD_ERROR_NO_SCANNER;
            // A three-pass scanner sends red, green and blue as separate frames.
            for (int pass = 0; pass < 3; ++pass) {
                SANE_Status s = sane_start(dev.handle());
                if (s != SANE_STATUS_GOOD)
                    return s == SANE_STATUS_INVAL ? KIVLEAD_ERROR_NO_SCANNER : statusOfSane(s);
                Frame frame;
                s = sane_get_parameters(dev.handle(), &frame.params);
                if (s != SANE_STATUS_GOOD)
                    return statusOfSane(s);
                const SANE_Parameters& p = frame.params;
                const kivlead::ScanLayout layout = p.format == SANE_FRAME_GRAY ? kivlead::ScanLayout::Gray
                    : p.format == SANE_FRAME_RGB                               ? kivlead::ScanLayout::Rgb
                                                                               : kivlead::ScanLayout::SinglePlane;
                if (p.format != SANE_FRAME_GRAY && p.format != SANE_FRAME_RGB && p.format != SANE_FRAME_RED
                    && p.format != SANE_FRAME_GREEN && p.format != SANE_FRAME_BLUE)
                    return KIVLEAD_ERROR_FAILURE;
                const int check
                    = kivlead::checkScanFrame(layout, p.depth, p.pixels_per_line, p.lines, p.bytes_per_line);
                if (check != KIVLEAD_SUCCESS)
                    return check;
                if (!frames.empty()
                    && (p.pixels_per_line != frames[0].params.pixels_per_line || p.depth != frames[0].params.depth
                        || layout != kivlead::ScanLayout::SinglePlane))
                    return KIVLEAD_ERROR_SCAN_FAILED;
                const int read = readFrame(dev.handle(), &frame);
                if (read != KIVLEAD_SUCCESS)
                    return read;
                const bool last = p.last_frame || layout != kivlead::ScanLayout::SinglePlane;
                frames.push_back(std::move(frame));
                if (last)
                    break;
            }
        }

        const SANE_Parameters& p = frames[0].params;
        const int width = p.pixels_per_line;
        int height = frames[0].lines;
        for (const Frame& f : frames)
            height = std::min(height, f.lines);
        const bool gray = p.format == SANE_FRAME_GRAY;
        QImage image(width, height, gray ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
        if (image.isNull())
            return KIVLEAD_ERROR_NO_MEMORY;
        if (!gray)
            image.fill(Qt::black);
        for (const Frame& f : frames) {
            const bool planar = f.params.format != SANE_FRAME_RGB && !gray;
            const int plane = planar ? planeOf(f.params.format) : 0;
            for (int y = 0; y < height; ++y) {
                const unsigned char* row = f.bytes.data() + static_cast<std::size_t>(y) * f.params.bytes_per_line;
                uchar* out = image.scanLine(y);
                for (int x = 0; x < width; ++x) {
                    if (gray) {
                        const int v = sampleAt(row, p.depth, x);
                        out[x] = static_cast<uchar>(p.depth == 1 ? 255 - v : v); // a set bit is black
                    } else if (planar) {
                        out[3 * x + plane] = static_cast<uchar>(sampleAt(row, p.depth, x));
                    } else {
                        for (int c = 0; c < 3; ++c)
                            out[3 * x + c] = static_cast<uchar>(sampleAt(row, p.depth, 3LL * x + c));
                    }
                }
            }
        }
        return KivLeadFromImage(bitmap, image);
    } catch (const std::bad_alloc&) {
        return KIVLEAD_ERROR_NO_MEMORY;
    } catch (...) {
        return KIVLEAD_ERROR_FAILURE;
    }
}

int KivLeadScanAcquireAny(const char* device, CLeadBitmap* bitmap)
{
    if (device && *device)
        return KivLeadScanAcquire(device, bitmap);
    std::vector<KivLeadScanDevice> devices;
    const int status = KivLeadScanListDevices(&devices);
    if (status != KIVLEAD_SUCCESS)
        return status;
    if (devices.empty())
        return KIVLEAD_ERROR_NO_SCANNER;
    return KivLeadScanAcquire(devices.front().name.c_str(), bitmap);
}
