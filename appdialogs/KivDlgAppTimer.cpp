// SPDX-License-Identifier: MIT
#include "appdialogs/KivDlgAppTimer.h"

#include "appdialogs/resources.h"
#include "controls/CKivComboBox.h"
#include "controls/CKivDialog.h"
#include "controls/CKivEdit.h"
#include "controls/CKivSpinEditCtrl.h"
#include "controls/CKivTimerCtrl.h"
#include "core/KivUtil.h"
#include "platform/services/SoundService.h"
#include "platform/widgets/CButton.h"

using namespace kivappdlg;

namespace {

constexpr UINT kModes[] = {IDC_TIMER_STOP, IDC_TIMER_DOWN, IDC_TIMER_UP};

class CKivTimerDlg : public CKivDialog {
public:
    CKivTimerDlg(QWidget* parent, CKivTimerCtrl* timer) : CKivDialog(IDD_TIMER, parent), m_timer(timer) { }

    BOOL OnInitDialog() override
    {
        CKivDialog::OnInitDialog();
        m_folder = GetMediaFolder();
        struct Link {
            CKivEdit& edit;
            UINT editId;
            CKivSpinEditCtrl& spin;
            UINT spinId;
            int top;
        };
        for (const Link& l : {Link {m_hour, IDC_TIMER_HOUR, m_hourSpin, IDC_TIMER_HOUR_SPIN, 99},
                 Link {m_minute, IDC_TIMER_MINUTE, m_minuteSpin, IDC_TIMER_MINUTE_SPIN, 59},
                 Link {m_second, IDC_TIMER_SECOND, m_secondSpin, IDC_TIMER_SECOND_SPIN, 59}}) {
            l.edit.SubclassDlgItem(l.editId, this);
            l.spin.SubclassDlgItem(l.spinId, this);
            l.spin.SetLink(&l.edit);
            l.edit.Setup(0, l.top, 0, 1);
        }
        m_sound.SubclassDlgItem(IDC_TIMER_SOUND, this);
        m_sound.AddFiles(m_folder.c_str(), "*.wav", 1, 1);
        int mode = 0;
        if (m_timer) {
            int h = 0, m = 0, s = 0;
            m_timer->GetTime(&h, &m, &s);
            m_hour.Setup(0, 99, h, 1);
            m_minute.Setup(0, 59, m, 1);
            m_second.Setup(0, 59, s, 1);
            mode = m_timer->GetMode();
            button(IDC_TIMER_LOOP)->SetCheck(m_timer->GetLoop() ? BST_CHECKED : BST_UNCHECKED);
            const CString title = KivUtil::GetFileTitle(m_timer->GetSound().c_str());
            int found = -1;
            for (int i = 0; i < m_sound.GetCount() && found < 0 && !title.empty(); ++i)
                if (m_sound.GetLBText(i) == title)
                    found = i;
            m_sound.SetCurSel(found < 0 ? 0 : found);
        }
        ApplyMode(mode < 0 || mode > 2 ? 0 : mode);
        return TRUE;
    }

    void OnOK() override
    {
        if (m_timer) {
            m_timer->SetMode(m_mode);
            m_timer->SetLoop(button(IDC_TIMER_LOOP)->GetCheck() == BST_CHECKED ? 1 : 0);
            m_timer->SetTime(m_hour.GetInteger(), m_minute.GetInteger(), m_second.GetInteger());
            m_timer->SetSound(SoundFile().c_str());
        }
        CKivDialog::OnOK();
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        if (HIWORD(wParam) == BN_CLICKED) {
            for (int k = 0; k < 3; ++k)
                if (id == kModes[k]) {
                    ApplyMode(k);
                    return TRUE;
                }
            if (id == IDC_TIMER_TEST) {
                OnTest();
                return TRUE;
            }
        }
        return CKivDialog::OnCommand(wParam, lParam);
    }

private:
    CButton* button(UINT id) { return dynamic_cast<CButton*>(GetDlgItem(static_cast<int>(id))); }

    CString SoundFile()
    {
        const int chosen = m_sound.GetCurSel();
        return m_folder + "/" + (chosen >= 0 ? m_sound.GetLBText(chosen) : CString()) + ".wav";
    }

    void ApplyMode(int mode)
    {
        m_mode = mode;
        for (int k = 0; k < 3; ++k)
            button(kModes[k])->SetCheck(k == mode ? BST_CHECKED : BST_UNCHECKED);
        for (UINT id : {IDC_TIMER_HOUR, IDC_TIMER_HOUR_SPIN, IDC_TIMER_MINUTE, IDC_TIMER_MINUTE_SPIN, IDC_TIMER_SECOND,
                 IDC_TIMER_SECOND_SPIN, IDC_TIMER_LOOP, IDC_TIMER_SOUND, IDC_TIMER_TEST})
            if (CWnd* item = GetDlgItem(static_cast<int>(id)))
                item->setEnabled(mode != 0);
    }

    // The sound plays without holding the dialog: the window keeps
    // answering meanwhile, where the original waited for the end.
    void OnTest()
    {
        CWnd* test = GetDlgItem(IDC_TIMER_TEST);
        test->setEnabled(false);
        BeginWaitCursor();
        PlaySound(SoundFile().c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NOSTOP);
        EndWaitCursor();
        test->setEnabled(true);
    }

    CKivTimerCtrl* m_timer;
    CString m_folder;
    int m_mode = 0;
    CKivEdit m_hour, m_minute, m_second;
    CKivSpinEditCtrl m_hourSpin, m_minuteSpin, m_secondSpin;
    CKivComboBox m_sound;
};

} // namespace

int KivDlgAppTimer(HWND parent, CKivTimerCtrl* timer)
{
    return CallWithResources(KivAppDlgResources(), [&] {
        CKivTimerDlg dialog(parent, timer);
        return dialog.DoModal() == IDOK ? 1 : 0;
    });
}
