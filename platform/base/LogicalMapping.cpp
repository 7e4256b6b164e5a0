// SPDX-License-Identifier: MIT
#include "platform/base/LogicalMapping.h"

#include <cmath>

using namespace vandrel::win32;

int LogicalMapping::SetMapMode(int mode)
{
    const int previous = m_mode;
    m_mode = mode;
    if (mode == MM_TEXT)
        m_windowExt = m_viewportExt = CSize(1, 1);
    return previous;
}

CSize LogicalMapping::SetWindowExt(int x, int y)
{
    const CSize previous = m_windowExt;
    if ((m_mode == MM_ISOTROPIC || m_mode == MM_ANISOTROPIC) && x != 0 && y != 0) {
        m_windowExt = CSize(x, y);
        if (m_mode == MM_ISOTROPIC)
            fixIsotropic();
    }
    return previous;
}

CSize LogicalMapping::SetViewportExt(int x, int y)
{
    const CSize previous = m_viewportExt;
    if ((m_mode == MM_ISOTROPIC || m_mode == MM_ANISOTROPIC) && x != 0 && y != 0) {
        m_viewportExt = CSize(x, y);
        if (m_mode == MM_ISOTROPIC)
            fixIsotropic();
    }
    return previous;
}

CPoint LogicalMapping::SetViewportOrg(int x, int y)
{
    const CPoint previous = m_viewportOrg;
    m_viewportOrg = CPoint(x, y);
    return previous;
}

void LogicalMapping::fixIsotropic()
{
    const double xdim = std::fabs(static_cast<double>(m_viewportExt.cx) / m_windowExt.cx);
    const double ydim = std::fabs(static_cast<double>(m_viewportExt.cy) / m_windowExt.cy);
    if (xdim > ydim) {
        const int sign = m_viewportExt.cx >= 0 ? 1 : -1;
        m_viewportExt.cx = static_cast<int>(std::floor(m_viewportExt.cx * ydim / xdim + 0.5));
        if (m_viewportExt.cx == 0)
            m_viewportExt.cx = sign;
    } else if (ydim > xdim) {
        const int sign = m_viewportExt.cy >= 0 ? 1 : -1;
        m_viewportExt.cy = static_cast<int>(std::floor(m_viewportExt.cy * xdim / ydim + 0.5));
        if (m_viewportExt.cy == 0)
            m_viewportExt.cy = sign;
    }
}

double LogicalMapping::ScaleX() const
{
    return m_mode == MM_TEXT ? 1.0 : std::fabs(static_cast<double>(m_viewportExt.cx) / m_windowExt.cx);
}

CPoint LogicalMapping::ToDevice(int x, int y) const
{
    if (m_mode == MM_TEXT)
        return {x + m_viewportOrg.x, y + m_viewportOrg.y};
    const double dx = static_cast<double>(x) * m_viewportExt.cx / m_windowExt.cx + m_viewportOrg.x;
    const double dy = static_cast<double>(y) * m_viewportExt.cy / m_windowExt.cy + m_viewportOrg.y;
    return {static_cast<int>(std::floor(dx + 0.5)), static_cast<int>(std::floor(dy + 0.5))};
}
