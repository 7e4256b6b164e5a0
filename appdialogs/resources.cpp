#include "appdialogs/resources.h"

#include "platform/CButton.h"
#include "platform/MessageBox.h"
#include "platform/WinMessages.h"

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
        return m;
    }();
    return &module;
}
