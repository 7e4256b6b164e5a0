// SPDX-License-Identifier: MIT
#include "appdialogs/resources.h"

#include "platform/base/WinMessages.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CButton.h"

using namespace kivappdlg;

namespace {

DialogTemplate airfoilTemplate()
{
    DialogTemplate t {"Airfoil", 0, 0, 0, 255, 255, {}};
    const auto edit = [](UINT id, UINT spin, int y) {
        return std::vector<DialogItemTemplate> {
            {id, "EDIT", WS_BORDER, 190, y, 50, 12, ""},
            {spin, "msctls_updown32", 0, 240, y, 10, 12, ""},
        };
    };
    t.items = {
        {IDC_AIRFOIL_DRAW, "STATIC", SS_LEFT, 5, 5, 245, 120, ""},
        {IDC_STATIC, "BUTTON", BS_GROUPBOX, 5, 130, 95, 80, "Type"},
        {IDC_AIRFOIL_JOUKOWSKI, "BUTTON", BS_AUTORADIOBUTTON, 15, 145, 84, 10, "&Joukowski"},
        {IDC_AIRFOIL_NACA4, "BUTTON", BS_AUTORADIOBUTTON, 15, 160, 84, 10, "NACA &4 digit series"},
        {IDC_AIRFOIL_NACA5, "BUTTON", BS_AUTORADIOBUTTON, 15, 175, 84, 10, "NACA &5 digit series"},
        {IDC_AIRFOIL_DATAFILE, "BUTTON", BS_AUTORADIOBUTTON, 15, 190, 84, 10, "&Data file"},
        {IDC_STATIC, "BUTTON", BS_GROUPBOX, 105, 130, 145, 80, "Parameters"},
        {IDC_STATIC, "STATIC", SS_LEFT, 112, 147, 76, 10, "Cam&ber (%):"},
        {IDC_STATIC, "STATIC", SS_LEFT, 112, 162, 76, 10, "Camber &Position(%):"},
        {IDC_STATIC, "STATIC", SS_LEFT, 112, 177, 76, 10, "&Thickness (%):"},
        {IDC_STATIC, "STATIC", SS_LEFT, 112, 192, 76, 10, "&Node:"},
    };
    for (const auto& rows : {edit(IDC_AIRFOIL_CAMBER, IDC_AIRFOIL_CAMBER_SPIN, 145),
             edit(IDC_AIRFOIL_POSITION, IDC_AIRFOIL_POSITION_SPIN, 160),
             edit(IDC_AIRFOIL_THICKNESS, IDC_AIRFOIL_THICKNESS_SPIN, 175),
             edit(IDC_AIRFOIL_NODES, IDC_AIRFOIL_NODES_SPIN, 190)})
        t.items.insert(t.items.end(), rows.begin(), rows.end());
    // The drop-down list's template height (150) held its open list; the
    // closed box here is one line high and Qt opens the list itself.
    const std::vector<DialogItemTemplate> rest = {
        {IDC_STATIC, "STATIC", SS_LEFT, 5, 217, 20, 10, "&File:"},
        {IDC_AIRFOIL_FILE, "COMBOBOX", 0, 25, 215, 195, 13, ""},
        {IDC_AIRFOIL_FIND, "BUTTON", BS_PUSHBUTTON, 220, 215, 15, 13, "&S"},
        {IDC_AIRFOIL_FOLDER, "BUTTON", BS_PUSHBUTTON, 235, 215, 15, 13, "..."},
        {IDC_AIRFOIL_ABOUT, "BUTTON", BS_PUSHBUTTON, 5, 235, 50, 14, "&About..."},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 145, 235, 50, 14, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 200, 235, 50, 14, "&Cancel"},
    };
    t.items.insert(t.items.end(), rest.begin(), rest.end());
    return t;
}

