// SPDX-License-Identifier: MIT
#include "appdialogs/KivDlgAppUserProp.h"

#include "appdialogs/resources.h"
#include "controls/CKivDialog.h"
#include "controls/CKivHyperCtrl.h"
#include "controls/CKivListCtrl.h"
#include "controls/KivColumnList.h"
#include "core/KivParamList.h"
#include "dialogs/KivDlgAbout.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CEdit.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QUrl>

using namespace kivappdlg;

namespace {

constexpr std::size_t kMaxText = 255; // as a KivParamData record holds

CString bounded(CString text)
{
    if (text.size() > kMaxText)
        text.resize(kMaxText);
    return text;
}

// A help page of share/vandrel/help: beside the program (the build tree and
// an installed prefix alike keep it in ../share from bin), else in the
// desktop's data folders. Empty when there is none.
QString helpPage(const char* name)
{
    const QString relative = QString("vandrel/help/%1").arg(QLatin1String(name));
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("../share/" + relative);
    if (QFileInfo(beside).isFile())
        return QFileInfo(beside).canonicalFilePath();
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative);
}

// The editor of one property: a name and a value.
class CKivPropEditDlg : public CKivDialog {
public:
    CKivPropEditDlg(QWidget* parent, CString name, CString value)
        : CKivDialog(IDD_PROPEDIT, parent), m_name(std::move(name)), m_value(std::move(value))
    {
    }

    BOOL OnInitDialog() override
    {
        CKivDialog::OnInitDialog();
        m_nameEdit.SubclassDlgItem(IDC_PROPEDIT_NAME, this);
        m_valueEdit.SubclassDlgItem(IDC_PROPEDIT_VALUE, this);
        m_nameEdit.widget()->setMaxLength(static_cast<int>(kMaxText));
        m_valueEdit.widget()->setMaxLength(static_cast<int>(kMaxText));
        m_nameEdit.SetWindowText(m_name.c_str());
        m_valueEdit.SetWindowText(m_value.c_str());
        return TRUE;
    }

    void OnOK() override
    {
        m_name = bounded(m_nameEdit.GetWindowText());
        m_value = bounded(m_valueEdit.GetWindowText());
        CKivDialog::OnOK();
    }

    CString m_name, m_value;

private:
    CEdit m_nameEdit, m_valueEdit;
};

class CKivUserPropDlg : public CKivDialog {
public:
    CKivUserPropDlg(QWidget* parent, KivParamList* props) : CKivDialog(IDD_USERPROP, parent), m_props(props) { }

    BOOL OnInitDialog() override
    {
        CKivDialog::OnInitDialog();
        m_list.SubclassDlgItem(IDC_USERPROP_LIST, this);
        KivColumnList columns;
        columns.add("Name", 'L', 100.0f);
        columns.add("Value", 'L', 200.0f);
        m_list.SetHeader(&columns, 1);
        m_list.widget()->setSelectionMode(QAbstractItemView::SingleSelection);
        for (int i = 0; m_props && i < m_props->getCount(); ++i)
            addRow(m_props->getParam(i), m_props->getValue(i));
        QObject::connect(m_list.widget(), &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { m_current = item ? m_list.widget()->indexOfTopLevelItem(item) : -1; });
        QObject::connect(m_list.widget(), &QTreeWidget::itemDoubleClicked, this, [this] { OnModify(); });
        m_current = -1;
        return TRUE;
    }

    void OnOK() override
    {
        if (m_props) {
            m_props->removeData();
            for (int i = 0; i < m_list.GetItemCount(); ++i)
                m_props->addParam(m_list.GetItemText(i, 0).c_str(), m_list.GetItemText(i, 1).c_str());
        }
        CKivDialog::OnOK();
    }

    CKivListCtrl m_list;
    int m_current = -1;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case IDC_USERPROP_APPEND: OnAppend(); return TRUE;
            case IDC_USERPROP_MODIFY: OnModify(); return TRUE;
            case IDC_USERPROP_DELETE: OnDelete(); return TRUE;
            case IDC_USERPROP_ABOUT: OnAbout(); return TRUE;
            case IDC_USERPROP_HELP: OnHelp(); return TRUE;
            default: break;
            }
        }
        return CKivDialog::OnCommand(wParam, lParam);
    }

private:
    int addRow(const CString& name, const CString& value)
    {
        const int row = m_list.InsertItem(m_list.GetItemCount(), bounded(name).c_str());
        m_list.SetItemText(row, 1, bounded(value).c_str());
        return row;
    }

    // A row other than except with exactly this name.
    bool taken(const CString& name, int except) const
    {
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            if (i != except && m_list.GetItemText(i, 0) == name)
                return true;
        return false;
    }

    bool hasCurrent() const
    {
        return m_current >= 0 && m_current < m_list.GetItemCount() && m_list.GetSelectedCount() > 0;
    }

    void duplicated() { MessageBox(this, "Duplicated property name!", "Error", MB_OK | MB_ICONERROR); }

    void OnAppend()
    {
        CKivPropEditDlg editor(this, "", "");
        if (editor.DoModal() != IDOK)
            return;
        if (taken(editor.m_name, -1)) {
            duplicated();
            return;
        }
        const int row = addRow(editor.m_name, editor.m_value);
        m_list.SetCurSel(row);
        m_current = row;
    }

    void OnModify()
    {
        if (!hasCurrent())
            return;
        const CString oldName = m_list.GetItemText(m_current, 0);
        CKivPropEditDlg editor(this, oldName, m_list.GetItemText(m_current, 1));
        if (editor.DoModal() != IDOK)
            return;
        if (editor.m_name != oldName && taken(editor.m_name, m_current)) {
            duplicated();
            return;
        }
        m_list.SetItemText(m_current, 0, editor.m_name.c_str());
        m_list.SetItemText(m_current, 1, editor.m_value.c_str());
    }

    void OnDelete()
    {
        if (!hasCurrent())
            return;
        if (MessageBox(this, "Are you sure?", "Confirm", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        m_list.DeleteItem(m_current);
        m_current
            = m_list.GetItemCount() > 0 ? m_list.widget()->indexOfTopLevelItem(m_list.widget()->currentItem()) : -1;
    }

    // The bundled help page, in the browser the desktop chooses.
    void OnHelp()
    {
        const QString page = helpPage("user-properties.html");
        if (page.isEmpty()) {
            MessageBox(
                this, "The help page user-properties.html is not installed.", "Help", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    }

    void OnAbout()
    {
        const HINSTANCE res = AfxGetResourceHandle();
        KivDlgAbout(this, nullptr, res->string(IDS_USERPROP_NAME).c_str(), res->string(IDS_USERPROP_VERSION).c_str(),
            "Properties of your own for every drawing", "https://example.org/vandrel", "vandrel@example.org");
    }

    KivParamList* m_props;
};

} // namespace

int KivDlgAppUserProp(HWND parent, KivParamList* props)
{
    return CallWithResources(KivAppDlgResources(), [&] {
        CKivUserPropDlg dialog(parent, props);
        return dialog.DoModal() == IDOK ? 1 : 0;
    });
}
