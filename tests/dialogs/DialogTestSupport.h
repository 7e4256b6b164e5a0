// SPDX-License-Identifier: MIT
// What the dialog tests share: running an exported function with a hook on
// the dialog it opens, clicking buttons, and the screenshot of a dialog.
#pragma once

#include "platform/widgets/CButton.h"
#include "platform/widgets/CDialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <functional>

namespace dlgtest {

// Runs call with hook on the first modal dialog of class D; dialogs of
// other classes that open meanwhile (nested viewers) go to other, or are
// cancelled.
template <class D>
int runWith(std::function<void(D&)> hook, std::function<int()> call, std::function<void(CDialog&)> other = {})
{
    CDialog::SetModalHook([hook, other](CDialog& d) {
        if (auto* dialog = dynamic_cast<D*>(&d))
            hook(*dialog);
        else if (other)
            other(d);
        else
            d.EndDialog(IDCANCEL);
    });
    const int result = call();
    CDialog::SetModalHook(nullptr);
    return result;
}

inline void click(CDialog& d, int id)
{
    auto* button = dynamic_cast<CButton*>(d.GetDlgItem(id));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button->widget(), Qt::LeftButton);
    QCoreApplication::processEvents(); // the click is posted to the dialog
}

// The dialog as a person sees it, for the note; never compared.
inline void shot(QWidget& d, const char* name)
{
    QCoreApplication::processEvents();
    d.grab().save(QString::fromUtf8(VANDREL_BINARY_DIR) + "/dlg-" + name + ".png");
}

} // namespace dlgtest
