// SPDX-License-Identifier: MIT
// The resources of KivDlg: the viewers (1002, 15002, 15004, 15006), the
// colour, folder and icon pickers (15001, 1170, 15003), the progress window
// (1001), the about box (1000), the input box (2000) and the find box
// (15005), and their strings.
#pragma once

#include "dialogs/KivDlg_export.h"
#include "platform/widgets/Resources.h"

namespace kivdlg {
constexpr UINT IDD_PROGRESS = 1001;
constexpr UINT IDC_PROGRESS_BAR = 1001;
constexpr UINT IDC_PROGRESS_MESSAGE = 1002;

constexpr UINT IDD_ABOUT = 1000;
constexpr UINT IDC_ABOUT_PRODUCT = 1000;
constexpr UINT IDC_ABOUT_VERSION = 1001;
constexpr UINT IDC_ABOUT_NOTICE = 1002;
constexpr UINT IDC_ABOUT_WEB = 1003;
constexpr UINT IDC_ABOUT_MAIL = 1004;
constexpr UINT IDC_ABOUT_ICON = 1005;

constexpr UINT IDD_INPUT_TEXT = 2000;
constexpr UINT IDC_INPUT_PROMPT = 2001;
constexpr UINT IDC_INPUT_EDIT = 1012;

constexpr UINT IDD_FIND_PARAM = 15005;
constexpr UINT IDC_FIND_LIST = 15000;
constexpr UINT IDC_FIND_EDIT = 1013;
constexpr UINT IDC_FIND_BUTTON = 3;

constexpr UINT IDD_VIEW_SLIDE = 1002;
constexpr UINT IDD_VIEW_THUMB = 15002;
constexpr UINT IDC_VIEW_SLIDE = 1006; // the slide view, and the browser of "View Thumbnail"
constexpr UINT IDD_VIEW_DWG = 15004;
constexpr UINT IDC_VIEW_DWG = 1011;
constexpr UINT IDD_VIEW_RICH = 15006;
constexpr UINT IDC_VIEW_RICH = 1014;

constexpr UINT IDD_ACI_COLOR = 15001;
constexpr UINT IDC_ACI_EDIT = 15003;
constexpr UINT IDC_ACI_BYLAYER = 15004;
constexpr UINT IDC_ACI_BYBLOCK = 15005;
constexpr UINT IDC_ACI_CURRENT = 15006;
constexpr UINT IDC_ACI_STANDARD_GROUP = 15007;
constexpr UINT IDC_ACI_GRAY_GROUP = 15008;
constexpr UINT IDC_ACI_LOGICAL_GROUP = 15009;
constexpr UINT IDC_ACI_PALETTE_GROUP = 15010;
constexpr UINT IDC_ACI_LABEL = 15011;
constexpr UINT IDC_ACI_STANDARD_FIRST = 15012; // 15011 + k shows colour k, k = 1..9
constexpr UINT IDC_ACI_GRAY_FIRST = 15021; // 15020 + j shows colour 249 + j, j = 1..6

constexpr UINT IDD_GET_PATH = 1170;
constexpr UINT IDC_PATH_TREE = 1001;
constexpr UINT IDC_PATH_FREE = 1008;
constexpr UINT IDC_PATH_LABEL = 1016;

constexpr UINT IDD_ICON_MENU = 15003;
constexpr UINT IDC_ICON_LIST = 1008;
constexpr UINT IDC_ICON_SPLIT = 1009;
constexpr UINT IDC_ICON_BROWSER = 1010;
constexpr UINT IDC_ICON_ABOUT = 3;
constexpr UINT IDC_ICON_PREV = 4;
constexpr UINT IDC_ICON_NEXT = 5;

constexpr UINT IDS_ABOUT_TITLE = 1; // "About %s"
constexpr UINT IDS_ICON_MENU = 2;
constexpr UINT IDS_VERSION = 3;
} // namespace kivdlg

KIVDLG_EXPORT HINSTANCE KivDlgResources();
