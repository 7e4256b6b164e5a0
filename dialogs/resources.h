// The resources of KivDlg: the progress window (1001), the about box (1000),
// the input box (2000) and the find box (15005), and their strings.
#pragma once

#include "dialogs/KivDlg_export.h"
#include "platform/Resources.h"

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

constexpr UINT IDS_ABOUT_TITLE = 1; // "About %s"
constexpr UINT IDS_ICON_MENU = 2;
constexpr UINT IDS_VERSION = 3;
} // namespace kivdlg

KIVDLG_EXPORT HINSTANCE KivDlgResources();
