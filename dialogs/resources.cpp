#include "dialogs/resources.h"

#include "platform/CProgressCtrl.h"
#include "platform/MessageBox.h"
#include "platform/WinMessages.h"

using namespace kivdlg;

namespace {

DialogTemplate progressTemplate()
{
    DialogTemplate t {"Progress", 0, 0, 0, 300, 70, {}};
    t.items = {
        {IDC_PROGRESS_MESSAGE, "STATIC", SS_LEFT, 5, 5, 290, 25, ""},
        {IDC_PROGRESS_BAR, "msctls_progress32", PBS_SMOOTH | WS_BORDER, 5, 35, 290, 12, ""},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 125, 50, 50, 14, "&Cancel"},
    };
    return t;
}

DialogTemplate aboutTemplate()
{
    DialogTemplate t {"About", 0, 0, 0, 200, 110, {}};
    t.items = {
        {IDC_ABOUT_ICON, "STATIC", SS_ICON, 10, 10, 21, 20, ""},
        {IDC_ABOUT_PRODUCT, "STATIC", SS_LEFT, 40, 10, 155, 10, ""},
        {IDC_ABOUT_VERSION, "STATIC", SS_LEFT, 40, 20, 155, 10, ""},
        {IDC_ABOUT_NOTICE, "STATIC", SS_LEFT, 40, 30, 155, 10, ""},
        {IDC_ABOUT_WEB, "STATIC", SS_NOTIFY, 40, 50, 155, 10, ""},
        {IDC_ABOUT_MAIL, "STATIC", SS_NOTIFY, 40, 60, 155, 10, ""},
        {IDC_STATIC, "STATIC", SS_ETCHEDHORZ, 40, 80, 155, 2, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 145, 90, 50, 14, "&OK"},
    };
    return t;
}

} // namespace

HINSTANCE KivDlgResources()
{
    static ResourceModule module = [] {
        ResourceModule m("KivDlg");
        m.addDialog(IDD_PROGRESS, progressTemplate());
        m.addDialog(IDD_ABOUT, aboutTemplate());
        m.addString(IDS_ABOUT_TITLE, "About %s");
        m.addString(IDS_ICON_MENU, "Icon Menu");
        m.addString(IDS_VERSION, "Version 3.0");
        return m;
    }();
    return &module;
}
