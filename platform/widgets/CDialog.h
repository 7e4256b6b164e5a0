// SPDX-License-Identifier: MIT
// A dialog built from a template of the current resource module: its
// controls, identifiers and dialog-unit geometry. It is a QDialog: DoModal
// runs exec() and gives what EndDialog passed to done(); Esc and the close
// box reach OnCancel, and Enter clicks the default button as Qt does (OnOK
// when there is none, as in Win32). Tests set a modal hook that runs once a
// modal dialog is up, to click its buttons or end it.
//
// A dialog has every call of a window (CWndT) but is not a CWnd: Qt gives an
// object one QObject base, and the dialog's is the QDialog.
#pragma once

#include "platform/KivGui_export.h"

#include "platform/base/WinMessages.h"
#include "platform/widgets/CWnd.h"
#include "platform/widgets/Resources.h"

#include <QDialog>

#include <functional>

extern template class CWndT<QDialog>;

class KIVGUI_EXPORT CDialog : public CWndT<QDialog> {
public:
    explicit CDialog(UINT templateId = 0, QWidget* parent = nullptr);
    ~CDialog() override;

    // IDCANCEL when the dialog goes away without EndDialog.
    virtual INT_PTR DoModal();
    // A modeless dialog from template id (0: the one given at construction),
    // owned by parent: made, initialised and shown unless OnInitDialog ended
    // it. FALSE when the template is missing or it was ended.
    BOOL Create(UINT templateId, QWidget* parent = nullptr);
    void EndDialog(int result);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    CWnd* GetDlgItem(int id) const;
    // Over the owner (the parent's window by default) when it is visible,
    // else over the screen.
    void CenterWindow(QWidget* alternateOwner = nullptr);
    // Gives the icon set before; the big one becomes the window's icon.
    HICON SetIcon(HICON icon, BOOL big);

    // Runs in every modal loop as soon as the dialog shows; null removes it.
    static void SetModalHook(std::function<void(CDialog&)> hook);

    // Qt's ways of ending a dialog reach the handlers.
    void accept() override;
    void reject() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createFromTemplate();
    // Room for the texts OnInitDialog set, and a fixed size unless the
    // template's frame is resizable; just before the dialog shows.
    void settleFrame();

    UINT m_templateId;
    bool m_created = false;
    bool m_ended = false;
    bool m_fixedFrame = false;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
};
