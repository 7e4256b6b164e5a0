// SPDX-License-Identifier: MIT
#include "imaging/widgets/resources.h"

#include "platform/base/Translation.h"
#include "platform/base/WinMessages.h"
#include "platform/services/MessageBox.h"

#include <QMenu>

#include <iterator>

using namespace kivlead;

namespace {

constexpr const char* kOk = "확인(&O)";
constexpr const char* kCancel = "취소(&C)";
constexpr const char* kSettings = "설정";

DialogTemplate flipTemplate()
{
    DialogTemplate t {"Flip", 0, 0, 0, 170, 105, {}};
    t.items = {
        {IDC_STATIC, "BUTTON", BS_GROUPBOX, 7, 7, 70, 70, kSettings},
        {IDC_FLIP_MIRROR, "BUTTON", BS_AUTOCHECKBOX, 15, 24, 55, 10, "좌우"},
        {IDC_FLIP_FLIP, "BUTTON", BS_AUTOCHECKBOX, 15, 44, 55, 10, "상하"},
        {IDC_PREVIEW, "STATIC", SS_LEFT, 83, 10, 80, 67, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 60, 84, 50, 14, kOk},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 113, 84, 50, 14, kCancel},
    };
    return t;
}

DialogTemplate rotateTemplate()
{
    DialogTemplate t {"Rotate", 0, 0, 0, 275, 125, {}};
    t.items = {
        {IDC_STATIC, "BUTTON", BS_GROUPBOX, 7, 7, 130, 92, kSettings},
        {IDC_ROTATE_90, "BUTTON", BS_AUTORADIOBUTTON, 15, 19, 110, 10, "90도 시계방향"},
        {IDC_ROTATE_180, "BUTTON", BS_AUTORADIOBUTTON, 15, 31, 110, 10, "180도"},
        {IDC_ROTATE_270, "BUTTON", BS_AUTORADIOBUTTON, 15, 43, 110, 10, "90도 반시계방향"},
        {IDC_ROTATE_ANY, "BUTTON", BS_AUTORADIOBUTTON, 15, 55, 110, 10, "임의의 각도"},
        {IDC_ROTATE_ANGLE, "EDIT", 0, 15, 69, 40, 12, ""},
        {IDC_ROTATE_SLIDER, "msctls_trackbar32", 0, 58, 67, 75, 16, ""},
        {IDC_PREVIEW, "STATIC", SS_LEFT, 143, 10, 125, 89, ""},
        {IDOK, "BUTTON", BS_DEFPUSHBUTTON, 165, 104, 50, 14, kOk},
        {IDCANCEL, "BUTTON", BS_PUSHBUTTON, 218, 104, 50, 14, kCancel},
    };
    return t;
}

DialogTemplate adjustTemplate(const char* title, const char* const labels[3], const UINT ids[6])
{
    DialogTemplate t {title, 0, 0, 0, 275, 130, {}};
    t.items = {{IDC_STATIC, "BUTTON", BS_GROUPBOX, 7, 7, 130, 96, kSettings}};
    for (int i = 0; i < 3; ++i) {
        const int y = 18 + i * 28;
        t.items.push_back({IDC_STATIC, "STATIC", SS_LEFT, 13, y, 60, 8, labels[i]});
        t.items.push_back({ids[i * 2], "EDIT", 0, 13, y + 10, 38, 12, ""});
        t.items.push_back({ids[i * 2 + 1], "msctls_trackbar32", 0, 54, y + 8, 80, 16, ""});
    }
    t.items.push_back({IDC_PREVIEW, "STATIC", SS_LEFT, 143, 10, 125, 93, ""});
    t.items.push_back({IDOK, "BUTTON", BS_DEFPUSHBUTTON, 165, 109, 50, 14, kOk});
    t.items.push_back({IDCANCEL, "BUTTON", BS_PUSHBUTTON, 218, 109, 50, 14, kCancel});
    return t;
}

} // namespace

