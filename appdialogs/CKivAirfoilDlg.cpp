// SPDX-License-Identifier: MIT
#include "appdialogs/CKivAirfoilDlg.h"

#include "appdialogs/resources.h"
#include "dialogs/KivDlgAbout.h"
#include "dialogs/KivDlgFindParam.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CButton.h"

#include <cmath>

using namespace kivappdlg;

namespace {

constexpr UINT kRadios[] = {IDC_AIRFOIL_JOUKOWSKI, IDC_AIRFOIL_NACA4, IDC_AIRFOIL_NACA5, IDC_AIRFOIL_DATAFILE};
constexpr int kDataFile = 3;

// A value that is no number starts the edit at its lowest.
double finiteOrZero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

} // namespace

CKivAirfoilDlg::CKivAirfoilDlg(QWidget* parent) : CKivDialog(IDD_AIRFOIL, parent)
{
}

CKivAirfoilDlg::~CKivAirfoilDlg()
{
    m_fileList.removeData();
}

CKivEdit* CKivAirfoilDlg::GetEdit(UINT id)
{
    switch (id) {
    case IDC_AIRFOIL_CAMBER: return &m_editCamber;
    case IDC_AIRFOIL_POSITION: return &m_editPosition;
    case IDC_AIRFOIL_THICKNESS: return &m_editThickness;
    case IDC_AIRFOIL_NODES: return &m_editNodes;
    default: return nullptr;
    }
}

BOOL CKivAirfoilDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    const HINSTANCE res = AfxGetResourceHandle();
    SetWindowText((res->string(IDS_AIRFOIL_NAME) + " : " + res->string(IDS_AIRFOIL_VERSION)).c_str());
    // The folder is joined to file names as it stands.
    if (!m_folder.empty() && m_folder.back() != '/' && m_folder.back() != '\\')
        m_folder += '/';

    struct Link {
        CKivEdit& edit;
        UINT editId;
        CKivSpinEditCtrl& spin;
        UINT spinId;
    };
    for (const Link& l : {Link {m_editCamber, IDC_AIRFOIL_CAMBER, m_spinCamber, IDC_AIRFOIL_CAMBER_SPIN},
             Link {m_editPosition, IDC_AIRFOIL_POSITION, m_spinPosition, IDC_AIRFOIL_POSITION_SPIN},
             Link {m_editThickness, IDC_AIRFOIL_THICKNESS, m_spinThickness, IDC_AIRFOIL_THICKNESS_SPIN},
             Link {m_editNodes, IDC_AIRFOIL_NODES, m_spinNodes, IDC_AIRFOIL_NODES_SPIN}}) {
        l.edit.SubclassDlgItem(l.editId, this);
        l.spin.SubclassDlgItem(l.spinId, this);
        l.spin.SetLink(&l.edit);
        // Typing and the arrows both change the text; either redraws.
        QObject::connect(l.edit.widget(), &QLineEdit::textChanged, this, [this] { Redraw(); });
    }
    m_editCamber.Setup(0.0, 100.0, finiteOrZero(m_camber), 0.1, 2);
    m_editPosition.Setup(0.0, 100.0, finiteOrZero(m_position), 0.1, 2);
    m_editThickness.Setup(0.0, 100.0, finiteOrZero(m_thickness), 0.1, 2);
    m_editNodes.Setup(10, 360, m_nodes, 1);
    m_comboFile.SubclassDlgItem(IDC_AIRFOIL_FILE, this);
    m_ready = true;
    Rescan();
    return TRUE;
}

void CKivAirfoilDlg::Enable(UINT id, bool enable)
{
    if (CWnd* w = GetDlgItem(static_cast<int>(id)))
        w->setEnabled(enable);
}

void CKivAirfoilDlg::Rescan()
{
    BeginWaitCursor();
    ZopAirfoil::DisplayAirfoilInfo(&m_comboFile, m_folder.c_str(), m_file.c_str(), &m_fileList);
    EndWaitCursor();
    ApplyKind(m_type);
}

