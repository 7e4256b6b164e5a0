// SPDX-License-Identifier: MIT
// Helpers for the tests of windows: a locale for a scope, a file manager's
// drop, and the X server a screen test runs on.
#pragma once

#include <QLocale>
#include <QStringList>

#include <string>

class QWidget;

namespace testsupport {

// QLocale's default is locale until the object goes.
class InLocale {
public:
    explicit InLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~InLocale() { QLocale::setDefault(m_before); }
    InLocale(const InLocale&) = delete;
    InLocale& operator=(const InLocale&) = delete;

private:
    QLocale m_before;
};

// Drops paths on window as a file manager's drag does: it enters, then
// drops. Whether the drop was taken.
bool dropFiles(QWidget& window, const QStringList& paths);

// Before the application starts: the display of the X server a CTest
// fixture started (VANDREL_XVFB_STATE holds "display=:N pid=P"), else the
// offscreen platform. Empty, or why the screen tests must skip.
std::string useFixtureDisplay();

} // namespace testsupport
