// SPDX-License-Identifier: MIT
#include "dialogs/KivDlgAciColor.h"

#include "core/KivAciColor.h"
#include "dialogs/resources.h"
#include "platform/services/MessageBox.h"

#include <QMouseEvent>

using namespace kivdlg;

namespace {

struct Caption {
    UINT id;
    const char* english;
    const char* korean;
};

constexpr Caption kCaptions[] = {
    {IDC_ACI_STANDARD_GROUP, "Standard Colors", "표준 색상"},
    {IDC_ACI_GRAY_GROUP, "Gray Shades", "회색 음영"},
    {IDC_ACI_LOGICAL_GROUP, "Logical Colors", "논리적 색상"},
    {IDC_ACI_PALETTE_GROUP, "Full Color Palette", "전체 색상 팔레트"},
    {IDC_ACI_LABEL, "&Color:", "색상(&C):"},
    {IDOK, "OK", "확인"},
    {IDCANCEL, "Cancel", "취소"},
};

} // namespace

CKivAciColorDlg::CKivAciColorDlg(QWidget* parent, int colour, int allowLogical, int language)
    : CKivDialog(IDD_ACI_COLOR, parent), m_nColor(colour), m_bAllowLogical(allowLogical),
      m_nEnglish(language != 0 ? 1 : 0)
{
}

CKivAciColorDlg::~CKivAciColorDlg() = default;

BOOL CKivAciColorDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    // The caller's language argument chooses every text, whatever the
    // user's locale would make of the template.
    SetWindowText(m_nEnglish ? "Select Color" : "색상 선택");
    for (const Caption& c : kCaptions)
        if (CWnd* w = GetDlgItem(static_cast<int>(c.id)))
            w->SetWindowText(m_nEnglish ? c.english : c.korean);
    for (int k = 1; k <= 9; ++k) {
        CKivColorCtrl& swatch = m_standard[k - 1];
        swatch.SubclassDlgItem(IDC_ACI_STANDARD_FIRST + static_cast<UINT>(k - 1), this);
        swatch.SetAciColor(k);
        swatch.installEventFilter(this);
    }
    for (int j = 1; j <= 6; ++j) {
        CKivColorCtrl& swatch = m_gray[j - 1];
        swatch.SubclassDlgItem(IDC_ACI_GRAY_FIRST + static_cast<UINT>(j - 1), this);
        swatch.SetAciColor(249 + j);
        swatch.installEventFilter(this);
    }
    m_current.SubclassDlgItem(IDC_ACI_CURRENT, this);
    m_edit.SubclassDlgItem(IDC_ACI_EDIT, this);
    // The swatch follows what is typed, as far as it names a colour.
    QObject::connect(m_edit.widget(), &QLineEdit::textEdited, this, [this] {
        const int c = KivAciColor::GetColor(m_edit.GetWindowText().c_str(), m_nEnglish);
        if (c >= 0 && c <= 256)
            m_current.SetAciColor(c);
    });
    for (UINT id : {IDC_ACI_BYLAYER, IDC_ACI_BYBLOCK})
        if (CWnd* button = GetDlgItem(static_cast<int>(id)))
            button->setEnabled(m_bAllowLogical == 1);
    if (CWnd* group = GetDlgItem(IDC_ACI_PALETTE_GROUP)) {
        const QRect g = group->geometry();
        m_palette.Create(WS_CHILD | WS_VISIBLE, CRect(g.left(), g.top(), g.right() + 1, g.bottom() + 1), this, 0);
        m_palette.raise();
        m_palette.SetPicker([this](int c) { SelectColor(c); });
    }
    SelectColor(m_nColor);
    m_edit.setFocus();
    m_edit.widget()->selectAll();
    return FALSE;
}

void CKivAciColorDlg::SelectColor(int c)
{
    m_nColor = c;
    m_current.SetAciColor(c);
    char name[KivAciColor::kNameSize] = {};
    KivAciColor::GetName(c, m_nEnglish, name);
    m_edit.SetWindowText(name);
}

BOOL CKivAciColorDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDC_ACI_BYLAYER) {
            SelectColor(256);
            return TRUE;
        }
        if (LOWORD(wParam) == IDC_ACI_BYBLOCK) {
            SelectColor(0);
            return TRUE;
        }
    }
    return CKivDialog::OnCommand(wParam, lParam);
}

bool CKivAciColorDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int k = 1; k <= 9; ++k)
            if (watched == &m_standard[k - 1]) {
                SelectColor(k);
                return true;
            }
        for (int j = 1; j <= 6; ++j)
            if (watched == &m_gray[j - 1]) {
                SelectColor(249 + j);
                return true;
            }
    }
    return CKivDialog::eventFilter(watched, event);
}

void CKivAciColorDlg::OnOK()
{
    const int c = KivAciColor::GetColor(m_edit.GetWindowText().c_str(), m_nEnglish);
    const bool logical = c == 0 || c == 256;
    // An empty or unknown text would otherwise come back as BYLAYER or
    // BYBLOCK, and a number past 256 as no colour at all.
    if (c < 0 || c > 256 || (logical && m_bAllowLogical != 1)) {
        const char* text = m_bAllowLogical == 1
            ? (m_nEnglish ? "Enter a colour number from 0 to 256 or a colour name."
                          : "0에서 256 사이의 색상 번호나 색상 이름을 입력하십시오.")
            : (m_nEnglish ? "Enter a colour number from 1 to 255 or a colour name."
                          : "1에서 255 사이의 색상 번호나 색상 이름을 입력하십시오.");
        MessageBox(this, text, GetWindowText().c_str(), MB_OK | MB_ICONEXCLAMATION);
        m_edit.setFocus();
        m_edit.widget()->selectAll();
        return;
    }
    m_nColor = c;
    CKivDialog::OnOK();
}

int KivDlgAciColor(HWND owner, int* color, int allowLogical, int language)
{
    if (!color)
        return 0;
    return CallWithResources(KivDlgResources(), [&] {
        CKivAciColorDlg dialog(owner, *color, allowLogical, language);
        if (dialog.DoModal() != IDOK)
            return 0;
        *color = dialog.GetColor();
        return 1;
    });
}
