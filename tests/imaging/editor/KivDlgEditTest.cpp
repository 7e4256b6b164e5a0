// SPDX-License-Identifier: MIT
#include "ImagingTestData.h"

#include "imaging/editor/KivDlgEditColor.h"
#include "imaging/editor/KivDlgEditFlip.h"
#include "imaging/editor/KivDlgEditLevel.h"
#include "imaging/editor/KivDlgEditRotate.h"
#include "imaging/toolkit/KivLeadToolkit.h"
#include "imaging/widgets/resources.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CEdit.h"
#include "platform/widgets/CSliderCtrl.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTest>

using namespace imagingtest;
using namespace kivlead;

namespace {

// The hook outlives the dialog it answers; each test ends without one.
struct NoHookAfter : ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { CDialog::SetModalHook(nullptr); }
};
const bool kHookListener = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoHookAfter);
    return true;
}();

template <class Dialog> void onOpen(std::function<void(Dialog&)> hook)
{
    CDialog::SetModalHook([hook](CDialog& d) {
        auto* dialog = dynamic_cast<Dialog*>(&d);
        ASSERT_NE(dialog, nullptr);
        hook(*dialog);
    });
}

void type(CEdit* edit, const char* text)
{
    ASSERT_NE(edit, nullptr);
    edit->widget()->clear();
    QTest::keyClicks(edit->widget(), text);
}

void click(CKivDlgEditBase& d, UINT id)
{
    CButton* b = d.GetButton(id);
    ASSERT_NE(b, nullptr);
    qobject_cast<QAbstractButton*>(b->widget())->click();
}

struct Image {
    CLeadBitmap bitmap;
    Image() { EXPECT_EQ(load(encode(marked(8, 6, 0x404040, 1, 2, 0xFF0000), "PNG"), bitmap), KIVLEAD_SUCCESS); }
};

} // namespace

TEST(KivDlgEditColor, SliderAndEditKeepEachOtherAndOkGivesTenths)
{
    Image image;
    CString shown;
    QRgb previewed = 0;
    onOpen<CKivDlgEditColor>([&](CKivDlgEditColor& d) {
        EXPECT_EQ(d.GetWindowText(), "Level");
        CSliderCtrl* hue = d.GetSlider(IDC_COLOR_HUE_SLIDER);
        ASSERT_NE(hue, nullptr);
        EXPECT_EQ(hue->GetRangeMin(), -1000);
        EXPECT_EQ(hue->GetRangeMax(), 1000);
        hue->widget()->setValue(-1000);
        shown = d.GetEdit(IDC_COLOR_HUE)->GetWindowText();
        type(d.GetEdit(IDC_COLOR_LIGHTNESS), "25.37");
        EXPECT_EQ(d.GetSlider(IDC_COLOR_LIGHTNESS_SLIDER)->GetPos(), 253);
        EXPECT_EQ(d.GetEdit(IDC_COLOR_LIGHTNESS)->GetWindowText(), "25.37");
        previewed = pixel(*d.GetPreview()->GetBitmap(), 0, 0);
        d.OnOK();
    });
    int hue = 5, saturation = 5, lightness = 5;
    EXPECT_EQ(KivDlgEditColor(&image.bitmap, &hue, &saturation, &lightness), 1);
    EXPECT_EQ(shown, "-100.0");
    EXPECT_EQ(hue, -1000);
    EXPECT_EQ(saturation, 0);
    EXPECT_EQ(lightness, 253);
    EXPECT_GT(qRed(previewed), 0x40); // the preview got lighter
    EXPECT_EQ(pixel(image.bitmap, 0, 0), 0x404040u); // the caller's image did not
}

TEST(KivDlgEditLevel, GammaWorksInHundredthsAndPreviewIsAdjustedOnce)
{
    Image image;
    QRgb once = 0, again = 0;
    onOpen<CKivDlgEditLevel>([&](CKivDlgEditLevel& d) {
        CSliderCtrl* gamma = d.GetSlider(IDC_LEVEL_GAMMA_SLIDER);
        EXPECT_EQ(gamma->GetRangeMin(), 1);
        EXPECT_EQ(gamma->GetRangeMax(), 499);
        EXPECT_EQ(d.GetEdit(IDC_LEVEL_GAMMA)->GetWindowText(), "1.00");
        d.GetSlider(IDC_LEVEL_BRIGHTNESS_SLIDER)->widget()->setValue(300);
        once = pixel(*d.GetPreview()->GetBitmap(), 0, 0);
        d.GetSlider(IDC_LEVEL_BRIGHTNESS_SLIDER)->widget()->setValue(0);
        d.GetSlider(IDC_LEVEL_BRIGHTNESS_SLIDER)->widget()->setValue(300);
        again = pixel(*d.GetPreview()->GetBitmap(), 0, 0);
        type(d.GetEdit(IDC_LEVEL_GAMMA), "2.5");
        EXPECT_EQ(gamma->GetPos(), 250);
        type(d.GetEdit(IDC_LEVEL_GAMMA), "0.001");
        EXPECT_EQ(gamma->GetPos(), 1);
        d.OnOK();
    });
    int brightness = 0, contrast = 7, gamma = 0;
    EXPECT_EQ(KivDlgEditLevel(&image.bitmap, &brightness, &contrast, &gamma), 1);
    EXPECT_EQ(once, again);
    EXPECT_EQ(brightness, 300);
    EXPECT_EQ(contrast, 0);
    EXPECT_EQ(gamma, 1);
}

