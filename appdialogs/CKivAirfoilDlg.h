// SPDX-License-Identifier: MIT
// The airfoil dialog: the kind of section, its camber, camber position,
// thickness and number of nodes, or a coordinate file of a folder, drawn as
// they change. The members hold the choice; the caller sets them before
// DoModal and reads them after OK.
#pragma once

#include "airfoil/ZopAirfoil.h"
#include "appdialogs/KivAppDlg_export.h"
#include "controls/CKivDialog.h"
#include "controls/CKivEdit.h"
#include "controls/CKivSpinEditCtrl.h"
#include "core/KivParamList.h"
#include "platform/widgets/CComboBox.h"

class KIVAPPDLG_EXPORT CKivAirfoilDlg : public CKivDialog {
public:
    // The longest folder or file name, with its terminator, that the dialog
    // takes from the folder button: what a caller's MAX_PATH buffer holds.
    static constexpr std::size_t kPathSize = 260;

    explicit CKivAirfoilDlg(QWidget* parent = nullptr);
    ~CKivAirfoilDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Refills the file list from m_folder, selecting m_file, then applies
    // the kind.
    void Rescan();
    // Kind k: enables the controls that belong to it and redraws.
    void ApplyKind(int k);
    // Reads the controls into the members and draws the section.
    void Redraw();

    // The section drawn last, as it was made from the controls.
    const ZopAirfoil& GetDrawn() const { return m_drawn; }
    int GetDrawCount() const { return m_drawCount; }
    CComboBox* GetFileCombo() { return &m_comboFile; }
    CKivEdit* GetEdit(UINT id);

    double m_camber = 0;
    double m_position = 0;
    double m_thickness = 0;
    int m_nodes = 0;
    int m_type = -1;
    CString m_folder; // ends in a separator
    CString m_file; // the name only
    KivParamList m_fileList; // name = file name, value = title line

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateData();
    void OnFileChosen();
    void OnFolder();
    void OnFind();
    void OnAbout();
    void Enable(UINT id, bool enable);

    CKivEdit m_editCamber, m_editPosition, m_editThickness, m_editNodes;
    CKivSpinEditCtrl m_spinCamber, m_spinPosition, m_spinThickness, m_spinNodes;
    CComboBox m_comboFile;
    ZopAirfoil m_drawn;
    int m_drawCount = 0;
    bool m_ready = false;
};
