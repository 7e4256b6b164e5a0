// SPDX-License-Identifier: MIT
#include "dialogs/resources.h"

#include "platform/base/WinMessages.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CListCtrl.h"
#include "platform/widgets/CProgressCtrl.h"

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

// The viewers: one view above a centred Close button; the dialog keeps that
// layout at any size.
DialogTemplate viewerTemplate(const char* caption, UINT viewId, const char* viewClass, DWORD viewStyle)
{
    DialogTemplate t {caption, WS_THICKFRAME, 0, 0, 300, 230, {}};
    t.items = {
        {viewId, viewClass, viewStyle, 5, 5, 290, 200, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 125, 210, 50, 15, "&Close"},
    };
    return t;
}

DialogTemplate aciColorTemplate()
{
    DialogTemplate t {"Select Color", 0, 0, 0, 215, 215, {}};
    t.items = {
        {IDC_ACI_STANDARD_GROUP, "BUTTON", BS_GROUPBOX, 5, 3, 130, 32, "Standard Colors"},
        {IDC_ACI_GRAY_GROUP, "BUTTON", BS_GROUPBOX, 5, 38, 130, 32, "Gray Shaders"},
        {IDC_ACI_LOGICAL_GROUP, "BUTTON", BS_GROUPBOX, 140, 3, 70, 67, "Logical Colors"},
        {IDC_ACI_BYLAYER, "BUTTON", BS_PUSHBUTTON, 147, 16, 56, 14, "BY&LAYER"},
        {IDC_ACI_BYBLOCK, "BUTTON", BS_PUSHBUTTON, 147, 34, 56, 14, "&BYBLOCK"},
        {IDC_ACI_PALETTE_GROUP, "BUTTON", BS_GROUPBOX, 5, 75, 205, 95, "Full Color Palette"},
        {IDC_ACI_LABEL, "STATIC", SS_LEFT, 7, 178, 28, 10, "&Color:"},
        {IDC_ACI_EDIT, "EDIT", WS_BORDER, 37, 176, 60, 12, ""},
        {IDC_ACI_CURRENT, "STATIC", SS_LEFT, 101, 176, 20, 12, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 105, 196, 50, 14, "OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 160, 196, 50, 14, "Cancel"},
    };
    for (int k = 0; k < 9; ++k)
        t.items.push_back(
            {IDC_ACI_STANDARD_FIRST + static_cast<UINT>(k), "STATIC", SS_NOTIFY, 11 + k * 13, 16, 11, 12, ""});
    for (int j = 0; j < 6; ++j)
        t.items.push_back(
            {IDC_ACI_GRAY_FIRST + static_cast<UINT>(j), "STATIC", SS_NOTIFY, 11 + j * 20, 51, 16, 12, ""});
    return t;
}

DialogTemplate getPathTemplate()
{
    DialogTemplate t {"Title", 0, 0, 0, 160, 175, {}};
    t.items = {
        {IDC_PATH_LABEL, "STATIC", SS_LEFT | SS_NOPREFIX, 5, 5, 150, 10, "Comment"},
        {IDC_PATH_TREE, "SysTreeView32", WS_BORDER, 5, 17, 150, 120, ""},
        {IDC_PATH_FREE, "STATIC", SS_LEFT | SS_NOPREFIX, 5, 141, 150, 10, "Free Space"},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 50, 156, 50, 14, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 105, 156, 50, 14, "&Cancel"},
    };
    return t;
}

// Laid out again on every size change; these places are the first ones.
DialogTemplate iconMenuTemplate()
{
    DialogTemplate t {"Icon Menu", WS_THICKFRAME, 0, 0, 375, 230, {}};
    t.items = {
        {IDC_ICON_LIST, "LISTBOX", WS_BORDER | SS_NOTIFY, 7, 7, 100, 195, ""},
        {IDC_ICON_SPLIT, "STATIC", SS_LEFT, 107, 7, 4, 195, ""},
        {IDC_ICON_BROWSER, "STATIC", SS_NOTIFY, 111, 7, 257, 195, ""},
        {IDC_ICON_PREV, "BUTTON", BS_PUSHBUTTON, 7, 209, 40, 14, "&Prev"},
        {IDC_ICON_NEXT, "BUTTON", BS_PUSHBUTTON, 54, 209, 40, 14, "&Next"},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 208, 209, 50, 14, "&OK"},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 263, 209, 50, 14, "&Cancel"},
        {IDC_ICON_ABOUT, "BUTTON", BS_PUSHBUTTON, 318, 209, 50, 14, "&About..."},
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
        m.addDialog(IDD_VIEW_SLIDE, viewerTemplate("View Slide", IDC_VIEW_SLIDE, "STATIC", SS_NOTIFY));
        m.addDialog(IDD_VIEW_THUMB, viewerTemplate("View Thumbnail", IDC_VIEW_SLIDE, "STATIC", SS_NOTIFY));
        m.addDialog(IDD_VIEW_DWG, viewerTemplate("View Drawing", IDC_VIEW_DWG, "STATIC", SS_LEFT));
        m.addDialog(IDD_VIEW_RICH, viewerTemplate("View RichText", IDC_VIEW_RICH, "RICHEDIT", WS_BORDER));
        m.addDialog(IDD_ACI_COLOR, aciColorTemplate());
        m.addDialog(IDD_GET_PATH, getPathTemplate());
        m.addDialog(IDD_ICON_MENU, iconMenuTemplate());
        m.addString(IDS_ABOUT_TITLE, "About %s");
        m.addString(IDS_ICON_MENU, "Icon Menu");
        m.addString(IDS_VERSION, "Version 3.0");
        return m;
    }();
    return &module;
}