DialogTemplate slideManagerTemplate()
{
    DialogTemplate t {"Slide Library Manager", 0, 0, 0, 380, 220, {}};
    const DWORD list = LBS_SORT | LBS_EXTENDEDSEL | LBS_NOTIFY;
    t.items = {
        {IDC_SLM_TREE, "SysTreeView32", 0, 5, 5, 120, 190, ""},
        {IDC_SLM_FOLDER_VIEW, "STATIC", SS_LEFT, 130, 5, 120, 75, ""},
        {IDC_SLM_LIBRARY_VIEW, "STATIC", SS_LEFT, 255, 5, 120, 75, ""},
        {IDC_SLM_FOLDER, "EDIT", WS_BORDER, 130, 85, 105, 12, ""},
        {IDC_SLM_FOLDER_LIST, "LISTBOX", list, 130, 100, 105, 95, ""},
        {IDC_SLM_ADD_ALL, "BUTTON", BS_PUSHBUTTON, 240, 100, 25, 15, ">>"},
        {IDC_SLM_ADD, "BUTTON", BS_PUSHBUTTON, 240, 120, 25, 15, ">"},
        {IDC_SLM_EXTRACT, "BUTTON", BS_PUSHBUTTON, 240, 140, 25, 15, "<"},
        {IDC_SLM_EXTRACT_ALL, "BUTTON", BS_PUSHBUTTON, 240, 160, 25, 15, "<<"},
        {IDC_SLM_LIBRARY, "EDIT", WS_BORDER, 270, 85, 105, 12, ""},
        {IDC_SLM_LIBRARY_LIST, "LISTBOX", list, 270, 100, 105, 80, ""},
        {IDC_SLM_SELECT, "BUTTON", BS_PUSHBUTTON, 270, 180, 35, 14, "&Select"},
        {IDC_SLM_DELETE, "BUTTON", BS_PUSHBUTTON, 305, 180, 35, 14, "&Delete"},
        {IDC_SLM_DELETE_ALL, "BUTTON", BS_PUSHBUTTON, 340, 180, 35, 14, "D&elete All"},
        {IDC_SLM_ABOUT, "BUTTON", BS_PUSHBUTTON, 5, 200, 50, 14, "&About..."},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 325, 200, 50, 14, "&OK"},
    };
    return t;
}

DialogTemplate cmdHistTemplate()
{
    DialogTemplate t {"Command History : Version 1.0", 0, 0, 0, 170, 220, {}};
    t.items = {
        {IDC_CMDHIST_LIST, "LISTBOX", LBS_NOTIFY, 5, 5, 160, 190, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 5, 200, 50, 14, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 60, 200, 50, 14, "&Cancel"},
        {IDC_CMDHIST_ABOUT, "BUTTON", BS_PUSHBUTTON, 115, 200, 50, 14, "&About"},
    };
    return t;
}

DialogTemplate dwgFileTemplate()
{
    DialogTemplate t {"Select Drawing File", 0, 0, 0, 310, 170, {}};
    t.items = {
        {IDC_DWG_TREE, "SysTreeView32", 0, 5, 5, 165, 140, ""},
        {IDC_DWG_PREVIEW, "STATIC", SS_LEFT, 175, 5, 130, 140, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 5, 150, 50, 14, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 60, 150, 50, 14, "&Cancel"},
        {IDC_DWG_BLOCKLIST, "BUTTON", BS_PUSHBUTTON, 175, 150, 130, 14, "&Block List"},
    };
    return t;
}

DialogTemplate timerTemplate()
{
    DialogTemplate t {"Setup Timer", 0, 0, 0, 245, 130, {}};
    t.items = {
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 190, 5, 50, 14, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 190, 25, 50, 14, "&Cancel"},
        {IDC_STATIC, "BUTTON", BS_GROUPBOX, 5, 5, 180, 35, "Time"},
        {IDC_STATIC, "STATIC", SS_LEFT, 15, 22, 14, 10, "H:"},
        {IDC_TIMER_HOUR, "EDIT", WS_BORDER, 30, 20, 30, 12, ""},
        {IDC_TIMER_HOUR_SPIN, "msctls_updown32", 0, 60, 20, 10, 12, ""},
        {IDC_STATIC, "STATIC", SS_LEFT, 72, 22, 12, 10, "M:"},
        {IDC_TIMER_MINUTE, "EDIT", WS_BORDER, 85, 20, 30, 12, ""},
        {IDC_TIMER_MINUTE_SPIN, "msctls_updown32", 0, 115, 20, 10, 12, ""},
        {IDC_STATIC, "STATIC", SS_LEFT, 128, 22, 12, 10, "S:"},
        {IDC_TIMER_SECOND, "EDIT", WS_BORDER, 140, 20, 30, 12, ""},
        {IDC_TIMER_SECOND_SPIN, "msctls_updown32", 0, 170, 20, 10, 12, ""},
        {IDC_STATIC, "BUTTON", BS_GROUPBOX, 5, 45, 180, 40, "Mode"},
        {IDC_TIMER_STOP, "BUTTON", BS_AUTORADIOBUTTON, 30, 55, 45, 10, "&Stop"},
        {IDC_TIMER_DOWN, "BUTTON", BS_AUTORADIOBUTTON, 85, 55, 45, 10, "&Down"},
        {IDC_TIMER_UP, "BUTTON", BS_AUTORADIOBUTTON, 140, 55, 40, 10, "&Up"},
        {IDC_TIMER_LOOP, "BUTTON", BS_AUTOCHECKBOX, 30, 70, 45, 10, "&Loop"},
        {IDC_STATIC, "BUTTON", BS_GROUPBOX, 5, 90, 180, 30, "Sound"},
        {IDC_STATIC, "STATIC", SS_LEFT, 30, 102, 25, 10, "File:"},
        {IDC_TIMER_SOUND, "COMBOBOX", 0, 60, 100, 95, 13, ""},
        {IDC_TIMER_TEST, "BUTTON", BS_PUSHBUTTON, 155, 100, 20, 12, "&Test"},
    };
    return t;
}

