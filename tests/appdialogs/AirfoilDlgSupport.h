// SPDX-License-Identifier: MIT
// Running the airfoil dialog from a test: the caller's eight values, and a
// hook that drives the dialog (and any dialog it opens) and ends it.
#pragma once

#include "appdialogs/CKivAirfoilDlg.h"
#include "appdialogs/KivDlgAppAirfoil.h"
#include "platform/widgets/CButton.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <functional>

struct AirfoilChoice {
    int type = 1;
    double camber = 2;
    double position = 40;
    double thickness = 12;
    int nodes = 180;
    char folder[260] = "";
    char file[260] = "";

    void setFolder(const std::string& f) { std::snprintf(folder, sizeof folder, "%s", f.c_str()); }
    void setFile(const std::string& f) { std::snprintf(file, sizeof file, "%s", f.c_str()); }
};

// hook sees every modal dialog that opens while the airfoil dialog runs.
inline int runAirfoil(AirfoilChoice& c, std::function<void(CDialog&)> hook)
{
    CDialog::SetModalHook(hook);
    const int result
        = KivDlgAppAirfoil(nullptr, &c.type, &c.camber, &c.position, &c.thickness, &c.nodes, c.folder, c.file);
    CDialog::SetModalHook(nullptr);
    return result;
}

inline void clickItem(CDialog& d, int id)
{
    auto* button = dynamic_cast<CButton*>(d.GetDlgItem(id));
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button->widget(), Qt::LeftButton, {}, QPoint(4, 4));
    QCoreApplication::processEvents(); // the click is posted to the dialog
}
