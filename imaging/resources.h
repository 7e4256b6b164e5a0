// The resources of KivLead: the templates of the four image edit dialogs.
#pragma once

#include "imaging/KivLead_export.h"
#include "platform/Resources.h"

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
} // namespace kivlead

KIVLEAD_EXPORT HINSTANCE KivLeadResources();
