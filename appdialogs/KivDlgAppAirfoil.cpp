// SPDX-License-Identifier: MIT
#include "appdialogs/KivDlgAppAirfoil.h"

#include "appdialogs/CKivAirfoilDlg.h"
#include "appdialogs/resources.h"

#include <algorithm>
#include <cstring>

namespace {

// The text back into the caller's buffer, which holds the documented size or
// the text it came with, whichever is more. A text that would not fit (only
// a folder given without its separator at the very limit) leaves the
// buffer as it was.
void copyBack(char* buffer, std::size_t capacity, const CString& text)
{
    if (text.size() < capacity)
        std::memcpy(buffer, text.c_str(), text.size() + 1);
}

} // namespace

int KivDlgAppAirfoil(
    HWND parent, int* type, double* camber, double* position, double* thickness, int* nodes, char* folder, char* file)
{
    if (!type || !camber || !position || !thickness || !nodes || !folder || !file)
        return 0;
    return CallWithResources(KivAppDlgResources(), [&] {
        CKivAirfoilDlg dialog(parent);
        dialog.m_type = *type;
        dialog.m_camber = *camber;
        dialog.m_position = *position;
        dialog.m_thickness = *thickness;
        dialog.m_nodes = *nodes;
        dialog.m_folder = folder;
        dialog.m_file = file;
        const std::size_t folderCapacity = std::max(CKivAirfoilDlg::kPathSize, std::strlen(folder) + 1);
        const std::size_t fileCapacity = std::max(CKivAirfoilDlg::kPathSize, std::strlen(file) + 1);
        if (dialog.DoModal() != IDOK)
            return 0;
        *type = dialog.m_type;
        *camber = dialog.m_camber;
        *position = dialog.m_position;
        *thickness = dialog.m_thickness;
        *nodes = dialog.m_nodes;
        copyBack(folder, folderCapacity, dialog.m_folder);
        copyBack(file, fileCapacity, dialog.m_file);
        return 1;
    });
}
