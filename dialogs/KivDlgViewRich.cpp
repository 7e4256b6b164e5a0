// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgViewRich.h"

#include "dialogs/KivDlgViewFile.h"
#include "dialogs/KivRtfReader.h"
#include "dialogs/resources.h"
#include "platform/io/ByteSource.h"
#include "platform/io/PathNoCase.h"

#include <QTextCursor>
#include <QTextDocument>

using namespace kivdlg;

namespace {

// The first kMaxFileBytes of a regular file; empty when it cannot be read.
std::vector<std::uint8_t> readHead(const CString& file, std::uint64_t* fileSize)
{
    *fileSize = 0;
    ByteSource source;
    if (file.empty() || !source.openFile(ResolvePathNoCase(file.c_str())))
        return {};
    *fileSize = source.size();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(source.size(), CKivViewRichDlg::kMaxFileBytes)));
    if (!bytes.empty() && !source.read(0, bytes.data(), bytes.size()))
        return {};
    return bytes;
}

} // namespace

CKivViewRichDlg::CKivViewRichDlg(QWidget* parent) : CKivFileViewDlg(IDD_VIEW_RICH, parent)
{
}

CKivViewRichDlg::~CKivViewRichDlg() = default;

BOOL CKivViewRichDlg::OnInitDialog()
{
    m_view.SubclassDlgItem(IDC_VIEW_RICH, this);
    m_view.SetReadOnly(TRUE);
    SetViewCtrl(&m_view);
    CKivFileViewDlg::OnInitDialog();
    std::uint64_t size = 0;
    const std::vector<std::uint8_t> bytes = readHead(m_strFile, &size);
    ShowBytes(bytes, size);
    return TRUE;
}

void CKivViewRichDlg::ShowBytes(const std::vector<std::uint8_t>& bytes, std::uint64_t fileSize)
{
    QTextDocument* document = m_view.document();
    document->clear();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    KivRtfReader reader;
    bool cut = fileSize > bytes.size();
    if (reader.Read(bytes.data(), bytes.size())) {
        cut = cut || reader.IsTruncated();
        for (const KivRtfRun& run : reader.GetRuns()) {
            QTextCharFormat format;
            format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(run.italic);
            format.setFontUnderline(run.underline);
            format.setFontPointSize(run.halfPoints / 2.0);
            if (run.hasColour)
                format.setForeground(QColor(GetRValue(run.colour), GetGValue(run.colour), GetBValue(run.colour)));
            cursor.insertText(QString::fromStdString(run.text), format);
        }
    } else {
        cursor.insertText(QString::fromStdString(KivRtfReader::DecodePlainText(bytes.data(), bytes.size())));
    }
    if (cut) {
        QTextCharFormat note;
        note.setFontItalic(true);
        note.setForeground(QColor(128, 128, 128));
        const QString text = QString("\n[Only the start of this file is shown: %1 of %2 KiB.]")
                                 .arg(static_cast<qulonglong>(bytes.size() / 1024))
                                 .arg(static_cast<qulonglong>(fileSize / 1024));
        cursor.insertText(text, note);
    }
    cursor.endEditBlock();
    m_view.widget()->moveCursor(QTextCursor::Start);
}

int KivDlgViewRich(HWND owner, const char* file, const char* title, int x, int y, int w, int h, int margin, int hasOk)
{
    return CallWithResources(KivDlgResources(), [&] {
        CKivViewRichDlg dialog(owner);
        return KivDlgViewFile(&dialog, file, title, x, y, w, h, margin, hasOk);
    });
}
