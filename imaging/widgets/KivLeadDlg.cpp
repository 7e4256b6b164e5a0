// SPDX-License-Identifier: MIT
#include "imaging/widgets/KivLeadDlg.h"

#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/CKivLeadValueDlg.h"
#include "platform/services/CFileDialog.h"

#include <algorithm>
#include <cstring>

namespace {

int run(QWidget* owner, const char* title, std::vector<KivLeadDlgField> fields)
{
    CKivLeadValueDlg dialog(title, std::move(fields), owner);
    return dialog.DoModal() == IDOK ? KIVLEAD_SUCCESS : KIVLEAD_ERROR_USER_ABORT;
}

using F = KivLeadDlgField;

} // namespace

int KivLeadDlgGetValue(QWidget* owner, const char* title, const char* label, int minimum, int maximum, int* value)
{
    if (!value)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return run(owner, title, {F {label, F::Number, minimum, maximum, value}});
}

int KivLeadDlgGetValues(QWidget* owner, const char* title, const char* label1, int min1, int max1, int* value1,
    const char* label2, int min2, int max2, int* value2)
{
    if (!value1 || !value2)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return run(owner, title, {F {label1, F::Number, min1, max1, value1}, F {label2, F::Number, min2, max2, value2}});
}

int KivLeadDlgSpatialFilter(QWidget* owner, int* filter)
{
    if (!filter)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return run(owner, "Spatial Filter",
        {F {"&Filter", F::Choice, 0, 0, filter,
            {{"Gradient", KIVLEAD_FILTER_GRADIENT}, {"Laplacian", KIVLEAD_FILTER_LAPLACIAN},
                {"Sobel", KIVLEAD_FILTER_SOBEL}, {"Prewitt", KIVLEAD_FILTER_PREWITT},
                {"Shift and difference", KIVLEAD_FILTER_SHIFTDIFF}, {"Line segment", KIVLEAD_FILTER_LINESEGMENT}}}});
}

int KivLeadDlgColorResolution(QWidget* owner, int* bits, int* dither)
{
    if (!bits || !dither)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    return run(owner, "Color Resolution",
        {F {"&Bits per pixel", F::Choice, 0, 0, bits, {{"1", 1}, {"4", 4}, {"8", 8}, {"24", 24}, {"32", 32}}},
            F {"&Dither", F::Check, 0, 1, dither}});
}

int KivLeadDlgWindowLevel(QWidget* owner, int* low, int* high)
{
    return KivLeadDlgGetValues(owner, "Window Level", "&Low", 0, 255, low, "&High", 0, 255, high);
}

int KivLeadDlgGamma(QWidget* owner, int* gamma)
{
    return KivLeadDlgGetValue(owner, "Gamma Correction", "&Gamma × 100", 1, 499, gamma);
}

int KivLeadDlgIntensity(QWidget* owner, int* low, int* high)
{
    return KivLeadDlgGetValues(owner, "Intensity Detect", "&Low", 0, 255, low, "&High", 0, 255, high);
}

int KivLeadDlgRotate(QWidget* owner, int shear, int* angle, int* flag, COLORREF* fill)
{
    if (!angle || !flag || !fill)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    int r = GetRValue(*fill), g = GetGValue(*fill), b = GetBValue(*fill);
    const int limit = shear ? 4500 : 36000;
    const int status = run(owner, shear ? "Shear" : "Rotate",
        {F {"&Angle (1/100 degree)", F::Number, -limit, limit, angle},
            F {shear ? "&Horizontal" : "&Resize", F::Check, 0, 1, flag}, F {"Fill &red", F::Number, 0, 255, &r},
            F {"Fill &green", F::Number, 0, 255, &g}, F {"Fill &blue", F::Number, 0, 255, &b}});
    if (status == KIVLEAD_SUCCESS)
        *fill = RGB(r, g, b);
    return status;
}

int KivLeadDlgSize(QWidget* owner, int* width, int* height)
{
    return KivLeadDlgGetValues(owner, "Size", "&Width", 1, static_cast<int>(KivLeadLimits::kMaxWidth), width, "&Height",
        1, static_cast<int>(KivLeadLimits::kMaxHeight), height);
}

int KivLeadDlgColor(QWidget* owner, COLORREF* colour)
{
    if (!colour)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    int r = GetRValue(*colour), g = GetGValue(*colour), b = GetBValue(*colour);
    const int status = run(owner, "Color",
        {F {"&Red", F::Number, 0, 255, &r}, F {"&Green", F::Number, 0, 255, &g}, F {"&Blue", F::Number, 0, 255, &b}});
    if (status == KIVLEAD_SUCCESS)
        *colour = RGB(r, g, b);
    return status;
}

int KivLeadDlgChoose(
    QWidget* owner, const char* title, const char* label, const std::vector<std::string>& choices, int* index)
{
    if (!index || choices.empty())
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    std::vector<KivLeadDlgChoice> list;
    for (std::size_t i = 0; i < choices.size(); ++i)
        list.push_back({choices[i].c_str(), static_cast<int>(i)});
    return run(owner, title, {F {label, F::Choice, 0, 0, index, list}});
}

int KivLeadDlgOpenFile(QWidget* owner, const char* title, char* file, std::size_t size, int* page, int preview)
{
    if (!file || size == 0 || !page)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    CFileDialog dialog(1, nullptr, file, vandrel::win32::OFN_HIDEREADONLY | vandrel::win32::OFN_FILEMUSTEXIST,
        KivLeadOpenFilter(), owner);
    dialog.SetTitle(title);
    if (dialog.DoModal() != IDOK)
        return KIVLEAD_ERROR_USER_ABORT;
    const CString path = dialog.GetPathName();
    if (path.size() + 1 > size)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    int chosen = 1;
    KivLeadFileInfo info;
    if (KivLeadGetFileInfo(path.c_str(), &info) == KIVLEAD_SUCCESS && info.pages > 1) {
        chosen = std::clamp(*page, 1, info.pages);
        const std::string label = "&Page (1-" + std::to_string(info.pages) + ")";
        CKivLeadValueDlg pick(title, {F {label.c_str(), F::Number, 1, info.pages, &chosen}}, owner);
        if (preview)
            pick.SetPreview([path](int n) {
                CLeadBitmap bitmap;
                if (KivLeadLoadFile(path.c_str(), &bitmap, 0, n) != KIVLEAD_SUCCESS)
                    return QImage();
                return bitmap.PaintImage().scaled(200, 140, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            });
        if (pick.DoModal() != IDOK)
            return KIVLEAD_ERROR_USER_ABORT;
    }
    std::memcpy(file, path.c_str(), path.size() + 1);
    *page = chosen;
    return KIVLEAD_SUCCESS;
}
