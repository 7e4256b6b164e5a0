// SPDX-License-Identifier: MIT
// The routine every viewer runs through: it configures a viewer dialog the
// caller built and runs it modally.
#pragma once

#include "dialogs/KivDlg_export.h"

class CKivFileViewDlg;

// SetFile (file) and SetTitle (title) when they are given, then the
// placement: x, y (-1, -1: centred or where the template puts it), w, h
// (0, 0: the template's size), margin, hasOk (1 shows the button). 1 when
// the dialog was closed with its button, else 0; 0 for a null dialog.
KIVDLG_EXPORT int KivDlgViewFile(
    CKivFileViewDlg* dlg, const char* file, const char* title, int x, int y, int w, int h, int margin, int hasOk);