DialogTemplate userPropTemplate()
{
    DialogTemplate t {"User Defined Property Manager", 0, 0, 0, 170, 220, {}};
    t.items = {
        {IDC_USERPROP_LIST, "SysListView32", 0, 5, 5, 160, 150, ""},
        {IDC_STATIC, "BUTTON", BS_GROUPBOX, 5, 160, 160, 35, "Edit"},
        {IDC_USERPROP_APPEND, "BUTTON", BS_PUSHBUTTON, 10, 173, 45, 15, "A&ppend"},
        {IDC_USERPROP_MODIFY, "BUTTON", BS_PUSHBUTTON, 63, 173, 45, 15, "&Modify"},
        {IDC_USERPROP_DELETE, "BUTTON", BS_PUSHBUTTON, 115, 173, 45, 15, "&Delete"},
        {IDC_USERPROP_ABOUT, "BUTTON", BS_PUSHBUTTON, 5, 200, 35, 15, "&About..."},
        {IDC_USERPROP_HELP, "BUTTON", BS_PUSHBUTTON, 45, 200, 35, 15, "&Help"},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 90, 200, 35, 15, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 130, 200, 35, 15, "&Cancel"},
    };
    return t;
}

DialogTemplate propEditTemplate()
{
    DialogTemplate t {"Edit Property", 0, 0, 0, 180, 39, {}};
    t.items = {
        {IDC_STATIC, "STATIC", SS_LEFT, 5, 7, 38, 10, "Name:"},
        {IDC_PROPEDIT_NAME, "EDIT", WS_BORDER, 45, 5, 65, 12, ""},
        {IDC_STATIC, "STATIC", SS_LEFT, 5, 22, 38, 10, "Value:"},
        {IDC_PROPEDIT_VALUE, "EDIT", WS_BORDER, 45, 20, 65, 12, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 125, 5, 50, 14, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 125, 20, 50, 14, "&Cancel"},
    };
    return t;
}

} // namespace

HINSTANCE KivAppDlgResources()
{
    static ResourceModule module = [] {
        ResourceModule m("KivAppDlg");
        m.addDialog(IDD_AIRFOIL, airfoilTemplate());
        m.addString(IDS_AIRFOIL_NAME, "Vandrel Airfoil");
        m.addString(IDS_AIRFOIL_VERSION, "Version 2.1");
        m.addDialog(IDD_SLIDEMANAGER, slideManagerTemplate());
        m.addString(IDS_SLIDEMANAGER_NAME, "Slide Library Manager");
        m.addString(IDS_SLIDEMANAGER_VERSION, "Version 1.6");
        m.addDialog(IDD_CMDHIST, cmdHistTemplate());
        m.addString(IDS_CMDHIST_NAME, "Command History");
        m.addString(IDS_CMDHIST_VERSION, "Version 1.0");
        m.addDialog(IDD_DWGFILE, dwgFileTemplate());
        m.addDialog(IDD_TIMER, timerTemplate());
        m.addDialog(IDD_USERPROP, userPropTemplate());
        m.addString(IDS_USERPROP_NAME, "User Defined Property Manager");
        m.addString(IDS_USERPROP_VERSION, "Version 1.0");
        m.addDialog(IDD_PROPEDIT, propEditTemplate());
        return m;
    }();
    return &module;
}