HINSTANCE KivLeadResources()
{
    static ResourceModule module = [] {
        ResourceModule m("KivLead");
        m.addDialog(IDD_EDIT_FLIP, flipTemplate());
        m.addDialog(IDD_EDIT_ROTATE, rotateTemplate());
        static const char* const level[3] = {"&Brightness", "Co&ntrast", "&Gamma"};
        static const UINT levelIds[6] = {IDC_LEVEL_BRIGHTNESS, IDC_LEVEL_BRIGHTNESS_SLIDER, IDC_LEVEL_CONTRAST,
            IDC_LEVEL_CONTRAST_SLIDER, IDC_LEVEL_GAMMA, IDC_LEVEL_GAMMA_SLIDER};
        m.addDialog(IDD_EDIT_LEVEL, adjustTemplate("Level", level, levelIds));
        static const char* const color[3] = {"&Hue", "&Saturation", "&Lightness"};
        static const UINT colorIds[6] = {IDC_COLOR_HUE, IDC_COLOR_HUE_SLIDER, IDC_COLOR_SATURATION,
            IDC_COLOR_SATURATION_SLIDER, IDC_COLOR_LIGHTNESS, IDC_COLOR_LIGHTNESS_SLIDER};
        // The colour dialog carries the level dialog's title, as it always has.
        m.addDialog(IDD_EDIT_COLOR, adjustTemplate("Level", color, colorIds));
        return m;
    }();
    return &module;
}

namespace kivlead {

namespace {

const MenuItem kThumbMenu[] = {
    {ID_THUMB_VIEW, "확대(&V)..."},
    {ID_THUMB_SLIDESHOW, "슬라이드 쇼 보기(&S)..."},
    {0, nullptr},
    {kSubMenu, "배경화면"},
    {ID_THUMB_WALLPAPER_CENTER, "가운데(&C)"},
    {ID_THUMB_WALLPAPER_TILE, "타일(&T)"},
    {ID_THUMB_WALLPAPER_STRETCH, "늘리기(&S)"},
    {kEndSubMenu, nullptr},
    {0, nullptr},
    {ID_THUMB_DELETE, "삭제(&D)"},
    {ID_THUMB_SELECT_ALL, "전체선택(&A)"},
    {ID_THUMB_INVERT_SELECTION, "선택파일반전(&I)"},
    {0, nullptr},
    {ID_THUMB_PRINT, "사진출력(&P)"},
    {ID_THUMB_EDIT, "사진편집(&E)"},
    {ID_THUMB_ADD, "사진추가(&N)"},
};

const MenuItem kExplorerMenu[] = {
    {ID_EXP_LARGE_ICONS, "Lar&ge Icons"},
    {ID_EXP_SMALL_ICONS, "S&mall Icons"},
    {ID_EXP_LIST, "&List"},
    {ID_EXP_DETAILS, "&Details"},
    {ID_EXP_THUMBNAILS, "T&humbnails"},
    {0, nullptr},
    {ID_EXP_BY_NAME, "by &Name"},
    {ID_EXP_BY_TYPE, "by &Type"},
    {ID_EXP_BY_SIZE, "by Si&ze"},
    {ID_EXP_BY_DATE, "by D&ate"},
    {0, nullptr},
    {ID_EXP_REFRESH, "R&efresh"},
};

} // namespace

const MenuItem* ThumbMenu(int* count)
{
    if (count)
        *count = static_cast<int>(std::size(kThumbMenu));
    return kThumbMenu;
}

const MenuItem* ExplorerMenu(int* count)
{
    if (count)
        *count = static_cast<int>(std::size(kExplorerMenu));
    return kExplorerMenu;
}

void BuildMenu(QMenu& menu, const MenuItem* items, int count)
{
    // The menus speak the user's language where the catalogue has it.
    const auto text = [](const char* source) { return KivTranslateText("Menu", source); };
    QMenu* current = &menu;
    for (int i = 0; i < count; ++i) {
        const MenuItem& item = items[i];
        if (item.id == 0)
            current->addSeparator();
        else if (item.id == kSubMenu)
            current = current->addMenu(text(item.text));
        else if (item.id == kEndSubMenu)
            current = &menu;
        else
            current->addAction(text(item.text))->setData(item.id);
    }
}

UINT TrackMenu(QMenu& menu, const MenuItem* items, int count, const QPoint& at)
{
    BuildMenu(menu, items, count);
    const QAction* chosen = menu.exec(at);
    return chosen ? chosen->data().toUInt() : 0;
}

} // namespace kivlead
