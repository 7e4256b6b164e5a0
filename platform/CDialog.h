// A dialog built from a template of the current resource module: its
// controls, identifiers and dialog-unit geometry. DoModal runs it modally
// and gives what EndDialog was given. Tests set a modal hook that runs once
// a modal dialog is up, to click its buttons or end it.
#pragma once

#include "platform/CWnd.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"

#include <functional>

class QEventLoop;

class KIVPLATFORM_EXPORT CButton : public CWnd {
public:
    explicit CButton(QWidget* parent = nullptr);
    BOOL Create(const char* text, DWORD style, const CRect& rect, QWidget* parent, UINT id);
    using CWnd::Create;
    int GetCheck() const;
    void SetCheck(int check);
    void SetWindowText(const char* text);
    QWidget* widget() const { return m_widget; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_widget = nullptr;
};

class KIVPLATFORM_EXPORT CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, QWidget* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    void EndDialog(int result);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    CWnd* GetDlgItem(int id) const;
    void CenterWindow(QWidget* alternateOwner = nullptr);
    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const { return big ? m_bigIcon : m_smallIcon; }
    UINT GetTemplateId() const { return m_templateId; }
    bool IsModalRunning() const { return m_loop != nullptr; }

    // Runs in every modal loop as soon as the dialog shows; null removes it.
    static void SetModalHook(std::function<void(CDialog&)> hook);

    // A window class for template items ("EDIT", "COMBOBOX" …): makes the
    // child control for an item.
    using ControlFactory = std::function<CWnd*(const DialogItemTemplate& item, const CRect& rect, CDialog* parent)>;
    static void RegisterControlClass(const char* className, ControlFactory factory);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createFromTemplate();

    UINT m_templateId;
    bool m_created = false;
    QEventLoop* m_loop = nullptr;
    int m_result = 0;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
};