TEST(KivDlgEditFlip, TickingTwiceLeavesThePreviewAndReturnsZero)
{
    Image image;
    QRgb twice = 0, flipped = 0;
    onOpen<CKivDlgEditFlip>([&](CKivDlgEditFlip& d) {
        click(d, IDC_FLIP_MIRROR);
        click(d, IDC_FLIP_MIRROR);
        twice = pixel(*d.GetPreview()->GetBitmap(), 1, 2);
        click(d, IDC_FLIP_FLIP);
        flipped = pixel(*d.GetPreview()->GetBitmap(), 1, 3);
        d.OnOK();
    });
    int mirror = 9, flip = 9;
    EXPECT_EQ(KivDlgEditFlip(&image.bitmap, &mirror, &flip), 1);
    EXPECT_EQ(twice, 0xFF0000u);
    EXPECT_EQ(flipped, 0xFF0000u);
    EXPECT_EQ(mirror, 0);
    EXPECT_EQ(flip, 1);
    EXPECT_EQ(pixel(image.bitmap, 1, 2), 0xFF0000u);
}

TEST(KivDlgEditRotate, FixedAnglesDisableTheBoxesAndGiveHundredths)
{
    Image image;
    int previewWidth = 0;
    bool enabled = true;
    onOpen<CKivDlgEditRotate>([&](CKivDlgEditRotate& d) {
        EXPECT_EQ(d.GetSlider(IDC_ROTATE_SLIDER)->GetRangeMax(), 36000);
        EXPECT_TRUE(d.GetEdit(IDC_ROTATE_ANGLE)->isEnabled());
        click(d, IDC_ROTATE_270);
        enabled = d.GetEdit(IDC_ROTATE_ANGLE)->isEnabled() || d.GetSlider(IDC_ROTATE_SLIDER)->isEnabled();
        previewWidth = d.GetPreview()->GetBitmap()->Width();
        d.OnOK();
    });
    int angle = 0;
    EXPECT_EQ(KivDlgEditRotate(&image.bitmap, &angle), 1);
    EXPECT_EQ(angle, -9000);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(previewWidth, 6);
    EXPECT_EQ(image.bitmap.Width(), 8);

    onOpen<CKivDlgEditRotate>([&](CKivDlgEditRotate& d) {
        click(d, IDC_ROTATE_90);
        click(d, IDC_ROTATE_ANY);
        d.GetSlider(IDC_ROTATE_SLIDER)->widget()->setValue(3050);
        EXPECT_EQ(d.GetEdit(IDC_ROTATE_ANGLE)->GetWindowText(), "30.50");
        d.OnOK();
    });
    EXPECT_EQ(KivDlgEditRotate(&image.bitmap, &angle), 1);
    EXPECT_EQ(angle, 3050);
}

TEST(KivDlgEdit, CancelReturnsZeroAndWritesNothing)
{
    Image image;
    int a = 11, b = 12, c = 13;
    onOpen<CKivDlgEditColor>([](CKivDlgEditColor& d) {
        d.GetSlider(IDC_COLOR_HUE_SLIDER)->widget()->setValue(500);
        d.OnCancel();
    });
    EXPECT_EQ(KivDlgEditColor(&image.bitmap, &a, &b, &c), 0);
    onOpen<CKivDlgEditLevel>([](CKivDlgEditLevel& d) { d.OnCancel(); });
    EXPECT_EQ(KivDlgEditLevel(&image.bitmap, &a, &b, &c), 0);
    onOpen<CKivDlgEditFlip>([](CKivDlgEditFlip& d) { d.OnCancel(); });
    EXPECT_EQ(KivDlgEditFlip(&image.bitmap, &a, &b), 0);
    onOpen<CKivDlgEditRotate>([](CKivDlgEditRotate& d) { d.OnCancel(); });
    EXPECT_EQ(KivDlgEditRotate(&image.bitmap, &a), 0);
    EXPECT_EQ(a, 11);
    EXPECT_EQ(b, 12);
    EXPECT_EQ(c, 13);
}
