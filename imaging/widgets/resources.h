// SPDX-License-Identifier: MIT
// The resources of KivLead: the templates of the four image edit dialogs.
#pragma once

#include "imaging/KivLead_export.h"
#include "platform/widgets/Resources.h"

class QMenu;
class QPoint;

namespace kivlead {
constexpr UINT IDD_EDIT_FLIP = 1171;
constexpr UINT IDD_EDIT_ROTATE = 1172;
constexpr UINT IDD_EDIT_LEVEL = 1173;
constexpr UINT IDD_EDIT_COLOR = 1174;

constexpr UINT IDC_PREVIEW = 1065;
constexpr UINT IDC_FLIP_MIRROR = 1012;
constexpr UINT IDC_FLIP_FLIP = 1013;
constexpr UINT IDC_ROTATE_90 = 1013;
constexpr UINT IDC_ROTATE_180 = 1014;
constexpr UINT IDC_ROTATE_270 = 1015;
constexpr UINT IDC_ROTATE_ANY = 1016;
constexpr UINT IDC_ROTATE_SLIDER = 1017;
constexpr UINT IDC_ROTATE_ANGLE = 1018;
constexpr UINT IDC_LEVEL_CONTRAST = 1019;
constexpr UINT IDC_LEVEL_CONTRAST_SLIDER = 1020;
constexpr UINT IDC_LEVEL_GAMMA = 1021;
constexpr UINT IDC_LEVEL_GAMMA_SLIDER = 1022;
constexpr UINT IDC_LEVEL_BRIGHTNESS = 1023;
constexpr UINT IDC_LEVEL_BRIGHTNESS_SLIDER = 1024;
constexpr UINT IDC_COLOR_HUE = 1025;
constexpr UINT IDC_COLOR_HUE_SLIDER = 1026;
constexpr UINT IDC_COLOR_SATURATION = 1027;
constexpr UINT IDC_COLOR_SATURATION_SLIDER = 1028;
constexpr UINT IDC_COLOR_LIGHTNESS = 1029;
constexpr UINT IDC_COLOR_LIGHTNESS_SLIDER = 1030;

// Menus: an entry with id 0 is a separator; kSubMenu opens a sub-menu
// named by its text, kEndSubMenu closes it.
struct MenuItem {
    UINT id;
    const char* text;
};
constexpr UINT kSubMenu = 1;
constexpr UINT kEndSubMenu = 2;

// The thumbnail cell's menu (101), whose commands the list's owner handles.
constexpr UINT ID_THUMB_VIEW = 32781, ID_THUMB_SLIDESHOW = 32782, ID_THUMB_WALLPAPER_CENTER = 32784,
               ID_THUMB_WALLPAPER_TILE = 32785, ID_THUMB_WALLPAPER_STRETCH = 32788, ID_THUMB_DELETE = 32775,
               ID_THUMB_SELECT_ALL = 32789, ID_THUMB_INVERT_SELECTION = 32790, ID_THUMB_PRINT = 32791,
               ID_THUMB_EDIT = 32776, ID_THUMB_ADD = 32803;
// The explorer view's menu (1010).
constexpr UINT ID_EXP_LARGE_ICONS = 32792, ID_EXP_SMALL_ICONS = 32793, ID_EXP_LIST = 32794, ID_EXP_DETAILS = 32795,
               ID_EXP_THUMBNAILS = 32771, ID_EXP_BY_NAME = 32796, ID_EXP_BY_TYPE = 32772, ID_EXP_BY_SIZE = 32799,
               ID_EXP_BY_DATE = 32797, ID_EXP_REFRESH = 32800;

KIVLEAD_EXPORT const MenuItem* ThumbMenu(int* count);
// The items in English; menus show them in the user's language.
KIVLEAD_EXPORT const MenuItem* ExplorerMenu(int* count);
// Fills menu with items, their texts in the user's language where the
// catalogue has them (the thumbnail menu is written in Korean, the explorer
// menu in English).
KIVLEAD_EXPORT void BuildMenu(QMenu& menu, const MenuItem* items, int count);
// Fills menu as BuildMenu does and pops it up at the screen point; the
// command chosen, 0 when none.
KIVLEAD_EXPORT UINT TrackMenu(QMenu& menu, const MenuItem* items, int count, const QPoint& at);
} // namespace kivlead

KIVLEAD_EXPORT HINSTANCE KivLeadResources();
