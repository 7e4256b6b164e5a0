// SPDX-License-Identifier: MIT
// What the thumbnail tests share: a parent window that records what is
// posted to it, pixel reads, and a viewer callback that records its calls.
#pragma once

#include "platform/widgets/CWnd.h"

#include <QImage>

#include <string>
#include <vector>

namespace thumbtest {

struct Parent : CWnd {
    struct Got {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Got> got;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            got.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

inline COLORREF at(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

inline int countColor(const QImage& image, COLORREF color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += at(image, x, y) == color;
    return n;
}

struct ViewerCall {
    HWND owner;
    int type;
    std::string file;
    std::string support;
};
inline std::vector<ViewerCall>& viewerCalls()
{
    static std::vector<ViewerCall> calls;
    return calls;
}
inline int recordViewer(HWND owner, int type, const char* file, const char* support)
{
    viewerCalls().push_back({owner, type, file ? file : "", support ? support : ""});
    return 1;
}

} // namespace thumbtest
