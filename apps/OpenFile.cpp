// SPDX-License-Identifier: MIT
#include "OpenFile.h"

#include "cad/KivSlideFile.h"
#include "dialogs/KivDlgFileViewer.h"
#include "dialogs/KivDlgThumbSlide.h"
#include "platform/io/PathPieces.h"
#include "views/CKivThumbViewCtrl.h"

#include <QFile>

int OpenGivenFile(QWidget* owner, const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    const PathPieces pieces = SplitPath(file.constData());
    if (CompareNoCase(pieces.ext.c_str(), ".slb") == 0) {
        CStringArray names;
        if (!KivSlideFile::GetSlideList(file.constData(), &names))
            return -1;
        const CString title = pieces.title + pieces.ext;
        return KivDlgThumbSlide(owner, file.constData(), &names, 4, 3, 1, title.c_str(), -1, -1, 0, 0, 5, 1);
    }
    const int type = CKivThumbViewCtrl::GetFileType(file.constData());
    if (type < 1 || type > 3)
        return -1;
    return KivDlgFileViewer(owner, type, file.constData(), "");
}