void CKivAirfoilDlg::ApplyKind(int k)
{
    m_type = k;
    for (int i = 0; i < 4; ++i)
        if (auto* radio = dynamic_cast<CButton*>(GetDlgItem(static_cast<int>(kRadios[i]))))
            radio->SetCheck(i == k ? BST_CHECKED : BST_UNCHECKED);
    const bool parameters = k != kDataFile;
    for (UINT id : {IDC_AIRFOIL_CAMBER, IDC_AIRFOIL_CAMBER_SPIN, IDC_AIRFOIL_POSITION, IDC_AIRFOIL_POSITION_SPIN,
             IDC_AIRFOIL_THICKNESS, IDC_AIRFOIL_THICKNESS_SPIN, IDC_AIRFOIL_NODES, IDC_AIRFOIL_NODES_SPIN})
        Enable(id, parameters);
    // A Joukowski section has no camber position.
    if (parameters) {
        Enable(IDC_AIRFOIL_POSITION, k != 0);
        Enable(IDC_AIRFOIL_POSITION_SPIN, k != 0);
    }
    const bool files = m_fileList.getCount() > 0 && k == kDataFile;
    Enable(IDC_AIRFOIL_FILE, files);
    Enable(IDC_AIRFOIL_FIND, files);
    Enable(IDC_AIRFOIL_FOLDER, k == kDataFile);
    Redraw();
}

void CKivAirfoilDlg::UpdateData()
{
    m_camber = m_editCamber.GetDouble();
    m_position = m_editPosition.GetDouble();
    m_thickness = m_editThickness.GetDouble();
    // Read through the edit, so a typed 400 counts as its top, 360.
    m_nodes = m_editNodes.GetInteger();
}

void CKivAirfoilDlg::Redraw()
{
    CWnd* area = GetDlgItem(IDC_AIRFOIL_DRAW);
    if (!m_ready || !area)
        return;
    UpdateData();
    m_drawn = ZopAirfoil(m_type, m_camber, m_position, m_thickness, m_nodes);
    // Draw keeps the section it made: a file's own count shows in m_drawn.
    m_drawn.Draw(area, m_folder.c_str(), m_file.c_str());
    ++m_drawCount;
}

void CKivAirfoilDlg::OnFileChosen()
{
    const int chosen = m_comboFile.GetCurSel();
    if (chosen >= 0 && chosen < m_fileList.getCount())
        m_file = m_fileList.getParam(chosen);
    Redraw();
}

void CKivAirfoilDlg::OnFolder()
{
    CFileDialog dialog(
        TRUE, ".dat", nullptr, OFN_HIDEREADONLY, "Airfoil Data Files (*.dat)|*.dat|All Files (*.*)|*.*||", this);
    dialog.SetTitle("Select Directory");
    dialog.SetInitialDir(m_folder.c_str());
    if (dialog.DoModal() != IDOK)
        return;
    const CString folder = dialog.GetFolderPath();
    const CString file = dialog.GetFileName();
    // What the caller gets back must fit its buffers.
    if (folder.size() >= kPathSize || file.size() >= kPathSize) {
        MessageBox(
            this, "The path of the chosen file is too long.", GetWindowText().c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_folder = folder;
    m_file = file;
    Rescan();
    OnFileChosen();
}

void CKivAirfoilDlg::OnFind()
{
    int index = -1;
    if (KivDlgFindParam(this, &m_fileList, &index, "Find Airfoil") != 1)
        return;
    if (index < 0 || index >= m_fileList.getCount())
        return;
    m_file = m_fileList.getParam(index);
    // The combo box holds the list's entries in the list's order, so the
    // entry's own item is chosen even where one name begins another.
    m_comboFile.SetCurSel(index);
    Redraw();
}

void CKivAirfoilDlg::OnAbout()
{
    const HINSTANCE res = AfxGetResourceHandle();
    KivDlgAbout(this, nullptr, res->string(IDS_AIRFOIL_NAME).c_str(), res->string(IDS_AIRFOIL_VERSION).c_str(),
        "Airfoil sections for CAD and analysis", "https://example.org/vandrel", "vandrel@example.org");
}

BOOL CKivAirfoilDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (int k = 0; k < 4; ++k)
        if (id == kRadios[k] && code == BN_CLICKED) {
            ApplyKind(k);
            return TRUE;
        }
    if (id == IDC_AIRFOIL_FILE && code == CBN_SELCHANGE) {
        OnFileChosen();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_AIRFOIL_FOLDER: OnFolder(); return TRUE;
        case IDC_AIRFOIL_FIND: OnFind(); return TRUE;
        case IDC_AIRFOIL_ABOUT: OnAbout(); return TRUE;
        default: break;
        }
    }
    return CKivDialog::OnCommand(wParam, lParam);
}

void CKivAirfoilDlg::OnOK()
{
    UpdateData();
    CKivDialog::OnOK();
}
