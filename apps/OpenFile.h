// SPDX-License-Identifier: MIT
// What the studio does with a file given on its command line (or opened
// from a file manager through its desktop entry): a slide, a DWG or a DXF
// drawing opens in the large viewer, a slide library in its paged grid.
#pragma once

#include <QString>

class QWidget;

// The viewer's result (1 on its button, 0 when closed), or -1 for a file
// that is none of these kinds.
int OpenGivenFile(QWidget* owner, const QString& path);
