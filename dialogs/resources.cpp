#include "dialogs/resources.h"

#include "platform/CListCtrl.h"
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

DialogTemplate inputTextTemplate()
{
    DialogTemplate t {"Input String", 0, 0, 0, 265, 70, {}};
    t.items = {
        {IDC_INPUT_PROMPT, "STATIC", SS_LEFT, 7, 7, 251, 10, "질문"},
        {IDC_INPUT_EDIT, "EDIT", WS_BORDER, 7, 22, 251, 12, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 153, 48, 50, 14, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 208, 48, 50, 14, "&Cancel"},
    };
    return t;
}

// Find is the default button: Enter in the edit filters the list.
DialogTemplate findParamTemplate()
{
    DialogTemplate t {"Find Data", 0, 0, 0, 165, 205, {}};
    t.items = {
        {IDC_FIND_LIST, "SysListView32", LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER, 5, 5, 155, 155, ""},
        {IDC_FIND_EDIT, "EDIT", WS_BORDER, 5, 167, 100, 12, ""},
        {IDC_FIND_BUTTON, "BUTTON", BS_DEFPUSHBUTTON, 110, 166, 50, 14, "&Find"},
        {IDOK, "BUTTON", BS_PUSHBUTTON, 55, 186, 50, 14, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 110, 186, 50, 14, "&Cancel"},
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
        m.addDialog(IDD_INPUT_TEXT, inputTextTemplate());
        m.addDialog(IDD_FIND_PARAM, findParamTemplate());
        m.addString(IDS_ABOUT_TITLE, "About %s");
        m.addString(IDS_ICON_MENU, "Icon Menu");
        m.addString(IDS_VERSION, "Version 3.0");
        return m;
    }();
    return &module;
}
