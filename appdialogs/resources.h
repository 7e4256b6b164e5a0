// The resources of KivAppDlg: the airfoil dialog (129) and its title strings.
#pragma once

#include "appdialogs/KivAppDlg_export.h"
#include "platform/Resources.h"

namespace kivappdlg {
constexpr UINT IDD_AIRFOIL = 129;
constexpr UINT IDC_AIRFOIL_DRAW = 2007;
constexpr UINT IDC_AIRFOIL_JOUKOWSKI = 1037; // kinds 0 … 3 follow in order
constexpr UINT IDC_AIRFOIL_NACA4 = 1038;
constexpr UINT IDC_AIRFOIL_NACA5 = 1039;
constexpr UINT IDC_AIRFOIL_DATAFILE = 1040;
constexpr UINT IDC_AIRFOIL_CAMBER = 1033;
constexpr UINT IDC_AIRFOIL_POSITION = 1034;
constexpr UINT IDC_AIRFOIL_THICKNESS = 1032;
constexpr UINT IDC_AIRFOIL_NODES = 1036;
constexpr UINT IDC_AIRFOIL_CAMBER_SPIN = 2001;
constexpr UINT IDC_AIRFOIL_POSITION_SPIN = 2002;
constexpr UINT IDC_AIRFOIL_THICKNESS_SPIN = 2003;
constexpr UINT IDC_AIRFOIL_NODES_SPIN = 2004;
constexpr UINT IDC_AIRFOIL_FILE = 1041;
constexpr UINT IDC_AIRFOIL_FIND = 1046;
constexpr UINT IDC_AIRFOIL_FOLDER = 1045;
constexpr UINT IDC_AIRFOIL_ABOUT = 3;

constexpr UINT IDS_AIRFOIL_NAME = 1;
constexpr UINT IDS_AIRFOIL_VERSION = 2;
} // namespace kivappdlg

KIVAPPDLG_EXPORT HINSTANCE KivAppDlgResources();
